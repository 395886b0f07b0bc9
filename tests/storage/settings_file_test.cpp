#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "storage/settings_file.h"
#include "test_support.h"

namespace zelvo {
namespace {

// The check marks a new window carries.
Settings BuiltInSettings() {
  Settings settings;
  for (const QString& name : kSettingsFlagEntries) settings.flags.insert(name, false);
  for (const char* name : {"BalMiddle", "NormalSE", "NormalPlay", "UniFirst", "MedVol", "ID3Possible", "AniEffects",
                           "AscOrder", "RealPlayList", "Trans200"})
    settings.flags.insert(name, true);
  return settings;
}

QByteArray Lines(const QList<QByteArray>& lines) {
  QByteArray bytes;
  for (const QByteArray& line : lines) bytes += line + "\r\n";
  return bytes;
}

// The file written for the built-in marks, skin 3, row 12 and C:\Music.
const QByteArray kExample = Lines({
    "#FALSE#", "#FALSE#", "#TRUE#",  "#FALSE#", "#FALSE#", "#FALSE#", "#TRUE#",  "#FALSE#",
    "#TRUE#",  "#FALSE#", "#FALSE#", "#FALSE#", "#TRUE#",  "#FALSE#", "#FALSE#", "#FALSE#",
    "#TRUE#",  "#FALSE#", "#FALSE#", "#TRUE#",  "#FALSE#", "#TRUE#",  "#TRUE#",  "3",
    "#TRUE#",  "#FALSE#", "#FALSE#", "#TRUE#",  "#FALSE#", "12",      "\"C:\\Music\"",
});

class SettingsFile : public ::testing::Test {
 protected:
  QString Path() const { return dir_.filePath("config.zcf"); }
  SettingsReadResult ReadBytesBack(const QByteArray& bytes) {
    test::WriteBytes(Path(), bytes);
    return ReadSettingsFile(Path());
  }
  QTemporaryDir dir_;
};

TEST_F(SettingsFile, WritesThirtyOneCrLfLinesInFileOrder) {
  Settings settings = BuiltInSettings();
  settings.skinNumber = 3;
  settings.selectedTrack = 12;
  settings.lastAddFolder = "C:\\Music";
  QString error;
  ASSERT_TRUE(WriteSettingsFile(Path(), settings, &error)) << error.toStdString();
  EXPECT_EQ(test::ReadBytes(Path()), kExample);
}

TEST_F(SettingsFile, ACompleteFileReadsBackEveryValue) {
  const SettingsReadResult read = ReadBytesBack(kExample);
  EXPECT_TRUE(read.fileFound);
  EXPECT_TRUE(read.Complete());
  EXPECT_EQ(read.flags, BuiltInSettings().flags);
  EXPECT_EQ(read.skinNumber, 3);
  EXPECT_EQ(read.selectedTrack, 12);
  EXPECT_EQ(read.lastAddFolder, "C:\\Music");
}

TEST_F(SettingsFile, FoldersWithCommasQuotesAndNonAsciiLettersSurviveARoundTrip) {
  for (const QString& folder : {QString("C:\\My Music, Old"), QString("/home/u/\"Best\" of|2"), QString("/m/Caf\u00e9 ©"),
                                QString()}) {
    Settings settings = BuiltInSettings();
    settings.lastAddFolder = folder;
    settings.skinNumber = -2;
    settings.selectedTrack = 2147483647;
    ASSERT_TRUE(WriteSettingsFile(Path(), settings));
    const SettingsReadResult read = ReadSettingsFile(Path());
    EXPECT_TRUE(read.Complete()) << folder.toStdString();
    EXPECT_EQ(read.lastAddFolder, folder);
    EXPECT_EQ(read.skinNumber, -2);
    EXPECT_EQ(read.selectedTrack, 2147483647);
  }
}

TEST_F(SettingsFile, FlagsAcceptBooleanWordsInAnyCaseAndNumbers) {
  QList<QByteArray> lines = {"true", "FALSE", "#true#", "-1", "0", "2.5", "True", "0.0"};
  while (lines.size() < 23) lines << "#FALSE#";
  const SettingsReadResult read = ReadBytesBack(Lines(lines + QList<QByteArray>{"7"}));
  EXPECT_EQ(read.linesRead, 24);
  EXPECT_FALSE(read.Complete());
  EXPECT_TRUE(read.flags["BalLeft"]);
  EXPECT_FALSE(read.flags["BalLHalf"]);
  EXPECT_TRUE(read.flags["BalMiddle"]);
  EXPECT_TRUE(read.flags["BalRHalf"]);
  EXPECT_FALSE(read.flags["BalRight"]);
  EXPECT_TRUE(read.flags["ClassicSE"]);
  EXPECT_TRUE(read.flags["NormalSE"]);
  EXPECT_FALSE(read.flags["DanceSE"]);
  EXPECT_EQ(read.skinNumber, 7);
  EXPECT_FALSE(read.selectedTrack.has_value());
}

TEST_F(SettingsFile, ReadingStopsAtTheFirstLineThatDoesNotConvert) {
  QList<QByteArray> abcOnLine5 = {"#TRUE#", "#TRUE#", "#FALSE#", "#TRUE#", "abc"};
  SettingsReadResult read = ReadBytesBack(Lines(abcOnLine5) + kExample);
  EXPECT_EQ(read.linesRead, 4);
  EXPECT_EQ(read.flags.size(), 4);
  EXPECT_FALSE(read.flags.contains("BalRight"));
  EXPECT_FALSE(read.skinNumber.has_value());
  EXPECT_FALSE(read.lastAddFolder.has_value());

  const struct {
    int line;
    QByteArray text;
  } badIntegers[] = {{24, "3x"}, {24, "40000"}, {24, "#TRUE#"}, {24, "1.5"}, {30, "abc"}, {30, "9999999999"}, {30, ""}};
  for (const auto& bad : badIntegers) {
    QList<QByteArray> lines = kExample.split('\n');
    lines[bad.line - 1] = bad.text + "\r";
    read = ReadBytesBack(lines.join('\n'));
    EXPECT_EQ(read.linesRead, bad.line - 1) << bad.text.constData();
    EXPECT_FALSE(read.Complete());
  }
}

TEST_F(SettingsFile, AShortFileSuppliesTheLinesItHas) {
  const SettingsReadResult read = ReadBytesBack(kExample.first(kExample.indexOf("12\r\n")));
  EXPECT_EQ(read.linesRead, 29);
  EXPECT_EQ(read.flags.size(), 28);
  EXPECT_EQ(read.skinNumber, 3);
  EXPECT_FALSE(read.selectedTrack.has_value());
  EXPECT_FALSE(read.Complete());
}

TEST_F(SettingsFile, AMissingFileSuppliesNothing) {
  const SettingsReadResult read = ReadSettingsFile(Path());
  EXPECT_FALSE(read.fileFound);
  EXPECT_EQ(read.linesRead, 0);
  EXPECT_TRUE(read.flags.isEmpty());
}

TEST_F(SettingsFile, LfLineEndsAndWindows1252FoldersAreRead) {
  QByteArray bytes = kExample;
  bytes.replace("\r\n", "\n").replace("\"C:\\Music\"", "\"C:\\M\xFAsica\"");
  const SettingsReadResult read = ReadBytesBack(bytes);
  EXPECT_TRUE(read.Complete());
  EXPECT_EQ(read.lastAddFolder, "C:\\M\u00fasica");
}

TEST_F(SettingsFile, AFailedWriteKeepsTheOldFile) {
  test::WriteBytes(Path(), kExample);
  QString error;
  EXPECT_FALSE(WriteSettingsFile(dir_.filePath("missing/config.zcf"), BuiltInSettings(), &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(WriteSettingsFile(dir_.path(), BuiltInSettings(), &error));
  EXPECT_EQ(test::ReadBytes(Path()), kExample);
}

}  // namespace
}  // namespace zelvo
