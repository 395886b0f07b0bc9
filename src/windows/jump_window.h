#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListView>
#include <vector>

namespace zelvo {

class TrackFilter;
class TrackListModel;
class JumpResults;

// The "Jump to Track" window: a text field above the rows that hold every
// typed word, updated as the user types. Up and Down choose a row, Return
// plays it and closes, Shift+Return queues it and stays, Escape closes.
class JumpWindow : public QDialog {
  Q_OBJECT
 public:
  JumpWindow(TrackFilter& filter, const TrackListModel& model, QWidget* parent = nullptr);
  ~JumpWindow() override;

  // Shows the window over `place` (global pixels) with an empty field, and
  // returns when it closes.
  void Ask(const QRect& place);

 signals:
  // 1-based positions in the track list.
  void PlayChosen(int position);
  void QueueChosen(int position);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Refilter();
  void Step(int rows);
  int ChosenPosition() const;

  TrackFilter& filter_;
  QLineEdit* field_;
  QListView* rows_;
  JumpResults* results_;
};

}  // namespace zelvo
