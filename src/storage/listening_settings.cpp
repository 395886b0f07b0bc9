#include "storage/listening_settings.h"

#include <QFileInfo>
#include <QSettings>

#include "base/log.h"

namespace zelvo {

void ListeningSettings::Load(const QString& path) {
  values_.clear();
  if (!QFileInfo::exists(path)) return;
  const QSettings file(path, QSettings::IniFormat);
  if (file.status() != QSettings::NoError) {
    qCWarning(lcStorage) << "cannot read" << path << "- the listening options keep their defaults";
    return;
  }
  for (const QString& key : file.allKeys()) values_.insert(key, file.value(key));
}

bool ListeningSettings::Save(const QString& path, QString* error) const {
  QSettings file(path, QSettings::IniFormat);
  for (auto it = values_.cbegin(); it != values_.cend(); ++it) file.setValue(it.key(), it.value());
  file.sync();
  if (file.status() == QSettings::NoError) return true;
  qCWarning(lcStorage) << "cannot write" << path;
  if (error) *error = QStringLiteral("the file could not be written");
  return false;
}

}  // namespace zelvo
