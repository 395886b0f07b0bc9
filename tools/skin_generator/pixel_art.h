#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>
#include <QStringList>
#include <initializer_list>

#include "skin_theme.h"

namespace zelvo::skingen {

// Twips to pixels at 96 DPI (15 twips a pixel), converting edges rather than
// sizes so that art lands on the pixels the windows give each hot-spot.
QRect PixelRect(const QRect& twips);
int Pixels(int twips);

// A one-colour pixel mask, "#" set, anything else clear. Small glyphs are
// drawn pixel by pixel so they stay sharp at their real size.
struct Glyph {
  QStringList rows;
  int Width() const { return rows.isEmpty() ? 0 : int(rows.first().size()); }
  int Height() const { return int(rows.size()); }
};

Glyph TriangleRight(int halfHeight);
Glyph TriangleLeft(int halfHeight);
Glyph TriangleDown(int halfWidth);
Glyph Block(int width, int height);
Glyph Space(int width);
// Glyphs side by side, centred on a common middle line.
Glyph Beside(std::initializer_list<Glyph> parts);
// Glyphs stacked, centred on a common middle column.
Glyph Stacked(std::initializer_list<Glyph> parts);

void DrawGlyph(QPainter& painter, const Glyph& glyph, QPoint topLeft, const QColor& colour);
void DrawGlyphCentred(QPainter& painter, const Glyph& glyph, const QRect& area, const QColor& colour);

// An outline `width` pixels thick without its corner pixels, which reads as
// softly rounded at this size.
void DrawOutline(QPainter& painter, const QRect& area, const QColor& colour, int width);

// A raised button face filling `area`: gradient, outline with clipped
// corners and a highlight along the top.
void DrawFace(QPainter& painter, const QRect& area, const SkinTheme& theme);

// The labels' type: small, hinted to the pixel grid.
QFont LabelFont(int pixelSize, bool bold);

// A glyph followed by a text label, the pair centred in `area`.
void DrawGlyphAndLabel(QPainter& painter, const Glyph& glyph, const QString& label, const QFont& font,
                       const QRect& area, const QColor& colour);

}  // namespace zelvo::skingen
