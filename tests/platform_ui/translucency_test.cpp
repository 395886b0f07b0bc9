#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <xcb/xcb.h>

#include "platform_ui/translucency.h"

namespace zelvo::test {
namespace {

// A connection to the test session's X server, closed when done.
struct XConnection {
  int screen = 0;
  xcb_connection_t* connection = xcb_connect(nullptr, &screen);
  ~XConnection() { xcb_disconnect(connection); }
  bool Usable() const { return connection && !xcb_connection_has_error(connection); }
};

// Waits until the server has handled every request sent so far.
void Sync(xcb_connection_t* connection) {
  std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

// Plays a compositing manager: a window of its own that owns _NET_WM_CM_S<screen>.
xcb_window_t ClaimCompositorSelection(const XConnection& x) {
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x.connection));
  for (int k = 0; k < x.screen; ++k) xcb_screen_next(&screens);
  const xcb_window_t window = xcb_generate_id(x.connection);
  xcb_create_window(x.connection, XCB_COPY_FROM_PARENT, window, screens.data->root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
  const std::string name = "_NET_WM_CM_S" + std::to_string(x.screen);
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
      x.connection, xcb_intern_atom(x.connection, 0, uint16_t(name.size()), name.c_str()), nullptr);
  xcb_set_selection_owner(x.connection, window, atom->atom, XCB_CURRENT_TIME);
  std::free(atom);
  Sync(x.connection);
  return window;
}

TEST(Translucency, FollowsWhetherACompositingManagerOwnsItsSelection) {
  XConnection asker;
  if (!asker.Usable()) GTEST_SKIP() << "needs an X server (the test session's)";
  ASSERT_FALSE(CompositingManagerRunning(asker.connection, asker.screen)) << "a compositor already runs here";

  XConnection compositor;
  const xcb_window_t window = ClaimCompositorSelection(compositor);
  EXPECT_TRUE(CompositingManagerRunning(asker.connection, asker.screen));

  // The compositor goes away: so does its selection.
  xcb_destroy_window(compositor.connection, window);
  Sync(compositor.connection);
  EXPECT_FALSE(CompositingManagerRunning(asker.connection, asker.screen));
}

TEST(Translucency, APlatformWithoutAWindowingSystemHasNone) {
  // The tests' own application runs on the offscreen platform.
  if (qgetenv("QT_QPA_PLATFORM") != "offscreen") GTEST_SKIP();
  EXPECT_FALSE(TranslucentWindowsPossible());
}

}  // namespace
}  // namespace zelvo::test
