#include "pixel_art.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <cmath>

namespace zelvo::skingen {

int Pixels(int twips) { return int(std::lround(twips / 15.0)); }

QRect PixelRect(const QRect& twips) {
  const int left = Pixels(twips.x());
  const int top = Pixels(twips.y());
  return QRect(left, top, Pixels(twips.x() + twips.width()) - left, Pixels(twips.y() + twips.height()) - top);
}

Glyph TriangleRight(int halfHeight) {
  Glyph glyph;
  for (int row = -halfHeight; row <= halfHeight; ++row) {
    const int filled = halfHeight + 1 - std::abs(row);
    glyph.rows.append(QString(filled, '#') + QString(halfHeight + 1 - filled, '.'));
  }
  return glyph;
}

Glyph TriangleLeft(int halfHeight) {
  Glyph glyph = TriangleRight(halfHeight);
  for (QString& row : glyph.rows) std::reverse(row.begin(), row.end());
  return glyph;
}

Glyph TriangleDown(int halfWidth) {
  Glyph glyph;
  for (int row = 0; row <= halfWidth; ++row)
    glyph.rows.append(QString(row, '.') + QString(2 * (halfWidth - row) + 1, '#') + QString(row, '.'));
  return glyph;
}

Glyph Block(int width, int height) { return Glyph{QStringList(height, QString(width, '#'))}; }

Glyph Space(int width) { return Glyph{QStringList(1, QString(width, '.'))}; }

Glyph Beside(std::initializer_list<Glyph> parts) {
  int height = 0;
  for (const Glyph& part : parts) height = std::max(height, part.Height());
  Glyph glyph{QStringList(height, QString())};
  for (const Glyph& part : parts) {
    const int top = (height - part.Height()) / 2;
    for (int row = 0; row < height; ++row) {
      const bool inside = row >= top && row < top + part.Height();
      glyph.rows[row] += inside ? part.rows[row - top] : QString(part.Width(), '.');
    }
  }
  return glyph;
}

Glyph Stacked(std::initializer_list<Glyph> parts) {
  int width = 0;
  for (const Glyph& part : parts) width = std::max(width, part.Width());
  Glyph glyph;
  for (const Glyph& part : parts) {
    const int left = (width - part.Width()) / 2;
    for (const QString& row : part.rows)
      glyph.rows.append(QString(left, '.') + row + QString(width - left - part.Width(), '.'));
  }
  return glyph;
}

void DrawGlyph(QPainter& painter, const Glyph& glyph, QPoint topLeft, const QColor& colour) {
  for (int y = 0; y < glyph.Height(); ++y)
    for (int x = 0; x < glyph.Width(); ++x)
      if (glyph.rows[y][x] == '#') painter.fillRect(topLeft.x() + x, topLeft.y() + y, 1, 1, colour);
}

void DrawGlyphCentred(QPainter& painter, const Glyph& glyph, const QRect& area, const QColor& colour) {
  const QPoint topLeft(area.left() + (area.width() - glyph.Width()) / 2,
                       area.top() + (area.height() - glyph.Height()) / 2);
  DrawGlyph(painter, glyph, topLeft, colour);
}

void DrawOutline(QPainter& painter, const QRect& area, const QColor& colour, int width) {
  painter.fillRect(QRect(area.left() + 1, area.top(), area.width() - 2, width), colour);
  painter.fillRect(QRect(area.left() + 1, area.bottom() - width + 1, area.width() - 2, width), colour);
  painter.fillRect(QRect(area.left(), area.top() + 1, width, area.height() - 2), colour);
  painter.fillRect(QRect(area.right() - width + 1, area.top() + 1, width, area.height() - 2), colour);
}

void DrawFace(QPainter& painter, const QRect& area, const SkinTheme& theme) {
  const int border = theme.borderWidth;
  QLinearGradient gradient(area.topLeft(), area.bottomLeft());
  gradient.setColorAt(0, theme.faceTop);
  gradient.setColorAt(1, theme.faceBottom);
  painter.fillRect(area.adjusted(1, 1, -1, -1), gradient);
  DrawOutline(painter, area, theme.faceBorder, border);
  painter.fillRect(QRect(area.left() + border, area.top() + border, area.width() - 2 * border, 1), theme.faceHighlight);
}

QFont LabelFont(int pixelSize, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

void DrawGlyphAndLabel(QPainter& painter, const Glyph& glyph, const QString& label, const QFont& font,
                       const QRect& area, const QColor& colour) {
  const QFontMetrics metrics(font);
  const int gap = glyph.Width() > 0 && !label.isEmpty() ? 3 : 0;
  const int textWidth = metrics.horizontalAdvance(label);
  const int left = area.left() + (area.width() - glyph.Width() - gap - textWidth) / 2;
  DrawGlyph(painter, glyph, QPoint(left, area.top() + (area.height() - glyph.Height()) / 2), colour);
  // Cap height, not the font's full box, is what the eye centres.
  const int baseline = area.top() + (area.height() + metrics.capHeight()) / 2;
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(QPoint(left + glyph.Width() + gap, baseline), label);
}

}  // namespace zelvo::skingen
