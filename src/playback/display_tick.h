#pragma once

#include <optional>

namespace zelvo {

// Length of a progress bar of full length `fullTwips` for a position within a
// track, kept within 0 ... full. Nothing when the length gives no scale
// (no file, zero or unknown duration): the bar then keeps its width.
std::optional<int> ProgressLength(double positionSeconds, double durationSeconds, int fullTwips);

// The whole second a click at `xTwips` on a display `widthTwips` wide points
// at: Int(duration / width * x), with x kept on the display, since a drag may
// carry the pointer past either edge. Nothing without a usable scale.
std::optional<double> SeekTarget(double durationSeconds, int widthTwips, int xTwips);

}  // namespace zelvo
