#include "effects/slide_plan.h"

#include <algorithm>
#include <cmath>

namespace zelvo {

std::vector<double> SlidePositions(double from, double to, double step) {
  std::vector<double> positions;
  if (step <= 0) return positions;
  const bool down = to > from;
  double at = from;
  while (down ? at < to : at > to) {
    at += down ? step : -step;
    positions.push_back(at);
  }
  return positions;
}

int PositionIndexAt(double progress, std::size_t count) {
  if (count == 0 || progress <= 0) return -1;
  const double reached = std::ceil(std::min(progress, 1.0) * double(count));
  return static_cast<int>(std::clamp(reached, 1.0, double(count))) - 1;
}

}  // namespace zelvo
