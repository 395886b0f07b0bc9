#pragma once

#include <QWidget>

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
  Boxes(Desktop& desktop, PlayerState& state, QWidget& playlistWindow);

  MessageAnswer Show(const QString& text, const QString& title, MessageIcon icon,
                     MessageButtons buttons = MessageButtons::Ok, AfterBox after = AfterBox::ShowPlaylist);

  Desktop& desktop() { return desktop_; }

 private:
  Desktop& desktop_;
  PlayerState& state_;
  QWidget& playlistWindow_;
};

// Sets DialogOpen for the life of a dialog and clears it on every way out.
// Scopes nest: an inner one (a box within a longer flow) gives back the outer
// one's value, so DialogOpen stays set until the outermost scope ends.
class DialogOpenScope {
 public:
  explicit DialogOpenScope(PlayerState& state);
  ~DialogOpenScope();
  DialogOpenScope(const DialogOpenScope&) = delete;
  DialogOpenScope& operator=(const DialogOpenScope&) = delete;

 private:
  PlayerState& state_;
  const bool before_;
};

}  // namespace zelvo
