#include "windows/motion_windows.h"

#include "windows/player_window.h"
#include "menus/options.h"
#include "windows/strip_window.h"
#include "windows/playlist_window.h"

namespace zelvo {

MotionWindows::MotionWindows(PlayerWindow& player, PlaylistWindow& playlist, StripWindow& strip,
                             const Options& options)
    : player_(player), playlist_(playlist), strip_(strip), options_(options) {}

QRectF MotionWindows::PlayerGeometry() const { return player_.GeometryTwips(); }
bool MotionWindows::PlayerVisible() const { return player_.isVisible(); }

void MotionWindows::PlacePlayerTop(double top) {
  const QRectF bar = player_.GeometryTwips();
  player_.SetGeometryTwips(bar.left(), top, bar.width(), bar.height());
}

void MotionWindows::SetPlayerVisible(bool visible) {
  player_.setVisible(visible);
  if (visible) player_.raise();
}

void MotionWindows::SetPlayerEnabled(bool enabled) { player_.setEnabled(enabled); }
void MotionWindows::HideVolumeBar() { player_.SetVolumeBarVisible(false); }

QRectF MotionWindows::PlaylistGeometry() const { return playlist_.GeometryTwips(); }
bool MotionWindows::PlaylistVisible() const { return playlist_.isVisible(); }

void MotionWindows::PlacePlaylistTop(double top) {
  const QRectF list = playlist_.GeometryTwips();
  playlist_.SetGeometryTwips(list.left(), top, list.width(), list.height());
}

void MotionWindows::SetPlaylistVisible(bool visible) { playlist_.setVisible(visible); }

void MotionWindows::StackPlayerOverPlaylist() {
  player_.raise();
  playlist_.lower();
}

void MotionWindows::ShowStrip(const QRectF& geometry) {
  strip_.SetGeometryTwips(geometry.left(), geometry.top(), geometry.width(), geometry.height());
  strip_.show();
  strip_.raise();
}

void MotionWindows::HideStrip() { strip_.hide(); }
bool MotionWindows::StripVisible() const { return strip_.isVisible(); }

bool MotionWindows::PopUpMenuOpen() const {
  for (QMenu* menu : {options_.OptionsMenu(), options_.VolumeMenu(), options_.SortMenu(), options_.DeleteMenu(),
                      options_.TrackMenu()})
    if (menu->isVisible()) return true;
  return false;
}

}  // namespace zelvo
