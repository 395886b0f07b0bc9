#include "base/boxes.h"

#include "base/player_state.h"

namespace zelvo {

Boxes::Boxes(Desktop& desktop, PlayerState& state, HideableWindow& playlistWindow)
    : desktop_(desktop), state_(state), playlistWindow_(playlistWindow) {}

MessageAnswer Boxes::Show(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons,
                          AfterBox after) {
  playlistWindow_.Hide();
  MessageAnswer answer;
  {
    DialogOpenScope open(state_);
    answer = desktop_.ShowMessage(text, title, icon, buttons);
  }
  if (after == AfterBox::ShowPlaylist) playlistWindow_.Show();
  return answer;
}

DialogOpenScope::DialogOpenScope(PlayerState& state) : state_(state), wasOpen_(state.DialogOpen) {
  state_.DialogOpen = true;
}
DialogOpenScope::~DialogOpenScope() { state_.DialogOpen = wasOpen_; }

}  // namespace zelvo
