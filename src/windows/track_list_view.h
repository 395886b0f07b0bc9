#pragma once

#include <QTreeView>

#include "platform/twips.h"

namespace zelvo {

class KeyReleaseGuard;

// The list view of the playlist window. It shows the track list model and
// turns the user's keys and clicks into signals; the player decides what they do.
class TrackListView : public QTreeView {
  Q_OBJECT
 public:
  TrackListView(const Twips& twips, KeyReleaseGuard& keys, QWidget* parent);

  // Sets the visible columns: four fifths of the width for the name, the
  // rest of the row for the duration, path and priority hidden at width zero.
  void SetColumnWidthsTwips(double listWidth);

 signals:
  void KeyPressedDown();
  void KeyReleased(int qtKey, int shift);
  void RowDoubleClicked();
  void MouseReleased(int button, double xTwips, double yTwips);
  void MouseMoved();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  const Twips& twips_;
  KeyReleaseGuard& keys_;
};

}  // namespace zelvo
