#pragma once

#include <QStringList>
#include <functional>

#include "base/layout.h"
#include "playback/playback_view.h"

namespace zelvo::test {

// Keeps what playback showed, including every caption in order, so a test can
// check both the end state and the texts passed on the way.
class RecordingView : public PlaybackView {
 public:
  QStringList captions;
  QString tooltip;
  DisplayAlignment alignment = DisplayAlignment::Centre;
  QList<DisplayAlignment> alignments;
  int trackProgress = layout::kProgressEmpty;
  int stripProgress = layout::kProgressEmpty;
  bool paused = false;
  bool playlistVisible = true;
  bool playerEnabled = true;
  bool busyCursor = false;
  int eventRuns = 0;
  int displayWidth = layout::kPlayerDisplay.width();
  int stripWidth = layout::kStripWidth;
  // Called at each LetEventsRun, to look at the program's state mid-operation.
  std::function<void()> onEvents;

  QString Caption() const { return captions.isEmpty() ? QString() : captions.last(); }

  void SetDisplayCaption(const QString& text) override { captions.append(text); }
  void SetDisplayTooltip(const QString& text) override { tooltip = text; }
  void SetDisplayAlignment(DisplayAlignment value) override {
    alignment = value;
    alignments.append(value);
  }
  int DisplayWidth() const override { return displayWidth; }
  void SetTrackProgressWidth(int twips) override { trackProgress = twips; }
  void SetStripProgress(int x2Twips) override { stripProgress = x2Twips; }
  int StripWidth() const override { return stripWidth; }
  void SetPausedLook(bool value) override { paused = value; }
  void HidePlaylist() override { playlistVisible = false; }
  void ShowPlaylist() override { playlistVisible = true; }
  void SetPlaylistBusyCursor(bool busy) override { busyCursor = busy; }
  void SetPlayerEnabled(bool enabled) override { playerEnabled = enabled; }
  void LetEventsRun() override {
    ++eventRuns;
    if (onEvents) onEvents();
  }
};

}  // namespace zelvo::test
