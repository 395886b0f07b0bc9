#include "base/track_rows.h"

#include <QHashFunctions>
#include <mutex>
#include <optional>

namespace zelvo {
namespace {

// Texts that many rows hold alike (folders) or that few rows hold at all
// (odd durations and priorities), each kept once for the whole program and
// known by its number. A text stays once it is in: a list's folders are few
// beside its rows, and a list read again finds its own. Rows may be made on
// any thread, so every use takes the lock.
class SharedTexts {
 public:
  SharedTexts() { Number({}); }  // number 0: the empty text

  uint32_t Number(QStringView text) {
    const auto hash = uint32_t(qHash(text));
    std::lock_guard lock(mutex_);
    // The rows of one folder mostly come one after another.
    if (hash == lastHash_ && last_ < texts_.size() && texts_[last_].Equals(text)) return last_;
    size_t slot = hash & (slots_.size() - 1);
    for (; slots_[slot].number != kFree; slot = (slot + 1) & (slots_.size() - 1))
      if (slots_[slot].hash == hash && texts_[slots_[slot].number].Equals(text)) return Remember(hash, slots_[slot].number);
    const auto number = static_cast<uint32_t>(texts_.size());
    texts_.emplace_back(text);
    slots_[slot] = {hash, number};
    if (texts_.size() * 2 > slots_.size()) Grow();
    return Remember(hash, number);
  }

  void AppendTo(uint32_t number, QString& out) const {
    std::lock_guard lock(mutex_);
    texts_[number].AppendTo(out);
  }

  qsizetype Size(uint32_t number) const {
    std::lock_guard lock(mutex_);
    return texts_[number].size();
  }

 private:
  // An open table of numbers by hash, at most half full.
  struct Slot {
    uint32_t hash = 0;
    uint32_t number = kFree;
  };
  static constexpr uint32_t kFree = UINT32_MAX;

  uint32_t Remember(uint32_t hash, uint32_t number) {
    lastHash_ = hash;
    last_ = number;
    return number;
  }

  void Grow() {
    std::vector<Slot> old(slots_.size() * 2);
    std::swap(old, slots_);
    for (const Slot& entry : old) {
      if (entry.number == kFree) continue;
      size_t slot = entry.hash & (slots_.size() - 1);
      while (slots_[slot].number != kFree) slot = (slot + 1) & (slots_.size() - 1);
      slots_[slot] = entry;
    }
  }

