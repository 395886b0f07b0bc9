#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>

#include "menus/options.h"
#include "base/player_state.h"
#include "effects/motion_targets.h"
#include "effects/slide_plan.h"
#include "effects/window_motion.h"
#include "scripted_desktop.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

// Windows that keep their place and visibility, and note every top they were
// given, in order.
class RecordingWindows : public MotionTargets {
 public:
  QRectF player{4800, 0, 9600, 390};
  bool playerVisible = true;
  bool playerEnabled = true;
  bool volumeBarVisible = true;
  QRectF playlist{7045, 390, 4785, 6000};
  bool playlistVisible = true;
  QRectF strip;
  bool stripVisible = false;
  bool menuOpen = false;
  std::vector<double> playerTops;
  std::vector<double> playlistTops;
  // What was moved, in order: 'b' the bar, 'l' the list.
  std::string moves;
  bool playerEnabledWhileListMoved = false;

  QRectF PlayerGeometry() const override { return player; }
  bool PlayerVisible() const override { return playerVisible; }
  void PlacePlayerTop(double top) override {
    player.moveTop(top);
    playerTops.push_back(top);
    moves += 'b';
  }
  void SetPlayerVisible(bool visible) override { playerVisible = visible; }
  void SetPlayerEnabled(bool enabled) override { playerEnabled = enabled; }
  void HideVolumeBar() override { volumeBarVisible = false; }
  QRectF PlaylistGeometry() const override { return playlist; }
  bool PlaylistVisible() const override { return playlistVisible; }
  void PlacePlaylistTop(double top) override {
    playlist.moveTop(top);
    playlistTops.push_back(top);
    moves += 'l';
    if (playlistVisible && playerEnabled && top != 390) playerEnabledWhileListMoved = true;
  }
  void SetPlaylistVisible(bool visible) override { playlistVisible = visible; }
  void StackPlayerOverPlaylist() override {}
  void ShowStrip(const QRectF& geometry) override {
    strip = geometry;
    stripVisible = true;
  }
  void HideStrip() override { stripVisible = false; }
  bool StripVisible() const override { return stripVisible; }
  bool PopUpMenuOpen() const override { return menuOpen; }
};

class WindowMotionTest : public ::testing::Test {
 protected:
  WindowMotionTest() {
    state.ScreenWidth = 19200;
    desktop.cursorPos = QPoint(40, 900);  // away from both windows
    options.SetChecked(Entry::AniEffects, false);
  }
  bool WaitStill() {
    return WaitFor([this] { return !motion.Sliding(); }, 3000);
  }

  RecordingWindows windows;
  ScriptedDesktop desktop;
  PlayerState state;
  Options options;
  Twips twips{15, 15};
  WindowMotion motion{windows, desktop, state, options, twips};
};

bool StrictlyRising(const std::vector<double>& tops) {
  return std::adjacent_find(tops.begin(), tops.end(), std::greater_equal<double>()) == tops.end();
}
bool StrictlyFalling(const std::vector<double>& tops) {
  return std::adjacent_find(tops.begin(), tops.end(), std::less_equal<double>()) == tops.end();
}
bool AllPlanned(const std::vector<double>& tops, const std::vector<double>& plan) {
  return std::all_of(tops.begin(), tops.end(),
                     [&](double top) { return std::find(plan.begin(), plan.end(), top) != plan.end(); });
}

TEST_F(WindowMotionTest, WithoutAnimationEveryTransitionJumps) {
  EXPECT_EQ(motion.State(), WindowState::Dropped);
  motion.TogglePlaylistDrop();
  EXPECT_EQ(motion.State(), WindowState::Collapsed);
  motion.TogglePlaylistDrop();
  EXPECT_EQ(motion.State(), WindowState::Dropped);
  EXPECT_EQ(windows.playlist.top(), 390);

  motion.HidePlayer();
  EXPECT_EQ(motion.State(), WindowState::TuckedAway);
  EXPECT_FALSE(windows.playlistVisible);
  EXPECT_TRUE(windows.stripVisible);
  EXPECT_EQ(windows.strip, QRectF(6600, 0, 6000, 30));  // centred on the top edge

  motion.RevealPlayer();
  EXPECT_EQ(motion.State(), WindowState::Collapsed);
  EXPECT_FALSE(windows.stripVisible);
  EXPECT_EQ(windows.player.top(), 0);
  EXPECT_FALSE(motion.Sliding());
  EXPECT_EQ(windows.playlistTops, (std::vector<double>{390, 390, 390}));  // no step between
}

