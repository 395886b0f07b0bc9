#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "storage/text_codec.h"
#include "test_support.h"

namespace zelvo {
namespace {

TEST(TextCodec, Utf8TextIsDecodedAsUtf8) {
  EXPECT_EQ(DecodeText("caf\xC3\xA9 \xE2\x80\x9D\r\n"), QString::fromUtf8("café ”\r\n"));
  EXPECT_EQ(DecodeText("\xEF\xBB\xBF" "abc"), "abc");
}

TEST(TextCodec, LinesThatAreNotUtf8AreDecodedAsWindows1252) {
  // One line from a Windows file, one written by Zelvo: each keeps its accents.
  const QByteArray bytes = "Beyonc\xE9 \x96 \x93Halo\x94 \x80\r\ncaf\xC3\xA9\r\n";
  EXPECT_EQ(DecodeText(bytes), QString::fromUtf8("Beyoncé – “Halo” €\r\ncafé\r\n"));
}

TEST(TextCodec, Windows1252CoversEveryByte) {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(char(b));
  const QString text = DecodeWindows1252(all);
  ASSERT_EQ(text.size(), 256);
  EXPECT_EQ(text[0x41], u'A');
  EXPECT_EQ(text[0x80], QChar(0x20AC));
  EXPECT_EQ(text[0x8A], QChar(0x0160));
  EXPECT_EQ(text[0x81], QChar(0x0081));
  EXPECT_EQ(text[0x9F], QChar(0x0178));
  EXPECT_EQ(text[0xA6], QChar(0x00A6));
  EXPECT_EQ(text[0xFF], QChar(0x00FF));
}

TEST(TextCodec, ReadTextFileFailsOnlyWhenTheFileCannotBeRead) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.txt");
  test::WriteBytes(path, "Mot\xF6rhead\n");
  EXPECT_EQ(ReadTextFile(path), QString::fromUtf8("Motörhead\n"));
  test::WriteBytes(path, "");
  EXPECT_EQ(ReadTextFile(path), QString());
  EXPECT_FALSE(ReadTextFile(dir.filePath("missing.txt")).has_value());
  EXPECT_FALSE(ReadTextFile(dir.path()).has_value());
}

// Named like a playlist or a settings file, a FIFO would block the reader
// for good and a device would feed it without end.
TEST(TextCodec, ReadTextFileReadsOnlyRegularFiles) {
  QTemporaryDir dir;
  const QString fifo = dir.filePath("pipe.zpl");
  const QString zero = dir.filePath("zero.zcf");
  ASSERT_TRUE(test::MakeEndlessFiles(fifo, zero));
  EXPECT_FALSE(ReadTextFile(fifo).has_value());
  EXPECT_FALSE(ReadTextFile(zero).has_value());
  const QString link = dir.filePath("link.txt");
  test::WriteBytes(dir.filePath("real.txt"), "text");
  ASSERT_TRUE(QFile::link(dir.filePath("real.txt"), link));
  EXPECT_EQ(ReadTextFile(link), QString("text"));
  // Small files of Zelvo's own are capped; a larger one is refused whole.
  test::WriteBytes(dir.filePath("real.txt"), QByteArray(kSmallFileLimit, 'a'));
  EXPECT_EQ(ReadTextFile(link, kSmallFileLimit)->size(), kSmallFileLimit);
  test::WriteBytes(dir.filePath("real.txt"), QByteArray(kSmallFileLimit + 1, 'a'));
  EXPECT_FALSE(ReadTextFile(link, kSmallFileLimit).has_value());
}

}  // namespace
}  // namespace zelvo
