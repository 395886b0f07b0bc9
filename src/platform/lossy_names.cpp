#include "platform/lossy_names.h"

#include <QFile>
#include <QStringList>

#include <dirent.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/path_bytes.h"

namespace zelvo {
namespace {

// The bytes of the one entry of folder that Qt shows as name.
std::optional<QByteArray> EntryShownAs(const QByteArray& folder, const QString& name, QString* problem) {
  DIR* dir = ::opendir(folder.constData());
  if (!dir) {
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    *problem = QStringLiteral("cannot read %1: %2").arg(PathFromBytes(folder), reason);
    return std::nullopt;
  }
  std::optional<QByteArray> found;
  int matches = 0;
  while (const dirent* entry = ::readdir(dir)) {
    if (QFile::decodeName(entry->d_name) != name) continue;
    found = QByteArray(entry->d_name);
    ++matches;
  }
  ::closedir(dir);
  if (matches == 1) return found;
  *problem = QStringLiteral("%1 entries of %2 read as \"%3\"").arg(matches).arg(PathFromBytes(folder), name);
  return std::nullopt;
}

}  // namespace

QString RecoverLossyPath(const QString& shown, QString* problem) {
  QString ignored;
  if (!problem) problem = &ignored;
  problem->clear();
  if (!shown.contains(QChar::ReplacementCharacter)) return shown;
  if (!shown.startsWith(QLatin1Char('/'))) {
    *problem = QStringLiteral("not an absolute path");
    return shown;
  }
  QByteArray path = "/";
  for (const QString& name : shown.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
    QByteArray bytes = PathBytes(name);
    if (name.contains(QChar::ReplacementCharacter)) {
      const std::optional<QByteArray> entry = EntryShownAs(path, name, problem);
      if (!entry) return shown;
      bytes = *entry;
    }
    if (!path.endsWith('/')) path += '/';
    path += bytes;
  }
  return PathFromBytes(path);
}

}  // namespace zelvo
