#include "windows/track_list_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform_ui/hot_spot.h"
#include "platform_ui/key_release_guard.h"
#include "base/track_entry.h"

namespace zelvo {

TrackListView::TrackListView(const Twips& twips, KeyReleaseGuard& keys, QWidget* parent)
    : QTreeView(parent), twips_(twips), keys_(keys) {
  setObjectName(QStringLiteral("PlayViewList"));
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setItemsExpandable(false);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setHeaderHidden(true);  // the skin's column-title buttons stand in for the header
  setMouseTracking(true);
  setFrameShape(QFrame::NoFrame);
  header()->setStretchLastSection(false);
}

void TrackListView::SetColumnWidthsTwips(double listWidth) {
  setColumnWidth(NameColumn, twips_.ToPixelsX(listWidth / 5 * 4));
  // The duration takes the rest of the row, so the selection runs to the
  // list's right edge and a bold (queued) duration has room to show whole.
  header()->setMinimumSectionSize(0);
  header()->setSectionResizeMode(NameColumn, QHeaderView::Fixed);
  header()->setSectionResizeMode(DurationColumn, QHeaderView::Stretch);
  setColumnHidden(PathColumn, true);
  setColumnHidden(PriorityColumn, true);
}

void TrackListView::keyPressEvent(QKeyEvent* event) {
  // The row under the cursor before the key moves it is what the player records.
  if (!event->isAutoRepeat()) emit KeyPressedDown();
  QTreeView::keyPressEvent(event);
}

void TrackListView::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat() || !keys_.TakeRelease(event->key(), window())) return;
  emit KeyReleased(event->key(), PlayerShiftState(event->modifiers()));
}

void TrackListView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeView::mouseDoubleClickEvent(event);
  emit RowDoubleClicked();
}

void TrackListView::mouseReleaseEvent(QMouseEvent* event) {
  QTreeView::mouseReleaseEvent(event);
  emit MouseReleased(PlayerButtons(event->button()), twips_.FromPixelsX(event->position().x()),
                     twips_.FromPixelsY(event->position().y()));
}

void TrackListView::mouseMoveEvent(QMouseEvent* event) {
  QTreeView::mouseMoveEvent(event);
  emit MouseMoved();
}

}  // namespace zelvo
