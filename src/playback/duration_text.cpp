#include "playback/duration_text.h"

#include <cmath>

namespace zelvo {
namespace {

QString TwoDigits(long long value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); }

}  // namespace

QString DurationText(double seconds) {
  // nearbyint under the default rounding mode rounds halves to even.
  const double whole = std::isfinite(seconds) && seconds > 0 ? std::nearbyint(seconds) : 0.0;
  const auto total = static_cast<long long>(whole);
  return TwoDigits(total / 60) + QLatin1Char(':') + TwoDigits(total % 60);
}

}  // namespace zelvo
