#include "playlist/track_filter.h"

#include <algorithm>

#include "playlist/track_list_model.h"

namespace zelvo {
namespace {

bool IsAscii(QStringView text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

}  // namespace

TrackFilter::TrackFilter(const TrackListModel& model, QObject* parent) : QObject(parent), model_(model) {
  auto markStale = [this] { stale_ = true; };
  connect(&model_, &QAbstractItemModel::modelReset, this, markStale);
  connect(&model_, &QAbstractItemModel::layoutChanged, this, markStale);
  connect(&model_, &QAbstractItemModel::rowsInserted, this, markStale);
  connect(&model_, &QAbstractItemModel::rowsRemoved, this, markStale);
  connect(&model_, &QAbstractItemModel::dataChanged, this,
          [this](const QModelIndex& topLeft, const QModelIndex& bottomRight, const QList<int>& roles) {
            // The playing row's font touches every row and changes no text.
            if (!roles.isEmpty() && !roles.contains(Qt::DisplayRole) && !roles.contains(Qt::EditRole)) return;
            if (!stale_) FoldRows(topLeft.row(), bottomRight.row());
          });
}

QString TrackFilter::Fold(const QString& text) {
  if (IsAscii(text)) return text.toLower();
  // Decomposed, an accented letter is its base letter followed by marks.
  const QString decomposed = text.normalized(QString::NormalizationForm_KD);
  QString folded;
  folded.reserve(decomposed.size());
  for (QChar c : decomposed)
    if (c.category() != QChar::Mark_NonSpacing) folded.append(c);
  return folded.toCaseFolded();
}

void TrackFilter::FoldRows(int first, int last) {
  for (int row = first; row <= last; ++row) {
    const TrackRows& rows = model_.Entries();
    folded_[static_cast<size_t>(row)] = Fold(rows.Name(size_t(row)) + QLatin1Char('\n') + rows.Path(size_t(row)));
  }
}

std::vector<int> TrackFilter::Match(const QString& typed) {
  if (stale_) {
    folded_.assign(static_cast<size_t>(model_.rowCount()), QString());
    FoldRows(0, model_.rowCount() - 1);
    stale_ = false;
  }
  const QStringList words = Fold(typed.simplified()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
  std::vector<int> rows;
  for (size_t row = 0; row < folded_.size(); ++row) {
    const QString& text = folded_[row];
    if (std::all_of(words.begin(), words.end(), [&](const QString& word) { return text.contains(word); }))
      rows.push_back(static_cast<int>(row));
  }
  return rows;
}

}  // namespace zelvo
