#include "storage/playlist_file.h"

#include <QVarLengthArray>
#include <algorithm>

#include "storage/atomic_file.h"
#include "storage/escaped_path.h"
#include "storage/field_reader.h"
#include "storage/text_codec.h"

namespace zelvo {
namespace {

// Most fields hold none of the breaking characters and are copied whole.
void AppendSafeField(QString& out, const QString& field) {
  if (std::none_of(field.begin(), field.end(), BreaksStoredField)) {
    out += field;
    return;
  }
  for (QChar c : field) {
    switch (c.unicode()) {
      case u'|': out += QChar(u'\u00A6'); break;
      case u'"': out += QChar(u'\u201D'); break;
      case u'\r': case u'\n': out += QChar(u' '); break;
      default: out += c;
    }
  }
}

QByteArray EncodePlaylist(const std::vector<TrackEntry>& rows) {
  QString text;
  qsizetype estimate = kPlaylistHeaderV2.size() + 4;
  for (const TrackEntry& row : rows)
    estimate += row.name.size() + row.duration.size() + row.path.size() + row.priority.size() + 8;
  text.reserve(estimate + estimate / 16);
  text += QLatin1Char('"') + kPlaylistHeaderV2 + QLatin1String("\"\r\n");
  for (const TrackEntry& row : rows) {
    text += QLatin1Char('"');
    AppendSafeField(text, row.name);
    text += QLatin1Char('|');
    AppendSafeField(text, row.duration);
    text += QLatin1Char('|');
    text += EscapePath(row.path);
    text += QLatin1Char('|');
    AppendSafeField(text, row.priority);
    text += QLatin1String("\"\r\n");
  }
  return text.toUtf8();
}

// Splits a record into its fields: name, duration, path and, for V2,
// priority. Returns false for a record without any separator.
bool ParseRecord(QStringView record, int fieldCount, const UniformCase& mode, TrackEntry& row) {
  QVarLengthArray<qsizetype, 8> separators;
  for (qsizetype i = 0; i < record.size(); ++i)
    if (record[i] == u'|') separators.append(i);
  if (separators.isEmpty()) return false;

  // Only a name can hold "|": durations and priorities are numbers, and paths
  // that hold it are escaped. Surplus separators therefore belong to the name.
  const qsizetype surplus = std::max<qsizetype>(0, separators.size() - (fieldCount - 1));
  QVarLengthArray<qsizetype, 8> bounds{-1};
  for (qsizetype i = surplus; i < separators.size(); ++i) bounds.append(separators[i]);
  bounds.append(record.size());
  auto field = [&](int index) -> QStringView {
    if (index + 1 >= bounds.size()) return {};
    return record.sliced(bounds[index] + 1, bounds[index + 1] - bounds[index] - 1);
  };

  row.name = UniformName(field(0).toString(), mode);
  row.duration = field(1).toString();
  row.path = UnescapePath(field(2).toString());
  const QStringView priority = fieldCount == 4 ? field(3) : QStringView();
  row.priority = priority.isEmpty() ? QStringLiteral("0") : priority.toString();
  return true;
}

}  // namespace

bool WritePlaylistFile(const QString& path, const std::vector<TrackEntry>& rows, QString* error) {
  return WriteFileAtomically(path, EncodePlaylist(rows), error);
}

PlaylistReadResult ReadPlaylistFile(const QString& path, const UniformCase& mode) {
  PlaylistReadResult result;
  std::optional<QString> text = ReadTextFile(path);
  if (!text) return result;
  FieldReader reader(std::move(*text));
  const std::optional<QStringView> header = reader.Next();
  if (!header) return result;
  if (*header == kPlaylistHeaderV2)
    result.status = PlaylistReadResult::V2;
  else if (*header == kPlaylistHeaderV1)
    result.status = PlaylistReadResult::V1;
  else {
    result.status = PlaylistReadResult::Invalid;
    return result;
  }
  const int fieldCount = result.status == PlaylistReadResult::V2 ? 4 : 3;
  while (std::optional<QStringView> record = reader.Next()) {
    TrackEntry row;
    if (ParseRecord(*record, fieldCount, mode, row)) result.rows.push_back(std::move(row));
  }
  return result;
}

}  // namespace zelvo
