#pragma once

#include <cstddef>
#include <vector>

namespace zelvo {

// The positions (twips) a window edge passes through on a slide: starting at
// `from`, it moves `step` at a time toward `to` for as long as it has not
// reached it; the last position may lie past `to`. The start itself is not
// listed. The window's exact resting place is set once the slide has ended.
std::vector<double> SlidePositions(double from, double to, double step);

// Steps of the four slides, in twips.
inline constexpr double kDropStep = 150;
inline constexpr double kRaiseStep = 30;
inline constexpr double kHideStep = 5;
inline constexpr double kRevealStep = 15;

// Which of `count` positions a slide shows once `progress` (0 ... 1) of its
// time has passed: -1 before the first, count - 1 from the end on. Frames
// pick positions in order and never go back, so a slide of any length
// lasts the same time.
int PositionIndexAt(double progress, std::size_t count);

}  // namespace zelvo
