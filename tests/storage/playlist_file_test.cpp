#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "playlist/track_list_model.h"
#include "storage/playlist_file.h"
#include "test_support.h"

namespace zelvo {
namespace {

const UniformCase kFirst{.firstLetter = true};
const UniformCase kCaps{.allCaps = true};
const QByteArray kV2Line = "\"Quandrell Software - Zelvo Audio Player - Saved Playlist - V2\"\r\n";
const QByteArray kV1Line = "\"Quandrell Software - Zelvo Audio Player - Saved Playlist\"\r\n";

TrackEntry Row(const QString& name, const QString& duration, const QString& path, const QString& priority) {
  return TrackEntry{name, duration, path, priority};
}

void ExpectRows(const TrackRows& actual, const std::vector<TrackEntry>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(actual[i].name, expected[i].name) << "row " << i;
    EXPECT_EQ(actual[i].duration, expected[i].duration) << "row " << i;
    EXPECT_EQ(actual[i].path, expected[i].path) << "row " << i;
    EXPECT_EQ(actual[i].priority, expected[i].priority) << "row " << i;
  }
}

class PlaylistFile : public ::testing::Test {
 protected:
  QString Path() const { return dir_.filePath("list.zpl"); }
  PlaylistReadResult ReadBytesBack(const QByteArray& bytes, const UniformCase& mode = kFirst) {
    test::WriteBytes(Path(), bytes);
    return ReadPlaylistFile(Path(), mode);
  }
  PlaylistReadResult RoundTrip(const std::vector<TrackEntry>& rows, const UniformCase& mode = {}) {
    QString error;
    EXPECT_TRUE(WritePlaylistFile(Path(), rows, &error)) << error.toStdString();
    return ReadPlaylistFile(Path(), mode);
  }

