#include <gtest/gtest.h>

#include "effects/slide_plan.h"

namespace zelvo::test {
namespace {

TEST(SlidePlan, APlaylist6000HighDropsUnderA390BarThrough43PositionsTo450) {
  const std::vector<double> down = SlidePositions(-6000, 390, kDropStep);
  ASSERT_EQ(down.size(), 43u);
  EXPECT_EQ(down.front(), -5850);
  EXPECT_EQ(down.back(), 450);  // past the bar's foot; the window then rests at 390

  const std::vector<double> up = SlidePositions(390, -6000, kRaiseStep);
  ASSERT_EQ(up.size(), 213u);
  EXPECT_EQ(up.front(), 360);
  EXPECT_EQ(up.back(), -6000);
}

TEST(SlidePlan, TheBarLeavesInStepsOf5AndComesBackInStepsOf15) {
  const std::vector<double> hide = SlidePositions(0, -390, kHideStep);
  ASSERT_EQ(hide.size(), 78u);
  EXPECT_EQ(hide.back(), -390);
  const std::vector<double> reveal = SlidePositions(-390, 0, kRevealStep);
  ASSERT_EQ(reveal.size(), 26u);
  EXPECT_EQ(reveal.back(), 0);
  // From a lower top edge (a panel above) the same steps are taken from there.
  EXPECT_EQ(SlidePositions(450, 60, kHideStep).size(), 78u);
}

TEST(SlidePlan, AWindowAlreadyInPlaceHasNoSteps) {
  EXPECT_TRUE(SlidePositions(390, 390, kDropStep).empty());
  EXPECT_TRUE(SlidePositions(0, 100, 0).empty());
}

TEST(SlidePlan, FramesPickPositionsInOrderAndEndOnTheLast) {
  EXPECT_EQ(PositionIndexAt(0, 43), -1);
  EXPECT_EQ(PositionIndexAt(0.001, 43), 0);
  EXPECT_EQ(PositionIndexAt(0.5, 43), 21);
  EXPECT_EQ(PositionIndexAt(1, 43), 42);
  EXPECT_EQ(PositionIndexAt(1.5, 43), 42);
  EXPECT_EQ(PositionIndexAt(1, 0), -1);
  int last = -1;
  for (int frame = 1; frame <= 15; ++frame) {  // a quarter second at 60 frames a second
    const int index = PositionIndexAt(frame / 15.0, 213);
    EXPECT_GT(index, last);
    last = index;
  }
  EXPECT_EQ(last, 212);
}

}  // namespace
}  // namespace zelvo::test
