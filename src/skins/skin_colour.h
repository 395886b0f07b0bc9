#pragma once

#include <QByteArray>
#include <QColor>
#include <QStringList>
#include <optional>

namespace zelvo {

// The first `count` fields of a comma/line separated text record, as a skin's
// colour file holds them: leading blanks are skipped, a quoted field loses its
// quotes, blank lines separate nothing. Fewer fields come back when the text
// runs out.
QStringList ReadColourFields(const QByteArray& text, int count);

// A colour file value (0x00BBGGRR, red in the lowest byte) as a colour. A
// fraction rounds to the nearest whole number, halves to the even one. Nothing
// for text that is not a number or a number that is no such colour.
std::optional<QColor> ColourFromField(const QString& field);

}  // namespace zelvo
