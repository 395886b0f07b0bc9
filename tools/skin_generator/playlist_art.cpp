#include "playlist_art.h"

#include <QLinearGradient>

#include "base/layout.h"
#include "glyphs.h"

namespace zelvo::skingen {
namespace {

// Width of the track-name column on screen: four fifths of the list, which
// spans the window between the two side strips.
int TrackColumnPixels() {
  return Pixels((layout::kPlaylistWidth - 2 * layout::kVTextureWidth) / 5 * 4);
}

}  // namespace

QImage PaintHTexture(const SkinTheme& theme) {
  QImage strip(Pixels(layout::kPlaylistWidth), Pixels(layout::kHTextureHeight), QImage::Format_RGB32);
  strip.fill(theme.barBottom);
  QPainter painter(&strip);
  painter.fillRect(QRect(0, 0, strip.width(), 1), theme.barEdgeDark);
  return strip;
}

QImage PaintVTexture(const SkinTheme& theme) {
  QImage strip(Pixels(layout::kVTextureWidth), Pixels(layout::kVTextureHeight), QImage::Format_RGB32);
  QPainter painter(&strip);
  // The strip is taller than any screen; the shading sits in its top part.
  QLinearGradient gradient(0, 0, 0, 1080);
  gradient.setColorAt(0, theme.barTop);
  gradient.setColorAt(1, theme.barBottom);
  painter.fillRect(strip.rect(), gradient);
  painter.fillRect(QRect(0, 0, 1, strip.height()), theme.barEdgeDark);
  return strip;
}

QImage PaintColumnTitle(const SkinTheme& theme, const QString& title, bool sortMark) {
  const QRect area(0, 0, Pixels(layout::kColumnTitleWidth), Pixels(layout::kColumnTitleHeight));
  QImage picture(area.size(), QImage::Format_RGB32);
  picture.fill(theme.barBottom);
  QPainter painter(&picture);
  DrawFace(painter, area, theme);
  const QFont font = LabelFont(11, true);
  painter.setFont(font);
  painter.setPen(theme.symbol);
  const QFontMetrics metrics(font);
  painter.drawText(QPoint(6, (area.height() + metrics.capHeight()) / 2), title);
  // The mark says "click to sort"; it sits at the end of the visible track column.
  if (sortMark) {
    const Glyph arrows = glyphs::SortArrows();
    DrawGlyphCentred(painter, arrows, QRect(TrackColumnPixels() - 16, 0, arrows.Width(), area.height()),
                     theme.accent);
  }
  return picture;
}

QImage PaintPlaylistButtons(const SkinTheme& theme) {
  const QRect area(0, 0, Pixels(layout::kPlaylistWidth), Pixels(layout::kButtonBarHeight));
  QImage picture(area.size(), QImage::Format_RGB32);
  QPainter painter(&picture);
  QLinearGradient gradient(area.topLeft(), area.bottomLeft());
  gradient.setColorAt(0, theme.barTop);
  gradient.setColorAt(1, theme.barBottom);
  painter.fillRect(area, gradient);
  painter.fillRect(QRect(0, 0, area.width(), 1), theme.barEdgeLight);

  const struct {
    QRect hotSpot;
    Glyph glyph;
    const char* label;
  } buttons[] = {
      {layout::kMakeAdd, glyphs::Plus(), "Add"},
      {layout::kMakeDelete, glyphs::Minus(), "Delete"},
      {layout::kMakeSort, glyphs::SortArrows(), "Sort"},
      {layout::kMakeLoad, glyphs::Folder(), "Load"},
      {layout::kMakeSave, glyphs::Disk(), "Save"},
  };
  const QFont font = LabelFont(11, false);
  for (const auto& button : buttons) {
    const QRect face = PixelRect(button.hotSpot).adjusted(1, 2, -1, -2);
    DrawFace(painter, face, theme);
    DrawGlyphAndLabel(painter, button.glyph, QString::fromLatin1(button.label), font, face, theme.symbol);
  }
  return picture;
}

}  // namespace zelvo::skingen
