#include <gtest/gtest.h>

#include "base/uniform_name.h"

namespace zelvo {
namespace {

const UniformCase kCaps{.allCaps = true};
const UniformCase kLower{.lower = true};
const UniformCase kFirst{.firstLetter = true};
const UniformCase kNone{};

struct Example {
  const char* before;
  UniformCase mode;
  const char* after;
};

TEST(UniformName, CleansAndCasesTheDocumentedExamples) {
  const Example examples[] = {
      {"artist - title", kFirst, "Artist - Title"},
      {"artist -title", kFirst, "Artist - Title"},
      {"artist- title", kFirst, "Artist - Title"},
      {"jay-z - song", kFirst, "Jay - Z - Song"},
      {"jay-z song", kFirst, "Jay-z Song"},
      {"track #1", kFirst, "Track 1"},
      {"[live]_at_home", kFirst, "Live At Home"},
      {"rock & roll", kFirst, "Rock And Roll"},
      {"r&b", kFirst, "Randb"},
      {"the (live) version", kFirst, "The (Live) Version"},
      {"mr.jones", kFirst, "Mr.Jones"},
      {"plan b", kFirst, "Plan B"},
      {"The Song", kCaps, "THE SONG"},
      {"The Song", kLower, "the song"},
      {"  the   song  ", kCaps, "THE SONG"},
  };
  for (const Example& e : examples)
    EXPECT_EQ(UniformName(QString::fromUtf8(e.before), e.mode), QString::fromUtf8(e.after)) << e.before;
}

TEST(UniformName, EmptyNameStaysEmptyInEveryMode) {
  for (const UniformCase& mode : {kCaps, kLower, kFirst, kNone}) EXPECT_EQ(UniformName("", mode), "");
}

TEST(UniformName, WithoutAStyleOnlyTheReplacementsApplyAndNothingIsTrimmed) {
  EXPECT_EQ(UniformName(" a  -  b_[c] ", kNone), " a - b c ");
  EXPECT_EQ(UniformName("Mixed Case", kNone), "Mixed Case");
}

TEST(UniformName, DashesAreSpacedOnlyWhenOneOfThemTouchesASpace) {
  const Example examples[] = {
      {"a - b", kNone, "a - b"},     {"a - b-c", kNone, "a - b - c"}, {"- a", kNone, " - a"},
      {"a -", kNone, "a - "},        {"a-b-c", kNone, "a-b-c"},       {"a -- b", kNone, "a - - b"},
      {"a-[b]", kNone, "a - b "},
  };
  for (const Example& e : examples) EXPECT_EQ(UniformName(e.before, e.mode), e.after) << e.before;
}

// Names are cleaned again at every start: a second cleaning must find
// nothing to do, or names would drift from run to run. A name taken as clean
// without cleaning must indeed come back unchanged.
TEST(UniformName, CleaningACleanedNameChangesNothing) {
  const char* names[] = {"N-_X", "a-#_b", "a-[b]", "x]-y", "a_-_b", "a -- b", "-_-", "#-#", "&-_",
                         "artist - title", "[live]_at_home", "jay-z - song", "  the   song  ", "-",
                         "Mr. x(y z", "The Song", "THE SONG", " a", "É x"};
  const UniformCase mixed[] = {{.allCaps = true, .lower = true}, {.allCaps = true, .firstLetter = true}};
  for (const char* name : names) {
    for (const UniformCase& mode : {kCaps, kLower, kFirst, kNone, mixed[0], mixed[1]}) {
      const QString once = UniformName(name, mode);
      EXPECT_EQ(UniformName(once, mode), once) << name;
      EXPECT_TRUE(!IsUniform(QString(name), mode) || once == name) << name;
    }
  }
  EXPECT_EQ(UniformName("N-_X", kNone), "N - X");
  EXPECT_TRUE(IsUniform(u"Artist 7 - Title", kNone));
  EXPECT_TRUE(IsUniform(u"Mr. X(Y Z", kFirst));
  EXPECT_FALSE(IsUniform(u"Mr. x", kFirst));
}

TEST(UniformName, HashesGoEvenWhereNoDashIsRewritten) {
  EXPECT_EQ(UniformName("#1 hit#", kNone), "1 hit");
  // A name that already holds "#-#" counts as a spaced dash.
  EXPECT_EQ(UniformName("a#-#b-c", kNone), "a - b - c");
}

TEST(UniformName, EveryTickedStyleAppliesInTurn) {
  EXPECT_EQ(UniformName(" the song ", UniformCase{.allCaps = true, .lower = true}), "the song");
  EXPECT_EQ(UniformName("THE SONG", UniformCase{.allCaps = true, .firstLetter = true}), "The Song");
}

TEST(UniformName, CaseMappingCoversAccentedAndNonLatinLetters) {
  EXPECT_EQ(UniformName(QString::fromUtf8("élan vital"), kFirst), QString::fromUtf8("Élan Vital"));
  EXPECT_EQ(UniformName(QString::fromUtf8("ÇA VA"), kLower), QString::fromUtf8("ça va"));
  EXPECT_EQ(UniformName(QString::fromUtf8("ZOË ABBA"), kLower), QString::fromUtf8("zoë abba"));
  EXPECT_EQ(UniformName(QString::fromUtf8("straße"), kCaps), QString::fromUtf8("STRASSE"));
  EXPECT_EQ(UniformName(QString::fromUtf8("привет мир"), kFirst), QString::fromUtf8("Привет Мир"));
  // A letter outside the basic plane (Deseret) is capitalised as one character.
  EXPECT_EQ(UniformName(QString::fromUtf8("\U00010428x"), kFirst), QString::fromUtf8("\U00010400x"));
  // Digits and signs are left alone after a word break.
  EXPECT_EQ(UniformName("1st (2nd) .3rd", kFirst), "1st (2nd) .3rd");
}

TEST(UniformName, OnlySpacesAreTrimmedNotOtherBlanks) {
  EXPECT_EQ(UniformName("\tsong ", kLower), "\tsong");
}

}  // namespace
}  // namespace zelvo
