#include "skin_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace zelvo::test {

QString ShippedSkin(const QString& name) { return QStringLiteral(ZELVO_APP_DIR "/skins/") + name; }

QStringList ShippedSkinNames() {
  return QDir(QStringLiteral(ZELVO_APP_DIR "/skins"))
      .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

void CopySkin(const QString& from, const QString& to) {
  ASSERT_TRUE(QDir().mkpath(to));
  const QStringList files = QDir(from).entryList(QDir::Files);
  ASSERT_FALSE(files.isEmpty()) << "no skin at " << from.toStdString();
  for (const QString& file : files) ASSERT_TRUE(QFile::copy(from + '/' + file, to + '/' + file));
}

QStringList FilesOpenUnder(const QString& folder) {
  QStringList open;
  const QString canonical = QFileInfo(folder).canonicalFilePath();
  for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
    const QString target = fd.symLinkTarget();
    if (target.startsWith(canonical)) open.append(target);
  }
  return open;
}

}  // namespace zelvo::test
