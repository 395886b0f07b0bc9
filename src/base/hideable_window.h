#pragma once

namespace zelvo {

// A window the logic below the windows hides and shows again: the playlist
// window goes out of the way while a box or a dialog is up.
class HideableWindow {
 public:
  virtual ~HideableWindow() = default;
  virtual void Hide() = 0;
  virtual void Show() = 0;
};

}  // namespace zelvo
