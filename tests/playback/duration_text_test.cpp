#include <gtest/gtest.h>

#include <limits>

#include "playback/duration_text.h"

namespace zelvo {
namespace {

TEST(DurationText, RoundsToWholeSecondsWithHalvesToEven) {
  EXPECT_EQ(DurationText(125.4), "02:05");
  EXPECT_EQ(DurationText(124.5), "02:04");
  EXPECT_EQ(DurationText(125.5), "02:06");
  EXPECT_EQ(DurationText(59.5), "01:00");
}

TEST(DurationText, WritesAtLeastTwoDigitsAndNeverLimitsMinutes) {
  EXPECT_EQ(DurationText(187), "03:07");
  EXPECT_EQ(DurationText(3725), "62:05");
  EXPECT_EQ(DurationText(6005), "100:05");
  EXPECT_EQ(DurationText(7540), "125:40");
}

TEST(DurationText, ZeroIsWrittenWithTwoDigitsSoShortTracksSortFirst) {
  EXPECT_EQ(DurationText(45), "00:45");
  EXPECT_EQ(DurationText(0), "00:00");
  EXPECT_EQ(DurationText(120), "02:00");
  EXPECT_LT(DurationText(45), DurationText(60));
}

TEST(DurationText, NoUsableLengthReadsAsZero) {
  EXPECT_EQ(DurationText(-3), "00:00");
  EXPECT_EQ(DurationText(std::numeric_limits<double>::quiet_NaN()), "00:00");
  EXPECT_EQ(DurationText(std::numeric_limits<double>::infinity()), "00:00");
}

}  // namespace
}  // namespace zelvo
