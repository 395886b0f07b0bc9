#include "windows/window_icon.h"

#include <QDir>
#include <QFileInfo>

#include "base/log.h"

namespace zelvo {

QIcon ZelvoIcon(const QString& themeFolder) {
  QIcon icon;
  for (const QString& size : QDir(themeFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    const QString file = QStringLiteral("%1/%2/apps/zelvo.png").arg(themeFolder, size);
    if (QFileInfo::exists(file)) icon.addFile(file);
  }
  if (!icon.isNull()) return icon;
  qCWarning(lcApp) << "no program icon in" << themeFolder << "- asking the desktop's icon theme";
  return QIcon::fromTheme(QStringLiteral("zelvo"));
}

QString ZelvoIconFile(const QString& themeFolder) {
  QString largest = QStringLiteral("zelvo");
  int largestSize = 0;
  for (const QString& size : QDir(themeFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    const QString file = QStringLiteral("%1/%2/apps/zelvo.png").arg(themeFolder, size);
    const int pixels = size.section(QLatin1Char('x'), 0, 0).toInt();
    if (pixels > largestSize && QFileInfo::exists(file)) {
      largest = file;
      largestSize = pixels;
    }
  }
  return largest;
}

}  // namespace zelvo
