#include "storage/foreign_playlist.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>

#include "base/log.h"
#include "platform/path_bytes.h"
#include "storage/atomic_file.h"
#include "storage/text_codec.h"

namespace zelvo {
namespace {

const QLatin1String kFileScheme("file:");

// "scheme://" at the start: a stream's address. A local path may hold "://"
// further on ("/music/a://b.mp3").
bool IsStreamAddress(const QString& entry) {
  static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+://"));
  return scheme.match(entry).hasMatch();
}

// A "file:" URI's path, percent-decoded byte for byte: "file:///abs/path",
// "file://host/abs/path", "file:/abs/path" or, relative to the playlist,
// "file:name".
QString FileUriPath(QStringView uri) {
  QStringView rest = uri.sliced(kFileScheme.size());
  if (rest.startsWith(u"//")) {
    const qsizetype slash = rest.indexOf(u'/', 2);
    rest = slash < 0 ? QStringView() : rest.sliced(slash);
  }
  return PathFromBytes(QByteArray::fromPercentEncoding(rest.toUtf8()));
}

// An entry's path as a local absolute path, or empty for a stream address.
QString LocalPath(QString entry, const QDir& base) {
  entry = entry.trimmed();
  if (entry.startsWith(kFileScheme, Qt::CaseInsensitive)) entry = FileUriPath(entry);
  else if (IsStreamAddress(entry)) return {};
  else if (!entry.contains(QLatin1Char('/'))) entry.replace(QLatin1Char('\\'), QLatin1Char('/'));  // made on Windows
  if (entry.isEmpty()) return {};
  return entry.startsWith(QLatin1Char('/')) ? entry : QDir::cleanPath(base.absoluteFilePath(entry));
}

std::optional<double> Seconds(const QString& text) {
  bool ok = false;
  const double seconds = text.trimmed().toDouble(&ok);
  if (!ok || seconds < 0) return std::nullopt;
  return seconds;
}

void Take(std::vector<ListedTrack>& tracks, const QString& entry, const QDir& base, QString title,
          std::optional<double> seconds) {
  const QString path = LocalPath(entry, base);
  if (path.isEmpty()) {
    qCWarning(lcStorage) << "Playlist entry is not a local file, passed over:" << entry;
    return;
  }
  tracks.push_back({path, title.trimmed(), seconds});
}

std::vector<ListedTrack> ParseM3u(const QStringList& lines, const QDir& base) {
  std::vector<ListedTrack> tracks;
  QString title;
  std::optional<double> seconds;
  for (const QString& raw : lines) {
    const QString line = raw.trimmed();
    if (line.startsWith(QLatin1String("#EXTINF:"), Qt::CaseInsensitive)) {
      // "#EXTINF:123 tvg-attributes,Artist - Title": the name follows the first comma.
      const qsizetype comma = line.indexOf(QLatin1Char(','));
      const QString head = line.mid(8, comma < 0 ? -1 : comma - 8);
      seconds = Seconds(head.section(QLatin1Char(' '), 0, 0));
      title = comma < 0 ? QString() : line.mid(comma + 1);
      continue;
    }
    if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
    Take(tracks, line, base, title, seconds);
    title.clear();
    seconds.reset();
  }
  return tracks;
}

std::vector<ListedTrack> ParsePls(const QStringList& lines, const QDir& base) {
  // FileN, TitleN and LengthN may come in any order; entries go by N.
  QMap<int, QMap<QString, QString>> entries;
  for (const QString& raw : lines) {
    const QString line = raw.trimmed();
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals <= 0 || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('['))) continue;
    const QString key = line.left(equals).trimmed().toLower();
    for (const char* field : {"file", "title", "length"}) {
      if (!key.startsWith(QLatin1String(field))) continue;
      bool ok = false;
      const int number = key.mid(qsizetype(qstrlen(field))).toInt(&ok);
      if (ok) entries[number][QLatin1String(field)] = line.mid(equals + 1);
    }
  }
  std::vector<ListedTrack> tracks;
  for (const auto& fields : entries) {
    if (!fields.contains(QStringLiteral("file"))) continue;
    Take(tracks, fields.value(QStringLiteral("file")), base, fields.value(QStringLiteral("title")),
         Seconds(fields.value(QStringLiteral("length"), QStringLiteral("-1"))));
  }
  return tracks;
}

// "mm:ss" back to seconds; -1 (unknown, as M3U has it) when it is not such a text.
long SecondsOf(const QString& duration) {
  const qsizetype colon = duration.indexOf(QLatin1Char(':'));
  bool minutesOk = false, secondsOk = false;
  const long minutes = duration.left(colon).toLong(&minutesOk);
  const long seconds = duration.mid(colon + 1).toLong(&secondsOk);
  return colon > 0 && minutesOk && secondsOk ? minutes * 60 + seconds : -1;
}

// One line of M3U text: no line breaks inside.
QString OneLine(QString text) {
  return text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

// A path as its line: as it is when a reader takes that line back for the
// same path, else as a "file://" URI with every byte that could mislead
// percent-encoded (line breaks, spaces at either end, a leading "#", a
// "file:" or "scheme://" start, bytes that are not UTF-8).
QString PathLine(const QString& path) {
  const bool plain = path.startsWith(QLatin1Char('/')) && path == path.trimmed() &&
                     !path.contains(QLatin1Char('\r')) && !path.contains(QLatin1Char('\n')) &&
                     !HoldsForeignBytes(path);
  if (plain) return path;
  const QString scheme = QLatin1String(path.startsWith(QLatin1Char('/')) ? "file://" : "file:");
  return scheme + QString::fromLatin1(PathBytes(path).toPercentEncoding("/"));
}

}  // namespace

ForeignPlaylistKind ForeignPlaylistKindOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("m3u") || suffix == QLatin1String("m3u8")) return ForeignPlaylistKind::M3u;
  if (suffix == QLatin1String("pls")) return ForeignPlaylistKind::Pls;
  return ForeignPlaylistKind::None;
}

std::optional<std::vector<ListedTrack>> ReadForeignPlaylist(const QString& path, ForeignPlaylistKind kind) {
  const std::optional<QString> text = ReadTextFile(path);
  if (!text) return std::nullopt;
  QString normalised = *text;
  normalised.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  const QStringList lines = normalised.split(QLatin1Char('\n'));
  const QDir base = QFileInfo(path).absoluteDir();
  return kind == ForeignPlaylistKind::Pls ? ParsePls(lines, base) : ParseM3u(lines, base);
}

bool WriteM3u8File(const QString& path, const TrackRows& rows, QString* error) {
  QString text = QStringLiteral("#EXTM3U\n");
  for (size_t i = 0; i < rows.size(); ++i) {
    const TrackEntry row = rows[i];
    text += QStringLiteral("#EXTINF:%1,%2\n%3\n")
                .arg(SecondsOf(row.duration))
                .arg(OneLine(row.name), PathLine(row.path));
  }
  return WriteFileAtomically(path, text.toUtf8(), error);
}

}  // namespace zelvo
