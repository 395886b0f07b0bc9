#include "platform_ui/key_release_guard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "platform_ui/key_repeat.h"

namespace zelvo {

KeyReleaseGuard::KeyReleaseGuard(QObject* parent) : QObject(parent) {
  qApp->installEventFilter(this);
  AskForOneReleasePerKeystroke();
}

bool KeyReleaseGuard::TakeRelease(int qtKey, const QWidget* window) {
  const QPointer<QWidget> pressed = pressedIn_.take(qtKey);
  return pressed && pressed == window;
}

bool KeyReleaseGuard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || key->isAutoRepeat()) return false;
    // A press reaches the focus widget and then its parents. A text editor
    // (the in-place rename box) keeps its keys: the Return that ends an edit
    // is no command of the window around it, so its parents must not claim it.
    QPointer<QWidget>& pressed = pressedIn_[key->key()];
    if (pressed && qobject_cast<QLineEdit*>(pressed) && widget->isAncestorOf(pressed)) return false;
    pressed = qobject_cast<QLineEdit*>(widget) ? widget : widget->window();
  }
  return false;
}

}  // namespace zelvo
