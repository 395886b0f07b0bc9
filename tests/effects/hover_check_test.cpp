#include <gtest/gtest.h>

#include "effects/hover_check.h"

namespace zelvo::test {
namespace {

// The bar at 4800 twips from the left (320 pixels at 15 twips a pixel), 9600 x
// 390; the playlist beneath it at 7045, 390, 4785 wide and 10520 high.
HoverScene Scene(int x, int y, bool playlistVisible = true) {
  HoverScene scene;
  scene.cursor = QPoint(x, y);
  scene.player = QRectF(4800, 0, 9600, 390);
  scene.playlistVisible = playlistVisible;
  scene.playlist = QRectF(7050, 390, 4785, 10515);
  return scene;
}

const Twips kTwips(15, 15);

TEST(HoverCheck, OverTheBarStaysAndItsEdgesAndFootAreOutside) {
  EXPECT_FALSE(ShouldTuckAway(Scene(321, 0, false), kTwips));
  EXPECT_FALSE(ShouldTuckAway(Scene(959, 25, false), kTwips));
  EXPECT_TRUE(ShouldTuckAway(Scene(320, 10, false), kTwips));  // on the left edge
  EXPECT_TRUE(ShouldTuckAway(Scene(960, 10, false), kTwips));  // on the right edge
  EXPECT_TRUE(ShouldTuckAway(Scene(500, 26, false), kTwips));  // on the bottom line
}

TEST(HoverCheck, ThePlaylistAndA600TwipMarginRightOfItCountOnlyWhileShown) {
  // Right edge of the list at 11835 twips = 789 pixels; the margin runs to 829.
  EXPECT_FALSE(ShouldTuckAway(Scene(600, 500), kTwips));
  EXPECT_FALSE(ShouldTuckAway(Scene(790, 500), kTwips));  // 15 twips right of the edge
  EXPECT_FALSE(ShouldTuckAway(Scene(828, 500), kTwips));
  EXPECT_TRUE(ShouldTuckAway(Scene(829, 500), kTwips));   // the margin's own edge
  EXPECT_TRUE(ShouldTuckAway(Scene(836, 500), kTwips));   // 700 twips right of the edge
  EXPECT_TRUE(ShouldTuckAway(Scene(470, 500), kTwips));   // on the list's left edge
  EXPECT_TRUE(ShouldTuckAway(Scene(600, 727), kTwips));   // on its bottom line
  EXPECT_TRUE(ShouldTuckAway(Scene(600, 500, false), kTwips));
}

TEST(HoverCheck, NothingIsTestedWhileTheBarIsHiddenOrAMenuIsUp) {
  HoverScene hidden = Scene(0, 800);
  hidden.playerVisible = false;
  EXPECT_FALSE(ShouldTuckAway(hidden, kTwips));
  HoverScene menu = Scene(0, 800);
  menu.popUpMenuOpen = true;
  EXPECT_FALSE(ShouldTuckAway(menu, kTwips));
}

TEST(HoverCheck, TwipsBecomePixelsThroughEachAxisOwnFactor) {
  // 12 twips a pixel across, 20 down: the bar's foot is at pixel 19.5.
  const Twips uneven(12, 20);
  EXPECT_FALSE(ShouldTuckAway(Scene(500, 19, false), uneven));
  EXPECT_TRUE(ShouldTuckAway(Scene(500, 20, false), uneven));
  EXPECT_FALSE(ShouldTuckAway(Scene(401, 5, false), uneven));  // left edge at 400
  EXPECT_TRUE(ShouldTuckAway(Scene(400, 5, false), uneven));
}

}  // namespace
}  // namespace zelvo::test
