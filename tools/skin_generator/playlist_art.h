#pragma once

#include <QImage>

#include "skin_theme.h"

namespace zelvo::skingen {

// The playlist window's pictures.
QImage PaintHTexture(const SkinTheme& theme);        // htexture.zsk, the top frame strip
QImage PaintVTexture(const SkinTheme& theme);        // vtexture.zsk, either side frame strip
QImage PaintColumnTitle(const SkinTheme& theme, const QString& title, bool sortMark);  // coltrack / collength
QImage PaintPlaylistButtons(const SkinTheme& theme); // subbuttons.zsk, add .. save

}  // namespace zelvo::skingen