TEST_F(WindowMotionTest, TheListDropsThroughItsStepsInOrderAndRestsUnderTheBar) {
  options.SetChecked(Entry::AniEffects, true);
  windows.playlistVisible = false;
  motion.DropPlaylist();
  EXPECT_TRUE(motion.Sliding());
  EXPECT_TRUE(windows.playlistVisible);
  EXPECT_FALSE(windows.playerEnabled);  // no second slide from the bar's buttons
  ASSERT_TRUE(WaitStill());

  const std::vector<double> plan = SlidePositions(-6000, 390, kDropStep);
  ASSERT_GE(windows.playlistTops.size(), 5u);
  EXPECT_EQ(windows.playlistTops.front(), -6000);
  const std::vector<double> frames(windows.playlistTops.begin() + 1, windows.playlistTops.end() - 1);
  EXPECT_GE(frames.size(), 3u);
  EXPECT_TRUE(StrictlyRising(frames));
  EXPECT_TRUE(AllPlanned(frames, plan));
  EXPECT_EQ(frames.back(), 450);
  EXPECT_EQ(windows.playlist.top(), 390);
  EXPECT_TRUE(windows.playerEnabled);
}

TEST_F(WindowMotionTest, TheListRisesBehindTheBarAndIsPutBackBeneathItHidden) {
  options.SetChecked(Entry::AniEffects, true);
  motion.RaisePlaylist();
  EXPECT_FALSE(windows.playerEnabled);
  ASSERT_TRUE(WaitStill());
  const std::vector<double> frames(windows.playlistTops.begin(), windows.playlistTops.end() - 1);
  EXPECT_GE(frames.size(), 3u);
  EXPECT_TRUE(StrictlyFalling(frames));
  EXPECT_TRUE(AllPlanned(frames, SlidePositions(390, -6000, kRaiseStep)));
  EXPECT_EQ(frames.back(), -6000);
  EXPECT_FALSE(windows.playlistVisible);
  // Shown again by anything else, it appears where it belongs.
  EXPECT_EQ(windows.playlist.top(), 390);
  EXPECT_TRUE(windows.playerEnabled);
  EXPECT_FALSE(windows.playerEnabledWhileListMoved);
}

TEST_F(WindowMotionTest, HidingRaisesTheListFirstThenSlidesTheBarOffAndShowsTheStrip) {
  options.SetChecked(Entry::AniEffects, true);
  motion.HidePlayer();
  ASSERT_TRUE(WaitStill());
  EXPECT_EQ(motion.State(), WindowState::TuckedAway);
  EXPECT_TRUE(windows.stripVisible);
  // Every move of the list comes before any move of the bar.
  EXPECT_EQ(windows.moves.find('l', windows.moves.find('b')), std::string::npos) << windows.moves;
  const std::vector<double> frames(windows.playerTops.begin(), windows.playerTops.end() - 1);
  EXPECT_GE(frames.size(), 3u);
  EXPECT_TRUE(StrictlyFalling(frames));
  EXPECT_EQ(frames.back(), -390);

  windows.playerTops.clear();
  motion.RevealPlayer();
  EXPECT_FALSE(windows.stripVisible);
  EXPECT_TRUE(windows.playerVisible);
  ASSERT_TRUE(WaitStill());
  EXPECT_EQ(windows.playerTops.front(), -390);
  EXPECT_TRUE(StrictlyRising({windows.playerTops.begin(), windows.playerTops.end() - 1}));
  EXPECT_EQ(windows.player.top(), 0);
  EXPECT_EQ(motion.State(), WindowState::Collapsed);
}

