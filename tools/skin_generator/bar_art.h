#pragma once

#include <QImage>

#include "skin_theme.h"

namespace zelvo::skingen {

// player.zsk: the face of the main bar, button art under every hot-spot and
// a recessed well under the display.
QImage PaintMainBar(const SkinTheme& theme);

}  // namespace zelvo::skingen
