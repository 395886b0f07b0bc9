#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/app_folders.h"
#include "test_support.h"

namespace zelvo {
namespace {

// A home with its own XDG folders, restored afterwards.
class AppFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"}) saved_.append({name, qgetenv(name)});
    qputenv("HOME", Path("home").toUtf8());
    qputenv("XDG_DATA_HOME", Path("xdg-data").toUtf8());
    qputenv("XDG_CONFIG_HOME", Path("xdg-config").toUtf8());
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) qputenv(name, value);
  }
  QString Path(const QString& name) const { return root_.filePath(name); }
  // PREFIX/bin with PREFIX/share/zelvo as an install lays them out.
  QString MakeInstall() {
    EXPECT_TRUE(QDir().mkpath(Path("prefix/bin")));
    EXPECT_TRUE(QDir().mkpath(Path("prefix/share/zelvo/skins")));
    test::WriteBytes(Path("prefix/share/zelvo/credits.dat"), "picture");
    return Path("prefix/bin");
  }

  QTemporaryDir root_;
  QList<std::pair<const char*, QByteArray>> saved_;
};

TEST_F(AppFoldersTest, AWritableProgramFolderKeepsEverythingBesideTheProgram) {
  ASSERT_TRUE(QDir().mkpath(Path("portable")));
  const AppFolders folders = AppFolders::Locate(Path("portable"), "../share/zelvo");
  EXPECT_TRUE(folders.portable);
  for (const QString& folder : {folders.dataFolder, folders.configFolder, folders.sharedFolder, folders.startFolder})
    EXPECT_EQ(folder, Path("portable"));
  EXPECT_EQ(folders.iconFolder, Path("portable/icons/hicolor"));
  EXPECT_EQ(folders.SkinParents(), QStringList{Path("portable")});
  EXPECT_FALSE(QFileInfo::exists(Path("xdg-data/zelvo")));
  EXPECT_FALSE(QFileInfo::exists(Path("xdg-config/zelvo")));
}

TEST_F(AppFoldersTest, AnInstalledProgramKeepsTheUsersFilesInTheXdgFoldersAndReadsItsDataFromTheInstall) {
  const AppFolders folders = AppFolders::Locate(MakeInstall(), "../share/zelvo");
  EXPECT_FALSE(folders.portable);
  EXPECT_EQ(folders.dataFolder, Path("xdg-data/zelvo"));
  EXPECT_EQ(folders.configFolder, Path("xdg-config/zelvo"));
  EXPECT_TRUE(QFileInfo(folders.dataFolder).isDir());
  EXPECT_TRUE(QFileInfo(folders.configFolder).isDir());
  EXPECT_EQ(folders.sharedFolder, Path("prefix/share/zelvo"));
  EXPECT_EQ(folders.iconFolder, Path("prefix/share/icons/hicolor"));
  EXPECT_EQ(folders.startFolder, Path("home"));
  EXPECT_EQ(folders.SkinParents(), (QStringList{Path("xdg-data/zelvo"), Path("prefix/share/zelvo")}));
  // Nothing is copied into the user's folders.
  EXPECT_TRUE(QDir(folders.dataFolder).isEmpty());
  EXPECT_TRUE(QDir(folders.configFolder).isEmpty());
}

TEST_F(AppFoldersTest, WithoutXdgVariablesTheUsersFilesGoUnderTheHomeFolder) {
  qunsetenv("XDG_DATA_HOME");
  qunsetenv("XDG_CONFIG_HOME");
  const AppFolders folders = AppFolders::Locate(MakeInstall(), "../share/zelvo");
  EXPECT_EQ(folders.dataFolder, Path("home/.local/share/zelvo"));
  EXPECT_EQ(folders.configFolder, Path("home/.config/zelvo"));
}

// A folder nobody may write: without write permission, and for root (who
// may write anyway) marked immutable; undone when it goes.
struct ReadOnlyFolder {
  explicit ReadOnlyFolder(const QString& path) : path(path) {
    QDir().mkpath(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    if (QFileInfo(path).isWritable()) immutable = QProcess::execute("chattr", {"+i", path}) == 0;
  }
  ~ReadOnlyFolder() {
    if (immutable) QProcess::execute("chattr", {"-i", path});
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  QString path;
  bool immutable = false;
};

TEST_F(AppFoldersTest, AProgramFolderThatCannotBeWrittenReadsItsDataFromThereAndWritesToTheXdgFolders) {
  ReadOnlyFolder readOnly(Path("read-only"));
  if (QFileInfo(Path("read-only")).isWritable()) GTEST_SKIP() << "no way to make a folder read-only here";
  const AppFolders folders = AppFolders::Locate(Path("read-only"), "../share/zelvo");
  EXPECT_FALSE(folders.portable);
  EXPECT_EQ(folders.dataFolder, Path("xdg-data/zelvo"));
  EXPECT_EQ(folders.configFolder, Path("xdg-config/zelvo"));
  EXPECT_EQ(folders.sharedFolder, Path("read-only"));
  EXPECT_EQ(folders.iconFolder, Path("read-only/icons/hicolor"));
}

TEST_F(AppFoldersTest, FilesLeftBesideAReadOnlyProgramAreReadUntilTheUserHasTheirOwn) {
  AppFolders folders = AppFolders::Portable(Path("program"));
  folders.dataFolder = Path("data");
  folders.portable = false;
  ASSERT_TRUE(QDir().mkpath(Path("data")));
  ASSERT_TRUE(QDir().mkpath(Path("program")));
  EXPECT_EQ(folders.ReadPath(Path("data"), "AutoSave.zpl"), Path("data/AutoSave.zpl"));  // neither exists
  test::WriteBytes(Path("program/AutoSave.zpl"), "left");
  EXPECT_EQ(folders.ReadPath(Path("data"), "AutoSave.zpl"), Path("program/AutoSave.zpl"));
  test::WriteBytes(Path("data/AutoSave.zpl"), "own");
  EXPECT_EQ(folders.ReadPath(Path("data"), "AutoSave.zpl"), Path("data/AutoSave.zpl"));
  EXPECT_EQ(AppFolders::Portable(Path("program")).ReadPath(Path("program"), "config.zcf"), Path("program/config.zcf"));
}

}  // namespace
}  // namespace zelvo
