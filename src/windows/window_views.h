#pragma once

#include "playback/playback_view.h"
#include "skins/skin_targets.h"

namespace zelvo {

class PlayerWindow;
class PlaylistWindow;
class StripWindow;

// The three windows as playback and the skins see them.
class WindowViews : public PlaybackView, public SkinTargets {
 public:
  WindowViews(PlayerWindow& player, PlaylistWindow& playlist, StripWindow& strip);

  // PlaybackView
  void SetDisplayCaption(const QString& text) override;
  void SetDisplayTooltip(const QString& text) override;
  void SetDisplayAlignment(DisplayAlignment alignment) override;
  int DisplayWidth() const override;
  void SetTrackProgressWidth(int twips) override;
  void SetStripProgress(int x2Twips) override;
  int StripWidth() const override;
  void SetPausedLook(bool paused) override;
  void HidePlaylist() override;
  void ShowPlaylist() override;
  void SetPlaylistBusyCursor(bool busy) override;
  void SetPlayerEnabled(bool enabled) override;
  void LetEventsRun() override;

  // SkinTargets
  void SetHTexture(const QImage& picture) override;
  void SetVTexture(int index, const QImage& picture) override;
  void SetColTrack(const QImage& picture) override;
  void SetColDuration(const QImage& picture) override;
  void SetPlaylistButtons(const QImage& picture) override;
  void SetSkinPicture(const QImage& picture) override;
  void SetDisplayForeColor(const QColor& colour) override;
  void SetTrackListForeColor(const QColor& colour) override;
  void SetTrackListBackColor(const QColor& colour) override;
  void SetStripProgressColor(const QColor& colour) override;
  void SetStripBackColor(const QColor& colour) override;
  void SetPlaylistVisible(bool visible) override;

  // Waits, a moment at most, for the bar and the list to be on screen and
  // draws them there. Only drawing runs meanwhile: keys, clicks, a quit or a
  // hand-over wait for what the caller does next.
  void DrawNow();

 private:
  PlayerWindow& player_;
  PlaylistWindow& playlist_;
  StripWindow& strip_;
  QColor stripLine_;
  QColor stripBack_;
  QColor listText_;
  QColor listBack_;
};

}  // namespace zelvo
