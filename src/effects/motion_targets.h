#pragma once

#include <QRectF>

namespace zelvo {

// The three windows as the drop-down and the auto-hide move them. The logic
// never touches a widget, so it can be driven against recording windows as
// well as real ones. Geometry is in twips.
class MotionTargets {
 public:
  virtual ~MotionTargets() = default;

  // The bar on the top edge.
  virtual QRectF PlayerGeometry() const = 0;
  virtual bool PlayerVisible() const = 0;
  // Moves the bar to `top`, keeping its left.
  virtual void PlacePlayerTop(double top) = 0;
  virtual void SetPlayerVisible(bool visible) = 0;
  virtual void SetPlayerEnabled(bool enabled) = 0;
  virtual void HideVolumeBar() = 0;

  // The playlist window beneath the bar.
  virtual QRectF PlaylistGeometry() const = 0;
  virtual bool PlaylistVisible() const = 0;
  virtual void PlacePlaylistTop(double top) = 0;
  virtual void SetPlaylistVisible(bool visible) = 0;
  // The bar to the front and the playlist window to the back, so the list
  // slides out from behind the bar.
  virtual void StackPlayerOverPlaylist() = 0;

  // The strip that stands in for the bar while it is tucked away.
  virtual void ShowStrip(const QRectF& geometry) = 0;
  virtual void HideStrip() = 0;
  virtual bool StripVisible() const = 0;

  // Whether any pop-up menu of the bar or the list is up.
  virtual bool PopUpMenuOpen() const = 0;
};

}  // namespace zelvo
