#include "storage/listening_settings.h"

#include <QFileInfo>
#include <QSettings>

#include "base/log.h"
#include "platform/regular_file.h"
#include "storage/text_codec.h"

namespace zelvo {

void ListeningSettings::Load(const QString& path) {
  values_.clear();
  // Only a regular file of modest size is read: a FIFO would block the start
  // for ever, and a gigabyte in its place would eat the memory.
  const std::variant<QByteArray, ReadRefusal> read = ReadRegularFile(path, kSmallFileLimit);
  if (const ReadRefusal* refusal = std::get_if<ReadRefusal>(&read)) {
    if (!refusal->missing)
      qCWarning(lcStorage) << "cannot read" << path << ":" << refusal->reason << "- the listening options keep their defaults";
    return;
  }
  const QSettings file(path, QSettings::IniFormat);
  if (file.status() != QSettings::NoError) {
    qCWarning(lcStorage) << "cannot read" << path << "- the listening options keep their defaults";
    return;
  }
  for (const QString& key : file.allKeys()) values_.insert(key, file.value(key));
}

bool ListeningSettings::Save(const QString& path, QString* error) const {
  // A link to a regular file is written through and stays a link; a device,
  // FIFO, socket or folder in the file's place is never touched.
  if (const std::optional<QString> refusal = RefuseUnlessRegularOrAbsent(path)) {
    qCWarning(lcStorage) << "cannot write" << path << ":" << *refusal;
    if (error) *error = *refusal;
    return false;
  }
  const QString target = QFileInfo(path).exists() ? QFileInfo(path).canonicalFilePath() : path;
  QSettings file(target, QSettings::IniFormat);
  for (auto it = values_.cbegin(); it != values_.cend(); ++it) file.setValue(it.key(), it.value());
  file.sync();
  if (file.status() == QSettings::NoError) return true;
  qCWarning(lcStorage) << "cannot write" << path;
  if (error) *error = QStringLiteral("the file could not be written");
  return false;
}

}  // namespace zelvo
