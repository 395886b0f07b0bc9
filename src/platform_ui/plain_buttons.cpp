#include "platform_ui/plain_buttons.h"

#include <QPainter>

namespace zelvo {

QPixmap PlainButtons(const Twips& twips, const QSize& sizeTwips,
                     const std::vector<std::pair<QRect, const char*>>& buttons) {
  QPixmap picture(twips.ToPixelsX(sizeTwips.width()), twips.ToPixelsY(sizeTwips.height()));
  picture.fill(QColor(0x20, 0x24, 0x2c));
  QPainter painter(&picture);
  painter.setPen(QColor(0x70, 0x78, 0x88));
  for (const auto& [rect, caption] : buttons) {
    const QRect pixels = twips.ToPixels(rect).adjusted(1, 1, -2, -2);
    painter.fillRect(pixels, QColor(0x2c, 0x32, 0x3c));
    painter.drawRect(pixels);
    painter.drawText(pixels, Qt::AlignCenter, QString::fromLatin1(caption));
  }
  return picture;
}

}  // namespace zelvo
