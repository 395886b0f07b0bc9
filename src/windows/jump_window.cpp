#include "windows/jump_window.h"

#include <QAbstractListModel>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "playlist/track_filter.h"
#include "playlist/track_list_model.h"

namespace zelvo {

// The matching rows as the window lists them: the name, the path as tooltip.
class JumpResults : public QAbstractListModel {
 public:
  explicit JumpResults(const TrackListModel& model, QObject* parent) : QAbstractListModel(parent), model_(model) {}

  void SetRows(std::vector<int> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
  }
  int RowAt(int shown) const { return rows_[static_cast<size_t>(shown)]; }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const TrackEntry& entry = model_.At(RowAt(index.row()));
    if (role == Qt::DisplayRole) return entry.name;
    if (role == Qt::ToolTipRole) return entry.path;
    return {};
  }

 private:
  const TrackListModel& model_;
  std::vector<int> rows_;
};

JumpWindow::JumpWindow(TrackFilter& filter, const TrackListModel& model, QWidget* parent)
    : QDialog(parent), filter_(filter), field_(new QLineEdit(this)), rows_(new QListView(this)),
      results_(new JumpResults(model, this)) {
  setWindowTitle(QStringLiteral("Jump to Track"));
  setObjectName(QStringLiteral("JumpWindow"));
  setWindowFlag(Qt::WindowStaysOnTopHint);
  rows_->setModel(results_);
  rows_->setUniformItemSizes(true);  // long lists lay out at once
  rows_->setFocusPolicy(Qt::NoFocus);
  rows_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(field_);
  layout->addWidget(rows_);
  field_->installEventFilter(this);
  connect(field_, &QLineEdit::textChanged, this, &JumpWindow::Refilter);
  connect(rows_, &QListView::doubleClicked, this, [this] {
    if (const int position = ChosenPosition()) emit PlayChosen(position);
    accept();
  });
}

JumpWindow::~JumpWindow() = default;

void JumpWindow::Ask(const QRect& place) {
  field_->clear();
  Refilter();
  setGeometry(place);
  field_->setFocus();
  exec();
}

void JumpWindow::Refilter() {
  results_->SetRows(filter_.Match(field_->text()));
  if (results_->rowCount() > 0) rows_->setCurrentIndex(results_->index(0));
}

void JumpWindow::Step(int rows) {
  const int count = results_->rowCount();
  if (count == 0) return;
  const int shown = std::clamp(rows_->currentIndex().row() + rows, 0, count - 1);
  rows_->setCurrentIndex(results_->index(shown));
}

int JumpWindow::ChosenPosition() const {
  const QModelIndex current = rows_->currentIndex();
  return current.isValid() ? results_->RowAt(current.row()) + 1 : 0;
}

bool JumpWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != field_ || event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Up: Step(-1); return true;
    case Qt::Key_Down: Step(1); return true;
    case Qt::Key_PageUp: Step(-10); return true;
    case Qt::Key_PageDown: Step(10); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      const int position = ChosenPosition();
      if (key->modifiers() & Qt::ShiftModifier) {
        if (position) emit QueueChosen(position);
        return true;
      }
      if (position) emit PlayChosen(position);
      accept();
      return true;
    }
    default: return QDialog::eventFilter(watched, event);
  }
}

}  // namespace zelvo
