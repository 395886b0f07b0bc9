#include "storage/playlist_file.h"

#include <QStringEncoder>
#include <QVarLengthArray>
#include <cstring>
#include <string_view>

#include "platform/path_bytes.h"
#include "storage/atomic_file.h"
#include "storage/escaped_path.h"
#include "storage/field_reader.h"
#include "storage/text_codec.h"

namespace zelvo {
namespace {

// Encodes rows into a fixed buffer that goes to the file whenever the next
// row might not fit, so a long list is never held in memory a second time
// and writing a row neither allocates nor checks capacity per field.
class PlaylistEncoder {
 public:
  explicit PlaylistEncoder(QIODevice& file) : file_(file), buffer_(kBufferBytes, Qt::Uninitialized) {}

  // Makes room for the given number of UTF-16 units (three UTF-8 bytes
  // each at most), writing out the buffer first when they might not fit.
  bool Reserve(qsizetype units) {
    const qsizetype needed = utf8_.requiredSpace(units);
    if (buffer_.size() - used_ >= needed) return true;
    if (!Flush()) return false;
    if (buffer_.size() < needed) buffer_.resize(needed);
    return true;
  }

  bool Flush() {
    const bool written = file_.write(buffer_.constData(), used_) == used_;
    used_ = 0;
    return written;
  }

  void Text(QStringView text) { used_ = utf8_.appendToBuffer(Out(), text) - buffer_.data(); }
  void Ascii(std::string_view text) {
    memcpy(Out(), text.data(), text.size());
    used_ += text.size();
  }

  // A name, duration or priority: a breaking character becomes its
  // look-alike, a line break a space. Most fields hold none, so each is
  // encoded first and looked at while its bytes are still in cache.
  void Field(const QString& field) {
    const qsizetype start = used_;
    Text(field);
    if (!HoldsFieldBreak(std::string_view(buffer_.constData() + start, used_ - start))) return;
    QString safe = field;
    safe.replace(u'|', u'\u00A6').replace(u'"', u'\u201D').replace(u'\r', u' ').replace(u'\n', u' ');
    used_ = start;
    Text(safe);
  }

  void Path(const QString& path) {
    const qsizetype start = used_;
    Text(path);
    if (IsStoredAsIs(std::string_view(buffer_.constData() + start, used_ - start)) && !HoldsForeignBytes(path))
      return;
    used_ = start;
    Text(EscapePath(path));
  }

 private:
  static constexpr qsizetype kBufferBytes = 256 * 1024;
  char* Out() { return buffer_.data() + used_; }

