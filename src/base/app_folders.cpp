#include "base/app_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "base/log.h"

namespace zelvo {
namespace {

QString UserFolder(QStandardPaths::StandardLocation base) {
  // XDG_DATA_HOME / XDG_CONFIG_HOME, or their defaults under the home folder.
  return QDir(QStandardPaths::writableLocation(base)).filePath(QStringLiteral("zelvo"));
}

void MakeFolder(const QString& folder) {
  if (!QDir().mkpath(folder)) qCWarning(lcApp) << "cannot make the folder" << folder;
}

// The generator draws the icon theme into the program's folder; an install
// puts it into the system's icon folder beside the data folder instead.
QString IconsBeside(const QString& folder) { return QDir(folder).filePath(QStringLiteral("icons/hicolor")); }

}  // namespace

AppFolders AppFolders::Portable(const QString& folder) {
  return {folder, folder, folder, folder, folder, IconsBeside(folder), true};
}

AppFolders AppFolders::Locate(const QString& programFolder, const QString& installedDataFolder) {
  const QString installed = QDir::cleanPath(QDir(programFolder).filePath(installedDataFolder));
  const bool isInstalled = QFileInfo::exists(QDir(installed).filePath(QStringLiteral("credits.dat")));
  if (!isInstalled && QFileInfo(programFolder).isWritable()) return Portable(programFolder);

  AppFolders folders;
  folders.programFolder = programFolder;
  folders.dataFolder = UserFolder(QStandardPaths::GenericDataLocation);
  folders.configFolder = UserFolder(QStandardPaths::GenericConfigLocation);
  folders.sharedFolder = isInstalled ? installed : programFolder;
  folders.startFolder = QDir::homePath();
  folders.iconFolder = isInstalled ? QDir::cleanPath(installed + QStringLiteral("/../icons/hicolor"))
                                   : IconsBeside(programFolder);
  folders.portable = false;
  MakeFolder(folders.dataFolder);
  MakeFolder(folders.configFolder);
  return folders;
}

QString AppFolders::ReadPath(const QString& folder, const QString& name) const {
  const QString own = QDir(folder).filePath(name);
  const QString left = QDir(programFolder).filePath(name);
  return !portable && !QFileInfo::exists(own) && QFileInfo::exists(left) ? left : own;
}

QStringList AppFolders::SkinParents() const {
  if (portable) return {sharedFolder};
  return {dataFolder, sharedFolder};
}

}  // namespace zelvo
