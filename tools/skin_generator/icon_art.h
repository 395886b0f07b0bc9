#pragma once

#include <QByteArray>
#include <QImage>

namespace zelvo::skingen {

// The program's icon: a dark rounded tile with a spectrum of bars and a play
// mark, in the colours of the credits picture. The same shapes are painted at
// a pixel size and written as SVG, so every size looks alike.
QImage PaintIcon(int size);
QByteArray IconSvg();

// The sizes of the icon theme's fixed-size folders.
inline constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

}  // namespace zelvo::skingen
