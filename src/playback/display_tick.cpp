#include "playback/display_tick.h"

#include <algorithm>
#include <cmath>

namespace zelvo {

std::optional<int> ProgressLength(double positionSeconds, double durationSeconds, int fullTwips) {
  if (!std::isfinite(durationSeconds) || durationSeconds <= 0 || !std::isfinite(positionSeconds))
    return std::nullopt;
  const double length = positionSeconds * (fullTwips / durationSeconds);
  return static_cast<int>(std::lround(std::clamp(length, 0.0, static_cast<double>(fullTwips))));
}

std::optional<double> SeekTarget(double durationSeconds, int widthTwips, int xTwips) {
  if (!std::isfinite(durationSeconds) || durationSeconds < 0 || widthTwips <= 0) return std::nullopt;
  const int x = std::clamp(xTwips, 0, widthTwips);
  return std::floor(durationSeconds / widthTwips * x);
}

}  // namespace zelvo
