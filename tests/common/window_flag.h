#pragma once

#include "base/hideable_window.h"

namespace zelvo {

// A window that is only its shown flag, for the logic that hides the
// playlist window around boxes.
struct WindowFlag : HideableWindow {
  bool shown = false;
  void Hide() override { shown = false; }
  void Show() override { shown = true; }
};

}  // namespace zelvo
