#include <gtest/gtest.h>

#include "platform_ui/windowing_choice.h"

namespace zelvo::test {
namespace {

TEST(WindowingChoice, WaylandRunsOnXWaylandWhereItIsAndSaysSoWhereItIsNot) {
  const WindowingChoice xwayland = ChooseWindowing({{}, "wayland-0", ":0", "wayland"});
  EXPECT_EQ(xwayland.qtPlatform, "xcb");
  EXPECT_TRUE(xwayland.notice.isEmpty());

  const WindowingChoice alone = ChooseWindowing({{}, "wayland-0", {}, "wayland"});
  EXPECT_TRUE(alone.qtPlatform.isEmpty());
  EXPECT_FALSE(alone.notice.isEmpty());
  EXPECT_FALSE(alone.notice.contains('\n'));

  // A session that calls itself Wayland without naming the display.
  EXPECT_EQ(ChooseWindowing({{}, {}, ":1", "wayland"}).qtPlatform, "xcb");
}

TEST(WindowingChoice, X11AndAnExplicitPlatformAreLeftAsTheyAre) {
  const WindowingChoice x11 = ChooseWindowing({{}, {}, ":0", "x11"});
  EXPECT_TRUE(x11.qtPlatform.isEmpty());
  EXPECT_TRUE(x11.notice.isEmpty());
  const WindowingChoice chosen = ChooseWindowing({"wayland", "wayland-0", ":0", "wayland"});
  EXPECT_TRUE(chosen.qtPlatform.isEmpty());
  EXPECT_TRUE(chosen.notice.isEmpty());
}

}  // namespace
}  // namespace zelvo::test
