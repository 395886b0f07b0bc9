#include <QStringList>
#include <gtest/gtest.h>

#include "storage/field_reader.h"

namespace zelvo {
namespace {

// Every field the reader yields until the input ends.
QStringList AllFields(const QString& text) {
  FieldReader reader(text);
  QStringList fields;
  while (std::optional<QStringView> field = reader.Next()) fields << field->toString();
  return fields;
}

TEST(FieldReader, QuotedFieldsKeepCommasAndBlanks) {
  EXPECT_EQ(AllFields("\"a, b \"\r\n\"  c\"\r\n"), (QStringList{"a, b ", "  c"}));
}

TEST(FieldReader, TextAfterAClosingQuoteIsSkippedUpToTheCommaOrLineEnd) {
  EXPECT_EQ(AllFields("\"a\" junk, next\r\n\"b\"tail\nlast"), (QStringList{"a", "next", "b", "last"}));
}

TEST(FieldReader, UnquotedFieldsSplitAtCommasAndLoseSurroundingBlanks) {
  EXPECT_EQ(AllFields("  12 ,\t34\t\r\n#TRUE#  \r\n"), (QStringList{"12", "34", "#TRUE#"}));
}

TEST(FieldReader, AcceptsCrLfLfAndLoneCrLineEnds) {
  EXPECT_EQ(AllFields("a\r\nb\nc\rd"), (QStringList{"a", "b", "c", "d"}));
  EXPECT_EQ(AllFields("\"a\"\r\"b\"\n\"c\""), (QStringList{"a", "b", "c"}));
}

TEST(FieldReader, EmptyLinesGiveEmptyFieldsButTheEndOfInputFails) {
  EXPECT_EQ(AllFields("a\r\n\r\nb\r\n"), (QStringList{"a", "", "b"}));
  EXPECT_EQ(AllFields("a,\r\n"), (QStringList{"a", ""}));
  EXPECT_EQ(AllFields(""), QStringList{});
  EXPECT_EQ(AllFields("  \t "), QStringList{});
}

TEST(FieldReader, AnUnclosedQuoteEndsAtItsLineEnd) {
  EXPECT_EQ(AllFields("\"open\r\n\"next\"\r\n"), (QStringList{"open", "next"}));
  EXPECT_EQ(AllFields("\"open"), QStringList{"open"});
}

TEST(FieldReader, AtEndTellsWhetherAnotherReadWouldSucceed) {
  FieldReader reader("one\r\n  ");
  EXPECT_FALSE(reader.AtEnd());
  EXPECT_EQ(reader.Next(), QStringView(u"one"));
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_FALSE(reader.Next().has_value());
  EXPECT_FALSE(reader.Next().has_value());
}

}  // namespace
}  // namespace zelvo
