#pragma once

#include <QPixmap>
#include <QRect>
#include <utility>
#include <vector>

#include "platform/twips.h"

namespace zelvo {

// The look of a window before any skin is loaded: a dark picture of the given
// size (twips) with each button's area outlined and named, so every control
// can be found.
QPixmap PlainButtons(const Twips& twips, const QSize& sizeTwips,
                     const std::vector<std::pair<QRect, const char*>>& buttons);

}  // namespace zelvo
