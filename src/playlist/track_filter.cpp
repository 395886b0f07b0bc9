#include "playlist/track_filter.h"

#include <algorithm>
#include <string_view>

#include "base/packed_text.h"
#include "playlist/track_list_model.h"

namespace zelvo {
namespace {

bool IsAscii(QStringView text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

bool IsSeparator(QChar c) { return c == u'/' || c == u'\\'; }

// Appends an ASCII text folded, a byte a character.
void AppendFoldedAscii(QStringView text, QByteArray& out) {
  const qsizetype at = out.size();
  out.resize(at + text.size());
  char* to = out.data() + at;
  for (QChar c : text) {
    const char16_t unit = c.unicode();
    *to++ = char(unit >= u'A' && unit <= u'Z' ? unit | 0x20 : unit);
  }
}

}  // namespace

// A typed word as each row is searched for it.
struct TrackFilter::Word {
  QString text;
  QByteArray latin1;        // the same, a byte a character, when it can be
  bool fitsLatin1 = false;  // else no Latin-1 row can hold it
  // A folder ends with a separator, so only a word holding one can run from
  // a folder into its file name.
  bool spansFolders = false;
  std::vector<char> inFolder;  // by folder number
};

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
            if (stale_) return;
            for (int row = topLeft.row(); row <= bottomRight.row(); ++row) FoldRow(size_t(row));
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

void TrackFilter::FoldAll() {
  const size_t count = size_t(model_.rowCount());
  rows_.assign(count, RowText{});
  latin1_.clear();
  wide_.clear();
  folders_.clear();
  for (size_t row = 0; row < count; ++row) FoldRow(row);
  latin1_.squeeze();
  wide_.squeeze();
}

// A changed row's text is added at the end; the little it leaves behind
// goes at the next whole folding.
void TrackFilter::FoldRow(size_t row) {
  const TrackRows& rows = model_.Entries();
  QString name;
  rows.AppendName(row, name);
  QString file;
  rows.AppendFileName(row, file);
  FoldFolder(rows.FolderNumber(row));
  RowText& text = rows_[row];
  if (IsAscii(name) && IsAscii(file)) {
    text = {latin1_.size(), uint32_t(name.size()), uint32_t(file.size()), 0};
    AppendFoldedAscii(name, latin1_);
    latin1_.append('\n');
    AppendFoldedAscii(file, latin1_);
    return;
  }
  const QString folded = Fold(name) + QLatin1Char('\n') + Fold(file);
  const auto nameLength = uint32_t(folded.indexOf(QLatin1Char('\n')));
  const auto fileLength = uint32_t(folded.size() - nameLength - 1);
  if (FitsLatin1(folded)) {
    text = {latin1_.size(), nameLength, fileLength, 0};
    latin1_.append(folded.toLatin1());
  } else {
    text = {wide_.size(), nameLength, fileLength, 1};
    wide_.append(folded);
  }
}

void TrackFilter::FoldFolder(uint32_t folder) {
  if (folder >= folders_.size()) folders_.resize(folder + 1);
  if (!folders_[folder]) folders_[folder] = Fold(TrackRows::FolderText(folder));
}

TrackFilter::Word TrackFilter::Prepare(const QString& folded) const {
  Word word;
  word.text = folded;
  word.fitsLatin1 = FitsLatin1(folded);
  if (word.fitsLatin1) word.latin1 = folded.toLatin1();
  word.spansFolders = std::any_of(folded.begin(), folded.end(), IsSeparator);
  word.inFolder.resize(folders_.size());
  for (size_t folder = 0; folder < folders_.size(); ++folder)
    word.inFolder[folder] = folders_[folder] && folders_[folder]->contains(folded);
  return word;
}

bool TrackFilter::RowHolds(size_t row, const Word& word) const {
  const RowText& text = rows_[row];
  const qsizetype length = qsizetype(text.nameLength) + 1 + text.fileLength;
  if (text.wide) {
    if (QStringView(wide_).sliced(text.start, length).contains(word.text)) return true;
  } else if (word.fitsLatin1) {
    const std::string_view chars(latin1_.constData() + text.start, size_t(length));
    if (chars.find(std::string_view(word.latin1.constData(), size_t(word.latin1.size()))) != chars.npos) return true;
  }
  if (!word.spansFolders) return word.inFolder[model_.Entries().FolderNumber(row)];
  return FoldedPath(row).contains(word.text);
}

QString TrackFilter::FoldedPath(size_t row) const {
  const RowText& text = rows_[row];
  const qsizetype fileStart = text.start + text.nameLength + 1;
  QString path = *folders_[model_.Entries().FolderNumber(row)];
  if (text.wide)
    path.append(QStringView(wide_).sliced(fileStart, text.fileLength));
  else
    path.append(QLatin1String(latin1_.constData() + fileStart, text.fileLength));
  return path;
}

std::vector<int> TrackFilter::Match(const QString& typed) {
  if (stale_) {
    FoldAll();
    stale_ = false;
  }
  std::vector<Word> words;
  for (const QString& folded : Fold(typed.simplified()).split(QLatin1Char(' '), Qt::SkipEmptyParts))
    words.push_back(Prepare(folded));
  std::vector<int> rows;
  for (size_t row = 0; row < rows_.size(); ++row)
    if (std::all_of(words.begin(), words.end(), [&](const Word& word) { return RowHolds(row, word); }))
      rows.push_back(static_cast<int>(row));
  return rows;
}

}  // namespace zelvo
