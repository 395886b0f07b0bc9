#include "playback/playback_display.h"

#include "base/layout.h"
#include "playback/display_tick.h"
#include "playback/playback.h"
#include "playback/playback_view.h"

namespace zelvo {

PlaybackDisplay::PlaybackDisplay(Playback& playback, PlaybackView& view, QObject* parent)
    : QObject(parent), view_(view) {
  connect(&playback, &Playback::CaptionChanged, this, [this](const QString& text) { view_.SetDisplayCaption(text); });
  connect(&playback, &Playback::NameShown, this, &PlaybackDisplay::ShowName);
  connect(&playback, &Playback::ProgressChanged, this, &PlaybackDisplay::ShowProgress);
  connect(&playback, &Playback::ProgressCleared, this, &PlaybackDisplay::ClearProgress);
  connect(&playback, &Playback::StatusChanged, this,
          [this](PlaybackStatus status) { view_.SetPausedLook(status == PlaybackStatus::Paused); });
}

// A track starts: its name, and the main bar from empty (the strip's line
// follows at the next tick).
void PlaybackDisplay::ShowName(const QString& name) {
  view_.SetTrackProgressWidth(layout::kProgressEmpty);
  view_.SetDisplayCaption(name);
  view_.SetDisplayTooltip(name);
}

void PlaybackDisplay::ShowProgress(double position, double duration) {
  if (auto x2 = ProgressLength(position, duration, view_.StripWidth())) view_.SetStripProgress(*x2);
  if (auto width = ProgressLength(position, duration, view_.DisplayWidth())) view_.SetTrackProgressWidth(*width);
}

void PlaybackDisplay::ClearProgress() {
  view_.SetTrackProgressWidth(layout::kProgressEmpty);
  view_.SetStripProgress(layout::kProgressEmpty);
}

}  // namespace zelvo
