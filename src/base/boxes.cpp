#include "base/boxes.h"

#include "base/player_state.h"

namespace zelvo {

Boxes::Boxes(Desktop& desktop, PlayerState& state, QWidget& playlistWindow)
    : desktop_(desktop), state_(state), playlistWindow_(playlistWindow) {}

MessageAnswer Boxes::Show(const QString& text, const QString& title, MessageIcon icon, MessageButtons buttons,
                          AfterBox after) {
  playlistWindow_.hide();
  MessageAnswer answer;
  {
    DialogOpenScope open(state_);
    answer = desktop_.ShowMessage(text, title, icon, buttons);
  }
  if (after == AfterBox::ShowPlaylist) playlistWindow_.show();
  return answer;
}

DialogOpenScope::DialogOpenScope(PlayerState& state) : state_(state), before_(state.DialogOpen) {
  state_.DialogOpen = true;
}
DialogOpenScope::~DialogOpenScope() { state_.DialogOpen = before_; }

}  // namespace zelvo