  QTemporaryDir dir_;
};

TEST_F(PlaylistFile, WritesQuotedCrLfLinesInTheFormatEarlierVersionsRead) {
  ASSERT_TRUE(WritePlaylistFile(Path(), {Row("Artist - Title", "03:41", "C:\\Music\\a.mp3", "-1"),
                                         Row("Caf\u00e9, Live", "10:02", "/m/b.wma", "2")}));
  EXPECT_EQ(test::ReadBytes(Path()), kV2Line +
                                         "\"Artist - Title|03:41|C:\\Music\\a.mp3|-1\"\r\n"
                                         "\"Caf\xC3\xA9, Live|10:02|/m/b.wma|2\"\r\n");
}

TEST_F(PlaylistFile, AnEmptyListIsTheHeaderOnlyAndReadsBackEmpty) {
  ASSERT_TRUE(WritePlaylistFile(Path(), {}));
  EXPECT_EQ(test::ReadBytes(Path()), kV2Line);
  const PlaylistReadResult read = ReadPlaylistFile(Path(), kFirst);
  EXPECT_EQ(read.status, PlaylistReadResult::V2);
  EXPECT_TRUE(read.rows.empty());
}

TEST_F(PlaylistFile, RoundTripKeepsEveryFieldAndNamesPassThroughUniformation) {
  const PlaylistReadResult read = RoundTrip({Row("rock & roll [live]", "03:41", "/m/a, b.mp3", "1"),
                                             Row("  \u00e9t\u00e9  ", "00:05", "/m/\u00e9t\u00e9.mp3", "-2")},
                                            kFirst);
  EXPECT_EQ(read.status, PlaylistReadResult::V2);
  EXPECT_FALSE(read.NeedsUpgrade());
  ExpectRows(read.rows, {Row("Rock And Roll Live", "03:41", "/m/a, b.mp3", "1"),
                         Row("\u00c9t\u00e9", "00:05", "/m/\u00e9t\u00e9.mp3", "-2")});
  EXPECT_EQ(ReadPlaylistFile(Path(), kCaps).rows[0].name, "ROCK AND ROLL LIVE");
}

TEST_F(PlaylistFile, SeparatorsAndQuotesInNamesBecomeLookAlikesInsteadOfShiftingFields) {
  const PlaylistReadResult read = RoundTrip({Row("AC|DC \"Live\"", "04|00", "/m/x.mp3", "\"1\""),
                                             Row("two\r\nlines", "01:00", "/m/y.mp3", "0")});
  ExpectRows(read.rows, {Row("AC\u00a6DC \u201dLive\u201d", "04\u00a600", "/m/x.mp3", "\u201d1\u201d"),
                         Row("two lines", "01:00", "/m/y.mp3", "0")});
}

TEST_F(PlaylistFile, PathsHoldingSeparatorsOrQuotesAreStoredEscapedAndReadBackExactly) {
  const std::vector<TrackEntry> rows = {
      Row("A", "01:00", "/m/a|b \"c\" 100%.mp3", "0"),
      Row("B", "01:00", "/m/new\nline.mp3", "0"),
      Row("C", "01:00", "zelvo-escaped:%7C.mp3", "0"),
      Row("D", "01:00", "/m/100%.mp3", "0"),
  };
  const PlaylistReadResult read = RoundTrip(rows);
  ExpectRows(read.rows, rows);
  const QByteArray bytes = test::ReadBytes(Path());
  EXPECT_TRUE(bytes.contains("\"A|01:00|zelvo-escaped:/m/a%7Cb %22c%22 100%25.mp3|0\"\r\n"));
  EXPECT_TRUE(bytes.contains("\"D|01:00|/m/100%.mp3|0\"\r\n")) << "paths without such characters are unchanged";
}

TEST_F(PlaylistFile, ListsBeyondThe16BitRowRangeRoundTrip) {
  std::vector<TrackEntry> rows;
  for (int i = 0; i < 40000; ++i) rows.push_back(Row(QString("Track %1").arg(i), "01:00", QString("/m/%1.mp3").arg(i), "0"));
  const PlaylistReadResult read = RoundTrip(rows);
  ASSERT_EQ(read.rows.size(), rows.size());
  EXPECT_EQ(read.rows.back().path, "/m/39999.mp3");
}

TEST_F(PlaylistFile, AV1FileIsReadWithNeutralPrioritiesAndFlaggedForUpgrade) {
  const PlaylistReadResult read = ReadBytesBack(kV1Line + "\"one|01:00|C:\\a.mp3\"\r\n\"two|02:00|C:\\b.mp3\"\r\n\"three|03:00|C:\\c.mp3\"\r\n");
  EXPECT_EQ(read.status, PlaylistReadResult::V1);
  EXPECT_TRUE(read.NeedsUpgrade());
  ExpectRows(read.rows, {Row("One", "01:00", "C:\\a.mp3", "0"), Row("Two", "02:00", "C:\\b.mp3", "0"),
                         Row("Three", "03:00", "C:\\c.mp3", "0")});
}

TEST_F(PlaylistFile, MissingEmptyAndUnreadableFilesAreMissingWithNoRows) {
  EXPECT_EQ(ReadPlaylistFile(dir_.filePath("none.zpl"), kFirst).status, PlaylistReadResult::Missing);
  EXPECT_EQ(ReadPlaylistFile(dir_.path(), kFirst).status, PlaylistReadResult::Missing);
  EXPECT_EQ(ReadBytesBack("").status, PlaylistReadResult::Missing);
  EXPECT_EQ(ReadBytesBack(" \r\n").status, PlaylistReadResult::Invalid) << "a blank first line is a line";
}

TEST_F(PlaylistFile, OnlyTheExactHeadersAreAccepted) {
  for (const QByteArray& header : {QByteArray("\"Quandrell Software - Zelvo Audio Player - Saved Playlist - v2\"\r\n"),
                                   QByteArray("\"quandrell software - zelvo audio player - saved playlist\"\r\n"),
                                   QByteArray("Some other text\r\n")}) {
    const PlaylistReadResult read = ReadBytesBack(header + "\"a|01:00|/a.mp3|0\"\r\n");
    EXPECT_EQ(read.status, PlaylistReadResult::Invalid) << header.constData();
    EXPECT_TRUE(read.rows.empty());
  }
}

TEST_F(PlaylistFile, MalformedRecordsGiveTheRowsTheirFieldsAllow) {
  const PlaylistReadResult read = ReadBytesBack(kV2Line +
                                                "\"no separator\"\r\n"
                                                "\"a|b\"\r\n"
                                                "\"c|01:00|/c.mp3\"\r\n"
                                                "\"d|01:00|/d.mp3|\"\r\n"
                                                "\r\n"
                                                "\"e|01:00|/e.mp3|1\"\r\n");
  ExpectRows(read.rows, {Row("A", "b", "", "0"), Row("C", "01:00", "/c.mp3", "0"), Row("D", "01:00", "/d.mp3", "0"),
                         Row("E", "01:00", "/e.mp3", "1")});
}

TEST_F(PlaylistFile, SurplusSeparatorsFromEarlierVersionsGoBackIntoTheName) {
  const PlaylistReadResult v2 = ReadBytesBack(kV2Line + "\"AC|DC|04:00|C:\\acdc.mp3|1\"\r\n", {});
  ExpectRows(v2.rows, {Row("AC|DC", "04:00", "C:\\acdc.mp3", "1")});
  const PlaylistReadResult v1 = ReadBytesBack(kV1Line + "\"a|b|c|02:00|C:\\x.mp3\"\r\n", {});
  ExpectRows(v1.rows, {Row("a|b|c", "02:00", "C:\\x.mp3", "0")});
}

TEST_F(PlaylistFile, SurplusFieldsAtTheEndStayWithTheLastFieldAndShiftNothing) {
  const PlaylistReadResult v2 = ReadBytesBack(kV2Line +
                                              "\"five|01:00|/path|1|extra\"\r\n"
                                              "\"a|b|03:00|/ab.mp3|2|x|y\"\r\n",
                                              {});
  ExpectRows(v2.rows, {Row("five", "01:00", "/path", "1|extra"), Row("a|b", "03:00", "/ab.mp3", "2|x|y")});
  const PlaylistReadResult v1 = ReadBytesBack(kV1Line + "\"six|02:00|/six.mp3|extra\"\r\n", {});
  ExpectRows(v1.rows, {Row("six", "02:00", "/six.mp3|extra", "0")});
}

TEST_F(PlaylistFile, ReadsLfLineEndsUnquotedLinesAndWindows1252Files) {
  const PlaylistReadResult lf = ReadBytesBack(kV2Line.chopped(2) + "\n\"x|01:00|/x.mp3|0\"\n y|02:00|/y.mp3|0 \n", {});
  ExpectRows(lf.rows, {Row("x", "01:00", "/x.mp3", "0"), Row("y", "02:00", "/y.mp3", "0")});

  const PlaylistReadResult windows = ReadBytesBack(kV1Line + "\"Beyonc\xE9 \x96 D\xE9j\xE0 Vu|04:00|C:\\M\xFAsica\\dv.mp3\"\r\n", {});
  ExpectRows(windows.rows, {Row("Beyonc\u00e9 \u2013 D\u00e9j\u00e0 Vu", "04:00", "C:\\M\u00fasica\\dv.mp3", "0")});
}

TEST_F(PlaylistFile, AFailedWriteReportsWhyAndKeepsTheOldFile) {
  ASSERT_TRUE(WritePlaylistFile(Path(), {Row("Keep", "01:00", "/k.mp3", "0")}));
  const QByteArray before = test::ReadBytes(Path());
  QString error;
  EXPECT_FALSE(WritePlaylistFile(Path() + "/inside-a-file.zpl", {Row("New", "01:00", "/n.mp3", "0")}, &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(test::ReadBytes(Path()), before);
}

// Rows hold durations and priorities as numbers and share their folders;
// what is written back must still be the very bytes that were read, odd
// texts from old or hand-made files included, and the list must show every
// row's texts as they were.
TEST_F(PlaylistFile, FilesWrittenBackAreTheBytesReadWithTheSameDurationsAndPriorities) {
  const char* priorities[] = {"-2", "-1", "0", "1", "2"};
  const QStringList oddDurations = {"3:41", "00:75", "", "007:00", "1:02:03", "\u0663:\u0664\u0661", "-01:00", "?"};
  const QStringList oddPriorities = {"+1", "01", "-0", " 1", "high", "123456"};
  QByteArray v2 = kV2Line;
  std::vector<TrackEntry> expected;
  for (int i = 0; i < 1000; ++i) {
    QString duration = i % 7 == 0 ? QStringLiteral("123:%1").arg(i % 60, 2, 10, QChar('0'))
                                  : QStringLiteral("%1:%2").arg(i % 9, 2, 10, QChar('0')).arg(i % 60, 2, 10, QChar('0'));
    if (i % 11 == 0) duration = oddDurations[(i / 11) % oddDurations.size()];
    const QString priority = i % 13 == 0 ? oddPriorities[(i / 13) % oddPriorities.size()] : priorities[i % 5];
    const QString name = QStringLiteral("Caf\u00e9 \u6771\u4eac \u266b\U0001F3B5 Artist %1 - Song").arg(i);
    const QString folder = i % 3 ? QStringLiteral("/home/\u00fcser/Mus\u00efc/%1/").arg(i % 10) : QStringLiteral("C:\\M\\");
    const QString path = folder + QStringLiteral("%1 \u2013 \U0001F3B5.mp3").arg(i);
    expected.push_back(Row(name, duration, path, priority));
    v2 += "\"" + (name + '|' + duration + '|' + path + '|' + priority).toUtf8() + "\"\r\n";
  }
  const PlaylistReadResult read = ReadBytesBack(v2, {});
  EXPECT_EQ(read.status, PlaylistReadResult::V2);
  ExpectRows(read.rows, expected);
  ASSERT_TRUE(WritePlaylistFile(Path(), read.rows));
  EXPECT_EQ(test::ReadBytes(Path()), v2);
  TrackListModel shown;
  shown.Replace(read.rows);
  for (int row = 0; row < shown.rowCount(); ++row) {
    EXPECT_EQ(shown.index(row, DurationColumn).data(), expected[size_t(row)].duration) << "row " << row;
    EXPECT_EQ(shown.index(row, PriorityColumn).data(), expected[size_t(row)].priority) << "row " << row;
  }

  // A V1 file reads with neutral priorities and is written back as V2 with
  // every other byte of its records kept.
  const QByteArray v1Records = "\"Caf\xC3\xA9|03:41|/m/a.mp3\"\r\n\"B|100:00|/m/\xE2\x99\xAB.wma\"\r\n";
  const PlaylistReadResult old = ReadBytesBack(kV1Line + v1Records, {});
  ExpectRows(old.rows, {Row("Caf\u00e9", "03:41", "/m/a.mp3", "0"), Row("B", "100:00", "/m/\u266b.wma", "0")});
  ASSERT_TRUE(WritePlaylistFile(Path(), old.rows));
  EXPECT_EQ(test::ReadBytes(Path()),
            kV2Line + "\"Caf\xC3\xA9|03:41|/m/a.mp3|0\"\r\n\"B|100:00|/m/\xE2\x99\xAB.wma|0\"\r\n");
}

}  // namespace
}  // namespace zelvo
