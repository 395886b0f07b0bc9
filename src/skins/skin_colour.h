#pragma once

#include <QColor>
#include <QString>
#include <optional>

namespace zelvo {

// A colour file value (0x00BBGGRR, red in the lowest byte) as a colour. A
// fraction rounds to the nearest whole number, halves to the even one. Nothing
// for text that is not a number or a number that is no such colour.
std::optional<QColor> ColourFromField(const QString& field);

}  // namespace zelvo
