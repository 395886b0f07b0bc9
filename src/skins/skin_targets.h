#pragma once

#include <QColor>
#include <QImage>

namespace zelvo {

// Everything a skin paints, as the windows expose it. The main window, the
// playlist window and the strip implement this; the skin code never sees a
// widget, so a skin can be applied to recording targets in tests as well.
class SkinTargets {
 public:
  virtual ~SkinTargets() = default;

  // Pictures, each replacing the control's previous one.
  virtual void SetHTexture(const QImage& picture) = 0;                // playlist top frame strip
  virtual void SetVTexture(int index, const QImage& picture) = 0;     // 0 left, 1 right frame strip
  virtual void SetColTrack(const QImage& picture) = 0;                // "Track Name" title button
  virtual void SetColDuration(const QImage& picture) = 0;             // "Duration" title button
  virtual void SetPlaylistButtons(const QImage& picture) = 0;         // under add .. save
  virtual void SetSkinPicture(const QImage& picture) = 0;             // face of the main window

  // Colours.
  virtual void SetDisplayForeColor(const QColor& colour) = 0;         // track name on the bar
  virtual void SetTrackListForeColor(const QColor& colour) = 0;
  virtual void SetTrackListBackColor(const QColor& colour) = 0;
  virtual void SetStripProgressColor(const QColor& colour) = 0;       // progress line on the strip and fill on the bar
  virtual void SetStripBackColor(const QColor& colour) = 0;

  // Boxes about skins put the playlist window away while they are up and
  // show it again afterwards.
  virtual void SetPlaylistVisible(bool visible) = 0;
};

}  // namespace zelvo
