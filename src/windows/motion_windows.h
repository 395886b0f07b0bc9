#pragma once

#include "effects/motion_targets.h"

namespace zelvo {

class Options;
class PlayerWindow;
class PlaylistWindow;
class StripWindow;

// The real windows behind the drop-down and the auto-hide.
class MotionWindows : public MotionTargets {
 public:
  MotionWindows(PlayerWindow& player, PlaylistWindow& playlist, StripWindow& strip, const Options& options);

  QRectF PlayerGeometry() const override;
  bool PlayerVisible() const override;
  void PlacePlayerTop(double top) override;
  void SetPlayerVisible(bool visible) override;
  void SetPlayerEnabled(bool enabled) override;
  void HideVolumeBar() override;
  QRectF PlaylistGeometry() const override;
  bool PlaylistVisible() const override;
  void PlacePlaylistTop(double top) override;
  void SetPlaylistVisible(bool visible) override;
  void StackPlayerOverPlaylist() override;
  void ShowStrip(const QRectF& geometry) override;
  void HideStrip() override;
  bool StripVisible() const override;
  bool PopUpMenuOpen() const override;

 private:
  PlayerWindow& player_;
  PlaylistWindow& playlist_;
  StripWindow& strip_;
  const Options& options_;
};

}  // namespace zelvo
