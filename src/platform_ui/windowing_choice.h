#pragma once

#include <QByteArray>
#include <QString>

namespace zelvo {

// The session Zelvo starts in, as its environment tells it.
struct SessionFacts {
  QByteArray qtPlatform;      // QT_QPA_PLATFORM, set by the user or a test
  QByteArray waylandDisplay;  // WAYLAND_DISPLAY
  QByteArray x11Display;      // DISPLAY (under Wayland: XWayland)
  QByteArray sessionType;     // XDG_SESSION_TYPE
};

// How to start the windowing: under Wayland a window can neither place itself
// on the top edge nor stay above the others, so Zelvo runs through XWayland
// (Qt's xcb platform) when the session offers it, and otherwise says once
// why the bar may wander. An explicit QT_QPA_PLATFORM is always kept.
struct WindowingChoice {
  QByteArray qtPlatform;  // empty: leave Qt's own choice
  QString notice;         // one line for standard error, or empty
};

WindowingChoice ChooseWindowing(const SessionFacts& session);

// The facts of the running process's environment.
SessionFacts CurrentSession();

}  // namespace zelvo