TEST_F(WindowMotionTest, ATickWithThePointerAwayTucksTheBarAwayAndHidesTheVolumeBar) {
  motion.AutomationTick();
  EXPECT_EQ(motion.State(), WindowState::TuckedAway);
  EXPECT_FALSE(windows.volumeBarVisible);
  motion.AutomationTick();  // nothing to test while the bar is away
  EXPECT_EQ(motion.State(), WindowState::TuckedAway);
}

TEST_F(WindowMotionTest, ThePointerOverEitherWindowKeepsThemInPlace) {
  desktop.cursorPos = QPoint(640, 10);  // on the bar
  motion.AutomationTick();
  desktop.cursorPos = QPoint(600, 400);  // on the list
  motion.AutomationTick();
  EXPECT_EQ(motion.State(), WindowState::Dropped);
  EXPECT_TRUE(windows.volumeBarVisible);
}

TEST_F(WindowMotionTest, AnOpenDialogOrMenuHoldsEverythingInPlace) {
  state.DialogOpen = true;
  motion.AutomationTick();
  motion.RaisePlaylist();
  motion.HidePlayer();
  EXPECT_EQ(motion.State(), WindowState::Dropped);
  state.DialogOpen = false;

  windows.volumeBarVisible = true;
  windows.menuOpen = true;
  motion.AutomationTick();
  EXPECT_EQ(motion.State(), WindowState::Dropped);
  EXPECT_TRUE(windows.volumeBarVisible);
}

TEST_F(WindowMotionTest, RequestsDuringASlideWaitForItsEnd) {
  options.SetChecked(Entry::AniEffects, true);
  windows.playlistVisible = false;
  desktop.cursorPos = QPoint(640, 10);
  motion.DropPlaylist();
  motion.TogglePlaylistDrop();  // comes while the list is on its way down
  motion.AutomationTick();
  EXPECT_TRUE(windows.playlistVisible);
  ASSERT_TRUE(WaitFor([this] { return !windows.playlistVisible && !motion.Sliding(); }, 3000));
  // Down to 450 first, then all the way up: the toggle waited for the drop.
  const auto lowest = std::find(windows.playlistTops.begin(), windows.playlistTops.end(), 450);
  ASSERT_NE(lowest, windows.playlistTops.end());
  EXPECT_EQ(*(lowest + 1), 390);
  EXPECT_EQ(motion.State(), WindowState::Collapsed);

  // A tick during a slide acts once it has ended, on the pointer as it is then.
  desktop.cursorPos = QPoint(40, 900);
  motion.DropPlaylist();
  motion.AutomationTick();
  EXPECT_EQ(motion.State(), WindowState::Dropped);
  ASSERT_TRUE(WaitFor([this] { return motion.State() == WindowState::TuckedAway && !motion.Sliding(); }, 3000));
}

TEST_F(WindowMotionTest, ARevealFindsTheBarShownAndLeavesItAlone) {
  motion.RevealPlayer();
  EXPECT_TRUE(windows.playerTops.empty());
  EXPECT_EQ(motion.State(), WindowState::Dropped);
}

TEST_F(WindowMotionTest, APointerMovePostponesTheNextTickByAFullInterval) {
  motion.StartAutomation();
  EXPECT_EQ(motion.Automation().interval(), 1000);
  QTest::qWait(300);
  windows.volumeBarVisible = true;
  motion.ResetHoverTimer();
  EXPECT_GT(motion.Automation().remainingTime(), 900);
  EXPECT_FALSE(windows.volumeBarVisible);
  // Left alone, the ticks go on and tuck the bar away.
  ASSERT_TRUE(WaitFor([this] { return motion.State() == WindowState::TuckedAway; }, 3000));
}

TEST_F(WindowMotionTest, FromALowerTopEdgeEveryPlaceIsTakenFromThere) {
  state.ScreenTop = 450;
  windows.player.moveTop(450);
  windows.playlist.moveTop(840);
  motion.HidePlayer();
  EXPECT_EQ(windows.strip, QRectF(6600, 450, 6000, 30));
  motion.RevealPlayer();
  EXPECT_EQ(windows.player.top(), 450);
  motion.DropPlaylist();
  EXPECT_EQ(windows.playlist.top(), 840);
}

}  // namespace
}  // namespace zelvo::test
