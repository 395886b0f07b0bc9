#include "skins/path_ignoring_case.h"

#include <QDir>
#include <QFileInfo>

namespace zelvo {

QString PathIgnoringCase(const QString& folder, const QString& name) {
  const QString exact = folder + QLatin1Char('/') + name;
  if (QFileInfo::exists(exact)) return exact;
  const QStringList entries =
      QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& entry : entries)
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return folder + QLatin1Char('/') + entry;
  return exact;
}

}  // namespace zelvo
