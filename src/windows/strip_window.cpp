#include "windows/strip_window.h"

#include <QPainter>

namespace zelvo {

StripWindow::StripWindow(const Twips& twips)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), twips_(twips) {
  setWindowTitle(QStringLiteral("Zelvo Strip"));
  setObjectName(QStringLiteral("Hidden"));
  setMouseTracking(true);
  setAutoFillBackground(true);
  SetColours(line_, QColor(0x20, 0x24, 0x2c));
}

void StripWindow::SetGeometryTwips(double left, double top, double width, double height) {
  widthTwips_ = width;
  setGeometry(twips_.ToPixelsX(left), twips_.ToPixelsY(top), twips_.ToPixelsX(width), twips_.ToPixelsY(height));
}

void StripWindow::SetProgress(double x2Twips) {
  progressTwips_ = x2Twips;
  update();
}

void StripWindow::SetColours(const QColor& line, const QColor& background) {
  line_ = line;
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, background);
  setPalette(palette);
  update();
}

void StripWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(line_);
  const int y = height() / 2;
  painter.drawLine(0, y, twips_.ToPixelsX(progressTwips_), y);
}

void StripWindow::mouseMoveEvent(QMouseEvent*) { emit MouseMoved(); }

}  // namespace zelvo
