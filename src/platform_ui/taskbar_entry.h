#pragma once

class QWidget;

namespace zelvo {

// Whether a window of its own can stay out of the taskbar, the pager and
// Alt+Tab without being a transient of another: true on X11, where the window
// manager reads it from the window's state.
bool WindowsCanSkipTheTaskbar();

// Marks the window as no taskbar, pager or Alt+Tab entry of its own. Window
// managers read this when the window is mapped and drop it when it is
// withdrawn: call it each time before the window is shown.
void KeepOutOfTaskbar(QWidget& window);

}  // namespace zelvo
