#include "platform_ui/translucency.h"

#include <QDebug>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <string>
#include <xcb/xcb.h>

namespace zelvo {
namespace {

// The screen number the display name asks for ("host:0.1" is screen 1).
int DefaultScreenNumber() {
  char* host = nullptr;
  int display = 0;
  int screen = 0;
  if (!xcb_parse_display(nullptr, &host, &display, &screen)) return 0;
  std::free(host);
  return screen;
}

}  // namespace

bool CompositingManagerRunning(xcb_connection_t* connection, int screen) {
  const std::string name = "_NET_WM_CM_S" + std::to_string(screen);
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(name.size()), name.c_str()), nullptr);
  if (!atom) return false;
  xcb_get_selection_owner_reply_t* owner =
      xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
  const bool owned = owner && owner->owner != XCB_NONE;
  std::free(owner);
  std::free(atom);
  return owned;
}

bool TranslucentWindowsPossible() {
  const QString platform = QGuiApplication::platformName();
  if (platform.startsWith(QLatin1String("wayland"))) return true;
  if (platform != QLatin1String("xcb")) return false;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) {
    qWarning() << "no X connection to ask for a compositing manager; windows stay opaque";
    return false;
  }
  return CompositingManagerRunning(x11->connection(), DefaultScreenNumber());
}

}  // namespace zelvo
