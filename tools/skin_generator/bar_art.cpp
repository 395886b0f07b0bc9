#include "bar_art.h"

#include <QLinearGradient>

#include "base/layout.h"
#include "glyphs.h"

namespace zelvo::skingen {
namespace {

// Faces stand one pixel inside their hot-spot at the sides and two at top and
// bottom, which leaves an even three-pixel gutter between neighbours.
QRect FaceOf(const QRect& hotSpotTwips) { return PixelRect(hotSpotTwips).adjusted(1, 2, -1, -3); }

void PaintBackground(QPainter& painter, const QRect& area, const SkinTheme& theme) {
  QLinearGradient gradient(area.topLeft(), area.bottomLeft());
  gradient.setColorAt(0, theme.barTop);
  gradient.setColorAt(1, theme.barBottom);
  painter.fillRect(area, gradient);
  painter.fillRect(QRect(area.left(), area.top(), area.width(), 1), theme.barEdgeLight);
  painter.fillRect(QRect(area.left(), area.bottom(), area.width(), 1), theme.barEdgeDark);
}

void PaintDisplayWell(QPainter& painter, const SkinTheme& theme) {
  const QRect well = PixelRect(layout::kPlayerDisplay);
  painter.fillRect(well.adjusted(1, 1, -1, -1), theme.wellBackground);
  DrawOutline(painter, well, theme.wellBorder, theme.borderWidth);
  // Light catching the lower lip of the recess.
  painter.fillRect(QRect(well.left() + 1, well.bottom() + 1, well.width() - 2, 1), theme.wellShadow);
}

}  // namespace

QImage PaintMainBar(const SkinTheme& theme) {
  QImage bar(Pixels(layout::kPlayerWidth), Pixels(layout::kPlayerHeight), QImage::Format_RGB32);
  QPainter painter(&bar);
  PaintBackground(painter, bar.rect(), theme);

  const struct {
    QRect hotSpot;
    Glyph glyph;
  } transport[] = {
      {layout::kMakeBackTrack, glyphs::Previous()},
      {layout::kMakePlay, glyphs::PlayPause()},
      {layout::kMakeStop, glyphs::Stop()},
      {layout::kMakeNextTrack, glyphs::Next()},
      {layout::kMakePlayDrop, glyphs::PlaylistDrop()},
  };
  for (const auto& button : transport) {
    const QRect face = FaceOf(button.hotSpot);
    DrawFace(painter, face, theme);
    DrawGlyphCentred(painter, button.glyph, face, theme.symbol);
  }

  const QFont font = LabelFont(11, false);
  QRect face = FaceOf(layout::kMakeOptionsDrop);
  DrawFace(painter, face, theme);
  DrawGlyphAndLabel(painter, Glyph{}, QStringLiteral("Options"), font, face.adjusted(0, 0, -8, 0), theme.symbol);
  DrawGlyphCentred(painter, glyphs::MenuArrow(), QRect(face.right() - 11, face.top(), 7, face.height()),
                   theme.symbol);

  face = FaceOf(layout::kMakeVolumeDrop);
  DrawFace(painter, face, theme);
  DrawGlyphAndLabel(painter, glyphs::Speaker(), QStringLiteral("Volume"), font, face, theme.symbol);

  face = FaceOf(layout::kMakeClose);
  DrawFace(painter, face, theme);
  DrawGlyphCentred(painter, glyphs::Close(), face, theme.closeSymbol);

  PaintDisplayWell(painter, theme);
  return bar;
}

}  // namespace zelvo::skingen
