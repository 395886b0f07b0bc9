#include "skins/skin_colour.h"

#include <QLocale>
#include <cmath>

namespace zelvo {

QStringList ReadColourFields(const QByteArray& text, int count) {
  QStringList fields;
  qsizetype pos = 0;
  const qsizetype end = text.size();
  auto isLineEnd = [&](qsizetype i) { return text[i] == '\n' || text[i] == '\r'; };
  while (fields.size() < count && pos < end) {
    while (pos < end && (text[pos] == ' ' || text[pos] == '\t' || isLineEnd(pos))) ++pos;
    if (pos >= end) break;
    QByteArray field;
    if (text[pos] == '"') {
      const qsizetype close = text.indexOf('"', pos + 1);
      const qsizetype stop = close < 0 ? end : close;
      field = text.mid(pos + 1, stop - pos - 1);
      pos = stop + 1;
      // Whatever follows the closing quote up to the separator is not part of the value.
      while (pos < end && text[pos] != ',' && !isLineEnd(pos)) ++pos;
    } else {
      const qsizetype start = pos;
      while (pos < end && text[pos] != ',' && !isLineEnd(pos)) ++pos;
      field = text.mid(start, pos - start);
    }
    if (pos < end && text[pos] == ',') ++pos;
    fields.append(QString::fromUtf8(field));
  }
  return fields;
}

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
