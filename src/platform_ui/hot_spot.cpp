#include "platform_ui/hot_spot.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace zelvo {

int PlayerButtons(Qt::MouseButtons buttons) {
  return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
         (buttons & Qt::MiddleButton ? 4 : 0);
}

int PlayerShiftState(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

HotSpot::HotSpot(const Twips& twips, QWidget* parent) : QLabel(parent), twips_(twips) {
  setAttribute(Qt::WA_TranslucentBackground);
  setAutoFillBackground(false);
  setMouseTracking(true);
}

void HotSpot::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMoved(PlayerButtons(event->buttons()), PlayerShiftState(event->modifiers()),
                  twips_.FromPixelsX(event->position().x()), twips_.FromPixelsY(event->position().y()));
}

void HotSpot::mousePressEvent(QMouseEvent* event) {
  pressedInside_ = true;
  event->accept();
}

void HotSpot::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressedInside_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressedInside_ = false;
  emit MouseReleased(PlayerButtons(event->button()), PlayerShiftState(event->modifiers()),
                     twips_.FromPixelsX(event->position().x()), twips_.FromPixelsY(event->position().y()));
  if (click) emit Clicked();
}

void HotSpot::wheelEvent(QWheelEvent* event) {
  constexpr int kNotch = 120;  // eighths of a degree, as wheels report them
  wheelEighths_ += event->angleDelta().y();
  const int notches = wheelEighths_ / kNotch;
  wheelEighths_ -= notches * kNotch;
  event->accept();
  if (notches != 0) emit Wheeled(notches);
}

}  // namespace zelvo