  QIODevice& file_;
  QStringEncoder utf8_{QStringEncoder::Utf8};
  QByteArray buffer_;
  qsizetype used_ = 0;
};

// The most UTF-16 units a row can take in the file: an escaped path grows to
// at most three units a character plus its marker.
qsizetype MaxRecordUnits(const TrackEntry& row) {
  return row.name.size() + row.duration.size() + 3 * row.path.size() + row.priority.size() + 32;
}

// One row's texts in buffers kept from row to row, so writing a long list
// allocates nothing per row.
void TakeRow(const TrackRows& rows, size_t i, TrackEntry& row) {
  row.name.resize(0);
  rows.AppendName(i, row.name);
  row.duration.resize(0);
  rows.AppendDuration(i, row.duration);
  row.path.resize(0);
  rows.AppendPath(i, row.path);
  row.priority = rows.Priority(i);
}

bool WriteRows(QIODevice& file, const TrackRows& rows) {
  PlaylistEncoder out(file);
  out.Reserve(kPlaylistHeaderV2.size() + 4);
  out.Ascii("\"");
  out.Text(kPlaylistHeaderV2);
  out.Ascii("\"\r\n");
  TrackEntry row;
  for (size_t i = 0; i < rows.size(); ++i) {
    TakeRow(rows, i, row);
    if (!out.Reserve(MaxRecordUnits(row))) return false;
    out.Ascii("\"");
    out.Field(row.name);
    out.Ascii("|");
    out.Field(row.duration);
    out.Ascii("|");
    out.Path(row.path);
    out.Ascii("|");
    out.Field(row.priority);
    out.Ascii("\"\r\n");
  }
  return out.Flush();
}

bool IsRating(QStringView text) {
  return text == u"2" || text == u"1" || text == u"0" || text == u"-1" || text == u"-2";
}

// Minutes, a colon and seconds, as durations are written.
bool IsDurationText(QStringView text) {
  const qsizetype colon = text.indexOf(u':');
  if (colon < 1 || colon + 1 >= text.size()) return false;
  for (qsizetype i = 0; i < text.size(); ++i)
    if (i != colon && !text[i].isDigit()) return false;
  return true;
}

// Splits a record into its fields: name, duration, path and, for V2,
// priority. Returns false for a record without any separator.
bool ParseRecord(QStringView record, int fieldCount, const UniformCase& mode, QString& name, TrackRows& rows) {
  QVarLengthArray<qsizetype, 8> separators;
  for (qsizetype i = 0; i < record.size(); ++i)
    if (record[i] == u'|') separators.append(i);
  if (separators.isEmpty()) return false;

  // field(k, n): the k-th field when the name takes n surplus separators;
  // the last field runs to the end of the record.
  const qsizetype surplus = std::max<qsizetype>(0, separators.size() - (fieldCount - 1));
  auto field = [&](int index, qsizetype inName) -> QStringView {
    const qsizetype first = index == 0 ? 0 : index + inName - 1;
    if (index > 0 && first >= separators.size()) return {};
    const qsizetype from = index == 0 ? 0 : separators[first] + 1;
    const qsizetype last = index + inName;
    const qsizetype to = index == fieldCount - 1 || last >= separators.size() ? record.size() : separators[last];
    return record.sliced(from, to - from);
  };
  // Earlier versions wrote a "|" in a name unchanged, so surplus separators
  // go back into the name, but only as far as the duration then stands in
  // its column. Otherwise the surplus stays with the last field.
  qsizetype inName = surplus;
  while (inName > 0 && !IsDurationText(field(1, inName))) --inName;
  if (inName == 0 && surplus > 0 && fieldCount == 4 && IsRating(field(3, surplus)) &&
      !IsDurationText(field(1, 0)))
    inName = surplus;

  const QStringView path = field(2, inName);
  const QStringView priority = fieldCount == 4 ? field(3, inName) : QStringView();
  // Hardly any path is stored escaped: the others are taken as they stand.
  const QString unescaped = IsStoredEscaped(path) ? UnescapePath(path.toString()) : QString();
  // Most names are clean already; the others are cleaned in a buffer kept
  // from row to row.
  QStringView cleanName = field(0, inName);
  if (!IsUniform(cleanName, mode)) {
    name.resize(0);
    name.append(cleanName);
    name = UniformName(std::move(name), mode);
    cleanName = name;
  }
  rows.Append(cleanName, field(1, inName),
              unescaped.isNull() ? path : QStringView(unescaped), priority.isEmpty() ? QStringView(u"0") : priority);
  return true;
}

// The number of line ends, to make room for the rows at once.
size_t LineEnds(QByteArrayView bytes) {
  size_t count = 0;
  const char* at = bytes.data();
  const char* const end = at + bytes.size();
  while ((at = static_cast<const char*>(memchr(at, '\n', size_t(end - at))))) {
    ++count;
    ++at;
  }
  return count;
}

}  // namespace

bool WritePlaylistFile(const QString& path, const TrackRows& rows, QString* error) {
  return WriteFileAtomically(path, [&rows](QIODevice& file) { return WriteRows(file, rows); }, error);
}

PlaylistReadResult ReadPlaylistFile(const QString& path, const UniformCase& mode) {
  PlaylistReadResult result;
  const std::optional<QByteArray> bytes = ReadFileBytes(path);
  if (!bytes) return result;
  result.cut = !bytes->endsWith('\n');
  result.rows.reserve(LineEnds(*bytes));
  // A line at a time into one buffer: the rows are built from the file's
  // bytes without a decoded copy of the whole file beside them.
  DecodedLines lines(*bytes);
  int fieldCount = 0;  // known once the header is read
  QString name;
  while (const std::optional<QStringView> line = lines.Next()) {
    FieldReader fields(*line);
    while (const std::optional<QStringView> field = fields.Next()) {
      if (fieldCount > 0) {
        ParseRecord(*field, fieldCount, mode, name, result.rows);
      } else if (*field == kPlaylistHeaderV2 || *field == kPlaylistHeaderV1) {
        result.status = *field == kPlaylistHeaderV2 ? PlaylistReadResult::V2 : PlaylistReadResult::V1;
        fieldCount = result.status == PlaylistReadResult::V2 ? 4 : 3;
      } else {
        result.status = PlaylistReadResult::Invalid;
        result.rows = {};
        return result;
      }
    }
  }
  return result;
}

}  // namespace zelvo
