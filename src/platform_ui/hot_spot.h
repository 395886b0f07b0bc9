#pragma once

#include <QLabel>

#include "platform/twips.h"

namespace zelvo {

// Mouse buttons as the player's handlers count them: 1 left, 2 right, 4 middle,
// added together for a button state.
int PlayerButtons(Qt::MouseButtons buttons);
// Modifier keys as the player counts them: Shift 1, Ctrl 2, Alt 4.
int PlayerShiftState(Qt::KeyboardModifiers modifiers);

// A transparent, clickable area laid over a skin picture (or a text label such
// as the display). It reports the mouse in twips from its own top-left corner.
class HotSpot : public QLabel {
  Q_OBJECT
 public:
  HotSpot(const Twips& twips, QWidget* parent);

 signals:
  void Clicked();
  void MouseMoved(int buttons, int shift, double xTwips, double yTwips);
  void MouseReleased(int button, int shift, double xTwips, double yTwips);
  // The mouse wheel turned over the area: whole notches, positive away from the user.
  void Wheeled(int notches);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  const Twips& twips_;
  bool pressedInside_ = false;
  int wheelEighths_ = 0;  // a fine-grained wheel turns in parts of a notch
};

}  // namespace zelvo
