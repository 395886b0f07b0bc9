#include "platform/key_release_guard.h"

#include <QApplication>
#include <QKeyEvent>

namespace zelvo {

KeyReleaseGuard::KeyReleaseGuard(QObject* parent) : QObject(parent) { qApp->installEventFilter(this); }

bool KeyReleaseGuard::TakeRelease(int qtKey, const QWidget* window) {
  const QPointer<QWidget> pressed = pressedIn_.take(qtKey);
  return pressed && pressed == window;
}

bool KeyReleaseGuard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    // A press reaches the focus widget and then its parents; each of them
    // names the same window.
    if (auto* widget = qobject_cast<QWidget*>(watched); widget && !key->isAutoRepeat())
      pressedIn_.insert(key->key(), widget->window());
  }
  return false;
}

}  // namespace zelvo
