#pragma once

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include "platform_ui/hot_spot.h"
#include "platform/twips.h"

namespace zelvo {

class KeyReleaseGuard;

// The main window: the bar along the top edge of the screen. It holds the
// skin picture, the transparent hot-spots over it, the one-line display with
// its progress bar, and the volume bar. It only turns events into signals.
class PlayerWindow : public QWidget {
  Q_OBJECT
 public:
  PlayerWindow(const Twips& twips, KeyReleaseGuard& keys);

  // Places and sizes the window in twips; the skin picture follows the size.
  void SetGeometryTwips(double left, double top, double width, double height);
  QRectF GeometryTwips() const;

  HotSpot* MakeBackTrack() const { return makeBackTrack_; }
  HotSpot* MakePlay() const { return makePlay_; }
  HotSpot* MakeStop() const { return makeStop_; }
  HotSpot* MakeNextTrack() const { return makeNextTrack_; }
  HotSpot* PlayerDisplay() const { return playerDisplay_; }
  HotSpot* MakePlayDrop() const { return makePlayDrop_; }
  HotSpot* MakeOptionsDrop() const { return makeOptionsDrop_; }
  HotSpot* MakeVolumeDrop() const { return makeVolumeDrop_; }
  HotSpot* MakeClose() const { return makeClose_; }
  QLabel* SkinPicture() const { return skinPicture_; }

  void SetTrackProgressWidth(double twips);
  // The bar half see-through, so the skin shows through it: paused.
  void SetProgressDimmed(bool dimmed);
  double TrackProgressWidth() const { return trackProgressWidth_; }
  void SetVolumeBarWidth(double twips);
  double VolumeBarWidth() const { return volumeBarWidth_; }
  void SetVolumeBarVisible(bool visible);
  bool VolumeBarVisible() const;

  // A picture of the whole bar from the skin; a null picture brings back the
  // built-in face, on which every button's area can be seen.
  void SetSkinPicture(const QPixmap& picture);
  void SetDisplayColour(const QColor& colour);
  // The fill of the progress bar behind the display's text.
  void SetProgressColour(const QColor& colour);

 signals:
  void CloseRequested();
  // A key went up in this window (and went down here too).
  void KeyReleased(int qtKey, int shift);
  void BareMouseMoved();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  HotSpot* AddHotSpot(const QRect& twipsRect, const QString& tooltip);
  void PlaceChildren();
  QPixmap BuiltInFace() const;
  void ShowDisplayTooltip(const QPoint& pointer);

  const Twips& twips_;
  KeyReleaseGuard& keys_;
  QRectF geometryTwips_;
  QLabel* skinPicture_;
  QPixmap skin_;
  HotSpot* makeBackTrack_;
  HotSpot* makePlay_;
  HotSpot* makeStop_;
  HotSpot* makeNextTrack_;
  QFrame* trackProgress_;
  HotSpot* playerDisplay_;
  HotSpot* makePlayDrop_;
  HotSpot* makeOptionsDrop_;
  QFrame* volumeShape_;
  HotSpot* makeVolumeDrop_;
  HotSpot* makeClose_;
  double trackProgressWidth_;
  double volumeBarWidth_;
};

}  // namespace zelvo