  mutable std::mutex mutex_;
  std::vector<PackedText> texts_;
  std::vector<Slot> slots_ = std::vector<Slot>(64);
  uint32_t lastHash_ = 0;
  uint32_t last_ = 0;
};

SharedTexts& Folders() {
  static SharedTexts folders;
  return folders;
}

SharedTexts& OddTexts() {
  static SharedTexts texts;
  return texts;
}

QString OddText(uint32_t number) {
  QString text;
  OddTexts().AppendTo(number, text);
  return text;
}

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// The seconds of a duration written as the player writes it: minutes (two
// digits at least, no other leading zero) ":" two digits of seconds.
std::optional<uint32_t> SecondsOf(QStringView text) {
  const qsizetype colon = text.size() - 3;
  if (colon < 2 || colon > 7 || text[colon] != u':') return std::nullopt;
  if (colon > 2 && text[0] == u'0') return std::nullopt;
  uint32_t minutes = 0;
  for (qsizetype i = 0; i < colon; ++i) {
    if (!IsDigit(text[i])) return std::nullopt;
    minutes = minutes * 10 + uint32_t(text[i].unicode() - u'0');
  }
  if (!IsDigit(text[colon + 1]) || !IsDigit(text[colon + 2])) return std::nullopt;
  const uint32_t seconds = uint32_t(text[colon + 1].unicode() - u'0') * 10 + uint32_t(text[colon + 2].unicode() - u'0');
  if (seconds >= 60) return std::nullopt;
  return minutes * 60 + seconds;
}

void AppendDurationText(uint32_t total, QString& text) {
  char digits[16];
  char* end = digits + sizeof digits;
  char* out = end;
  uint32_t seconds = total % 60, minutes = total / 60;
  *--out = char('0' + seconds % 10);
  *--out = char('0' + seconds / 10);
  *--out = ':';
  int written = 0;
  do {
    *--out = char('0' + minutes % 10);
    minutes /= 10;
    ++written;
  } while (minutes > 0 || written < 2);
  text.append(QLatin1String(out, end - out));
}

// A priority written as plain decimal, as the player writes it.
std::optional<int32_t> RatingOf(QStringView text) {
  const qsizetype sign = text.startsWith(u'-') ? 1 : 0;
  const qsizetype digits = text.size() - sign;
  if (digits < 1 || digits > 5) return std::nullopt;
  if (text[sign] == u'0' && (digits > 1 || sign)) return std::nullopt;
  int32_t value = 0;
  for (qsizetype i = sign; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return std::nullopt;
    value = value * 10 + int32_t(text[i].unicode() - u'0');
  }
  return sign ? -value : value;
}

QString RatingText(int32_t value) {
  // The five ratings share one copy each.
  static const QString kRatings[] = {"-2", "-1", "0", "1", "2"};
  if (value >= -2 && value <= 2) return kRatings[value + 2];
  return QString::number(value);
}

// Up to the last "/" or "\\": paths from Windows keep their folders too.
qsizetype FolderLength(QStringView path) {
  qsizetype length = path.size();
  while (length > 0 && path[length - 1] != u'/' && path[length - 1] != u'\\') --length;
  return length;
}

}  // namespace

TrackRows::TrackRows(std::initializer_list<TrackEntry> entries) {
  rows_.reserve(entries.size());
  for (const TrackEntry& entry : entries) push_back(entry);
}

TrackRows::TrackRows(const std::vector<TrackEntry>& entries) {
  rows_.reserve(entries.size());
  for (const TrackEntry& entry : entries) push_back(entry);
}

TrackEntry TrackRows::operator[](size_t row) const {
  return {Name(row), Duration(row), Path(row), Priority(row), SequenceMark(row)};
}

QString TrackRows::Duration(size_t row) const {
  QString text;
  AppendDuration(row, text);
  return text;
}

void TrackRows::AppendDuration(size_t row, QString& out) const {
  const Row& r = rows_[row];
  if (r.oddDuration)
    OddTexts().AppendTo(r.duration, out);
  else
    AppendDurationText(r.duration, out);
}

QString TrackRows::Priority(size_t row) const {
  const Row& r = rows_[row];
  return r.oddPriority ? OddText(uint32_t(r.priority)) : RatingText(r.priority);
}

QString TrackRows::Path(size_t row) const {
  QString path;
  path.reserve(Folders().Size(rows_[row].folder) + rows_[row].file.size());
  AppendPath(row, path);
  return path;
}

void TrackRows::AppendPath(size_t row, QString& out) const {
  Folders().AppendTo(rows_[row].folder, out);
  rows_[row].file.AppendTo(out);
}

QString TrackRows::FolderText(uint32_t folder) {
  QString text;
  Folders().AppendTo(folder, text);
  return text;
}

void TrackRows::push_back(const TrackEntry& entry) {
  Append(entry.name, entry.duration, entry.path, entry.priority);
  rows_.back().sequenceMark = entry.sequenceMark;
}

void TrackRows::Append(QStringView name, QStringView duration, QStringView path, QStringView priority) {
  Row row;
  row.name = PackedText(name);
  const qsizetype folder = FolderLength(path);
  row.folder = Folders().Number(path.first(folder));
  row.file = PackedText(path.sliced(folder));
  if (const std::optional<uint32_t> seconds = SecondsOf(duration)) {
    row.duration = *seconds;
  } else {
    row.duration = OddTexts().Number(duration);
    row.oddDuration = true;
  }
  rows_.push_back(std::move(row));
  SetPriority(rows_.size() - 1, priority);
}

void TrackRows::Append(TrackRows&& more) {
  if (rows_.empty()) {
    rows_ = std::move(more.rows_);
    return;
  }
  rows_.insert(rows_.end(), std::make_move_iterator(more.rows_.begin()), std::make_move_iterator(more.rows_.end()));
  more.rows_.clear();
}

void TrackRows::SetPriority(size_t row, QStringView priority) {
  Row& r = rows_[row];
  const std::optional<int32_t> rating = RatingOf(priority);
  r.oddPriority = !rating;
  r.priority = rating ? *rating : int32_t(OddTexts().Number(priority));
}

std::vector<int> TrackRows::RemoveFlagged(const std::vector<bool>& doomed) {
  std::vector<int> newRowOf(rows_.size(), -1);
  size_t kept = 0;
  for (size_t row = 0; row < rows_.size(); ++row) {
    if (row < doomed.size() && doomed[row]) continue;
    if (kept != row) rows_[kept] = std::move(rows_[row]);
    newRowOf[row] = static_cast<int>(kept++);
  }
  rows_.resize(kept);
  return newRowOf;
}

std::vector<int> TrackRows::Reorder(const std::vector<int>& order) {
  std::vector<Row> moved;
  moved.reserve(rows_.size());
  std::vector<int> newRowOf(rows_.size());
  for (size_t row = 0; row < order.size(); ++row) {
    moved.push_back(std::move(rows_[static_cast<size_t>(order[row])]));
    newRowOf[static_cast<size_t>(order[row])] = static_cast<int>(row);
  }
  rows_ = std::move(moved);
  return newRowOf;
}

}  // namespace zelvo
