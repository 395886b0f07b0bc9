#include "icon_art.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTextStream>
#include <vector>

namespace zelvo::skingen {
namespace {

// Shapes on a 256-unit canvas.
constexpr double kCanvas = 256;
const QRectF kTile(8, 8, 240, 240);
constexpr double kTileRadius = 52;
const QColor kTileTop("#1b2233");
const QColor kTileBottom("#0c1019");
const QColor kBars("#4cc9f0");
const QColor kPlay("#f2f6ff");

struct Bar {
  QRectF rect;
  double opacity;
};

// Five bars rising from a common floor, the tallest in the middle.
std::vector<Bar> Bars() {
  const double heights[] = {70, 118, 160, 104, 136};
  std::vector<Bar> bars;
  for (int i = 0; i < 5; ++i)
    bars.push_back({QRectF(40 + i * 36, 208 - heights[i], 26, heights[i]), i == 2 ? 1.0 : 0.55});
  return bars;
}

QPolygonF PlayMark() { return QPolygonF({QPointF(96, 64), QPointF(96, 176), QPointF(188, 120)}); }

QString Number(double value) { return QString::number(value, 'g', 6); }

}  // namespace

QImage PaintIcon(int size) {
  QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / kCanvas, size / kCanvas);
  QLinearGradient tile(0, kTile.top(), 0, kTile.bottom());
  tile.setColorAt(0, kTileTop);
  tile.setColorAt(1, kTileBottom);
  painter.setPen(Qt::NoPen);
  painter.setBrush(tile);
  painter.drawRoundedRect(kTile, kTileRadius, kTileRadius);
  for (const Bar& bar : Bars()) {
    QColor colour = kBars;
    colour.setAlphaF(bar.opacity);
    painter.setBrush(colour);
    painter.drawRect(bar.rect);
  }
  painter.setBrush(kPlay);
  painter.drawPolygon(PlayMark());
  return icon;
}

QByteArray IconSvg() {
  QString svg;
  QTextStream out(&svg);
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
      << "  <defs><linearGradient id=\"tile\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">"
      << "<stop offset=\"0\" stop-color=\"" << kTileTop.name() << "\"/>"
      << "<stop offset=\"1\" stop-color=\"" << kTileBottom.name() << "\"/></linearGradient></defs>\n"
      << "  <rect x=\"" << Number(kTile.x()) << "\" y=\"" << Number(kTile.y()) << "\" width=\""
      << Number(kTile.width()) << "\" height=\"" << Number(kTile.height()) << "\" rx=\"" << Number(kTileRadius)
      << "\" fill=\"url(#tile)\"/>\n";
  for (const Bar& bar : Bars())
    out << "  <rect x=\"" << Number(bar.rect.x()) << "\" y=\"" << Number(bar.rect.y()) << "\" width=\""
        << Number(bar.rect.width()) << "\" height=\"" << Number(bar.rect.height()) << "\" fill=\"" << kBars.name()
        << "\" fill-opacity=\"" << Number(bar.opacity) << "\"/>\n";
  out << "  <polygon points=\"";
  for (const QPointF& point : PlayMark()) out << Number(point.x()) << ',' << Number(point.y()) << ' ';
  out << "\" fill=\"" << kPlay.name() << "\"/>\n</svg>\n";
  out.flush();
  return svg.toUtf8();
}

}  // namespace zelvo::skingen
