#pragma once

#include <QString>

namespace zelvo {

enum class DisplayAlignment { Left, Centre };

// What playback and adding tracks need from the two windows. The windows
// implement it; the logic never touches a widget. Widths are in twips.
class PlaybackView {
 public:
  virtual ~PlaybackView() = default;

  // The one-line display of the main window.
  virtual void SetDisplayCaption(const QString& text) = 0;
  virtual void SetDisplayTooltip(const QString& text) = 0;
  virtual void SetDisplayAlignment(DisplayAlignment alignment) = 0;
  // Full length of the display, which is also the seek scale and the length
  // of the full progress bar under it.
  virtual int DisplayWidth() const = 0;

  // The bar under the display.
  virtual void SetTrackProgressWidth(int twips) = 0;
  // The line on the strip that stands in for the tucked-away main window:
  // its end point, and the strip's full width.
  virtual void SetStripProgress(int x2Twips) = 0;
  virtual int StripWidth() const = 0;
  // A paused track shows itself: the bar under the display dims.
  virtual void SetPausedLook(bool paused) = 0;

  // While tracks are being added: the playlist window hidden with a busy
  // pointer, the main window disabled.
  virtual void HidePlaylist() = 0;
  virtual void ShowPlaylist() = 0;
  virtual void SetPlaylistBusyCursor(bool busy) = 0;
  virtual void SetPlayerEnabled(bool enabled) = 0;

  // Lets pending window events run once, so the windows repaint during a
  // long operation.
  virtual void LetEventsRun() = 0;
};

}  // namespace zelvo
