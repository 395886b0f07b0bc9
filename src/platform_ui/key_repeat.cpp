#include "platform_ui/key_repeat.h"

#include <QGuiApplication>
#include <QtDebug>
// Last: Xlib's macros (KeyPress, None, Bool ...) would clash with Qt's names.
#include <X11/XKBlib.h>

namespace zelvo {

void AskForOneReleasePerKeystroke() {
  const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->display()) return;
  Bool supported = False;
  if (!XkbSetDetectableAutoRepeat(x11->display(), True, &supported) || !supported)
    qWarning() << "the X server repeats held keys as releases and presses; a held key may act more than once";
}

}  // namespace zelvo
