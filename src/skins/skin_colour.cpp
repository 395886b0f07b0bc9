#include "skins/skin_colour.h"

#include <QLocale>
#include <cmath>

namespace zelvo {

std::optional<QColor> ColourFromField(const QString& field) {
  bool ok = false;
  const double value = QLocale::c().toDouble(field.trimmed(), &ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  // Ties go to the even neighbour, as the files were always read.
  double whole = std::round(value);
  if (std::abs(value - std::trunc(value)) == 0.5) whole = 2.0 * std::round(value / 2.0);
  // Anything outside 24 bits would be a system colour index or garbage, not a colour.
  if (whole < 0 || whole > 0xFFFFFF) return std::nullopt;
  const auto bgr = static_cast<quint32>(whole);
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

}  // namespace zelvo
