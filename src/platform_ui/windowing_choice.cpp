#include "platform_ui/windowing_choice.h"

#include <QtGlobal>

namespace zelvo {

WindowingChoice ChooseWindowing(const SessionFacts& session) {
  if (!session.qtPlatform.isEmpty()) return {};
  const bool wayland = !session.waylandDisplay.isEmpty() || session.sessionType == "wayland";
  if (!wayland) return {};
  if (!session.x11Display.isEmpty()) return {"xcb", {}};
  return {{},
          QStringLiteral("Zelvo: no XWayland in this Wayland session; the bar cannot keep to the top edge of the "
                         "screen or stay above other windows.")};
}

SessionFacts CurrentSession() {
  return {qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"), qgetenv("XDG_SESSION_TYPE")};
}

}  // namespace zelvo
