#pragma once

#include <QLabel>
#include <QWidget>

#include "base/hideable_window.h"
#include "platform/twips.h"
#include "platform_ui/hot_spot.h"
#include "windows/track_list_view.h"

namespace zelvo {

class KeyReleaseGuard;
class TrackList;

// The window that hangs beneath the bar: the track list between the skin's
// frame strips, the two column-title buttons above it and the button bar
// (add, delete, sort, load, save) along its bottom edge.
class PlaylistWindow : public QWidget, public HideableWindow {
  Q_OBJECT
 public:
  PlaylistWindow(const Twips& twips, KeyReleaseGuard& keys, TrackList& tracks);

  void Hide() override { hide(); }
  void Show() override { show(); }

  void SetGeometryTwips(double left, double top, double width, double height);
  QRectF GeometryTwips() const { return geometryTwips_; }
  // The button bar's place inside the window, in twips.
  QRectF ButtonBarTwips() const;
  QRectF ListTwips() const;

  TrackListView* PlayViewList() const { return list_; }
  HotSpot* MakeAdd() const { return makeAdd_; }
  HotSpot* MakeDelete() const { return makeDelete_; }
  HotSpot* MakeSort() const { return makeSort_; }
  HotSpot* MakeLoad() const { return makeLoad_; }
  HotSpot* MakeSave() const { return makeSave_; }
  HotSpot* ColTrack() const { return colTrack_; }
  HotSpot* ColDuration() const { return colDuration_; }
  QLabel* HTexture() const { return hTexture_; }
  QLabel* VTexture(int index) const { return vTexture_[index]; }
  QLabel* PlaylistButtons() const { return playlistButtons_; }

  void SetListColours(const QColor& text, const QColor& background);

  // Makes the window the active one with the keys in the list (or in a name
  // being edited there), if the window is shown.
  void GiveKeysToList();

 signals:
  // A key went up while the window itself (not the list) had the focus.
  void KeyReleased(int qtKey, int shift);

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  HotSpot* AddButton(const QRect& twipsRect, const QString& tooltip, const char* name);
  void PlaceChildren();
  void ShowBuiltInLook();

  const Twips& twips_;
  KeyReleaseGuard& keys_;
  QRectF geometryTwips_;
  QLabel* hTexture_;
  QLabel* vTexture_[2];
  HotSpot* colTrack_;
  HotSpot* colDuration_;
  TrackListView* list_;
  QWidget* buttonBar_;
  QLabel* playlistButtons_;
  HotSpot* makeAdd_;
  HotSpot* makeDelete_;
  HotSpot* makeSort_;
  HotSpot* makeLoad_;
  HotSpot* makeSave_;
};

}  // namespace zelvo
