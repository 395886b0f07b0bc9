#include "credits_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <cmath>

#include "pixel_art.h"

namespace zelvo::skingen {

QImage PaintCreditsPicture() {
  QImage picture(360, 120, QImage::Format_RGB32);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, picture.height());
  sky.setColorAt(0, QColor("#1b2233"));
  sky.setColorAt(1, QColor("#0c1019"));
  painter.fillRect(picture.rect(), sky);

  // A quiet spectrum behind the name: bar heights from two slow waves.
  const QColor bars("#4cc9f0");
  for (int i = 0; i < 44; ++i) {
    const double level = 0.35 + 0.3 * std::sin(i * 0.37) + 0.2 * std::sin(i * 0.91 + 1.3);
    const int height = int(std::lround(std::clamp(level, 0.1, 0.95) * 70));
    QColor colour = bars;
    colour.setAlpha(60 + i % 3 * 15);
    painter.fillRect(QRect(4 + i * 8, picture.height() - 8 - height, 6, height), colour);
  }
  painter.fillRect(QRect(0, picture.height() - 6, picture.width(), 1), QColor("#2c3547"));

  QFont name = LabelFont(46, true);
  painter.setFont(name);
  painter.setPen(QColor("#f2f6ff"));
  painter.drawText(QRect(0, 8, picture.width(), 60), Qt::AlignCenter, QStringLiteral("Zelvo"));
  painter.setFont(LabelFont(13, false));
  painter.setPen(QColor("#8ae9ff"));
  painter.drawText(QRect(0, 66, picture.width(), 18), Qt::AlignCenter, QStringLiteral("MP3 / WMA Audio Player"));
  painter.setFont(LabelFont(11, false));
  painter.setPen(QColor("#aab6cc"));
  painter.drawText(QRect(0, 88, picture.width(), 16), Qt::AlignCenter, QStringLiteral("zelvo.example.org"));
  return picture;
}

}  // namespace zelvo::skingen
