#pragma once

#include "base/hideable_window.h"
#include "platform/desktop.h"

namespace zelvo {

struct PlayerState;

// What becomes of the playlist window once a box is closed.
enum class AfterBox { ShowPlaylist, KeepPlaylistHidden };

// The player's message boxes. Around each one the playlist window is hidden
// (it would otherwise cover the box) and DialogOpen is set, so the bar does
// not tuck itself away while the user reads.
class Boxes {
 public:
  Boxes(Desktop& desktop, PlayerState& state, HideableWindow& playlistWindow);

  MessageAnswer Show(const QString& text, const QString& title, MessageIcon icon,
                     MessageButtons buttons = MessageButtons::Ok, AfterBox after = AfterBox::ShowPlaylist);

  Desktop& desktop() { return desktop_; }

 private:
  Desktop& desktop_;
  PlayerState& state_;
  HideableWindow& playlistWindow_;
};

// Sets DialogOpen for the life of a dialog and puts back what it was on every
// way out, so a box shown from inside a dialog leaves the dialog's mark alone.
class DialogOpenScope {
 public:
  explicit DialogOpenScope(PlayerState& state);
  ~DialogOpenScope();
  DialogOpenScope(const DialogOpenScope&) = delete;
  DialogOpenScope& operator=(const DialogOpenScope&) = delete;

 private:
  PlayerState& state_;
  const bool wasOpen_;
};

}  // namespace zelvo
