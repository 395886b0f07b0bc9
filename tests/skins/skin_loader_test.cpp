#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/player_state.h"
#include "recording_skin_targets.h"
#include "scripted_desktop.h"
#include "skin_folders.h"
#include "skins/skin_colour.h"
#include "skins/skin_loader.h"
#include "test_support.h"

namespace zelvo {
namespace {

using test::RecordingSkinTargets;

const QStringList kPictureControls = {"hTexture",        "vTexture0",   "vTexture1",   "ColTrack",
                                      "ColDuration",     "PlaylistButtons", "SkinPicture1"};
const QStringList kColourTargets = {"DisplayFore", "ListFore", "ListBack", "StripProgress", "StripBack"};

// A desktop that also notes whether the player counted the box as open.
class BoxWatchingDesktop : public test::ScriptedDesktop {
 public:
  explicit BoxWatchingDesktop(const PlayerState& state) : state_(state) {}
  MessageAnswer ShowMessage(const QString& text, const QString& title, MessageIcon icon,
                            MessageButtons buttons) override {
    dialogOpenDuringBox.append(state_.DialogOpen);
    return ScriptedDesktop::ShowMessage(text, title, icon, buttons);
  }
  QList<bool> dialogOpenDuringBox;

 private:
  const PlayerState& state_;
};

// Aurora is in force; each test loads a changed copy of Linen over it.
class SkinLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(temp_.isValid());
    newSkin_ = temp_.path() + "/Linen";
    test::CopySkin(test::ShippedSkin("Linen"), newSkin_);
    loader_.LoadSkin(test::ShippedSkin("Aurora"));
    ASSERT_TRUE(desktop_.messages.isEmpty());
    before_ = targets_;
    targets_.applied.clear();
  }

  void WriteColours(const QByteArray& text) { test::WriteBytes(newSkin_ + "/skincolor.zsk", text); }

  QTemporaryDir temp_;
  QString newSkin_;
  PlayerState state_;
  BoxWatchingDesktop desktop_{state_};
  RecordingSkinTargets targets_;
  RecordingSkinTargets before_;
  SkinLoader loader_{targets_, state_, desktop_};
};

TEST_F(SkinLoaderTest, CompleteSkinReplacesEveryPictureAndColourInOrderAndLeavesNoFileOpen) {
  WriteColours("255\r\n65280\r\n16711680\r\n0\r\n16777215\r\n");
  loader_.LoadSkin(newSkin_);

  EXPECT_EQ(targets_.applied, kPictureControls + kColourTargets);
  EXPECT_EQ(targets_.pictures["hTexture"], QImage(newSkin_ + "/htexture.zsk", "PNG"));
  EXPECT_EQ(targets_.pictures["vTexture0"], QImage(newSkin_ + "/vtexture.zsk", "PNG"));
  EXPECT_EQ(targets_.pictures["vTexture1"], QImage(newSkin_ + "/vtexture.zsk", "PNG"));
  EXPECT_EQ(targets_.pictures["ColTrack"], QImage(newSkin_ + "/coltrack.zsk", "PNG"));
  EXPECT_EQ(targets_.pictures["ColDuration"], QImage(newSkin_ + "/collength.zsk", "PNG"));
  EXPECT_EQ(targets_.pictures["PlaylistButtons"], QImage(newSkin_ + "/subbuttons.zsk", "PNG"));
  EXPECT_EQ(targets_.pictures["SkinPicture1"], QImage(newSkin_ + "/player.zsk", "PNG"));
  // Red sits in the lowest byte of the stored value.
  EXPECT_EQ(targets_.colours["DisplayFore"], QColor(255, 0, 0));
  EXPECT_EQ(targets_.colours["ListFore"], QColor(0, 255, 0));
  EXPECT_EQ(targets_.colours["ListBack"], QColor(0, 0, 255));
  EXPECT_EQ(targets_.colours["StripProgress"], QColor(0, 0, 0));
  EXPECT_EQ(targets_.colours["StripBack"], QColor(255, 255, 255));
  EXPECT_TRUE(desktop_.messages.isEmpty());
  EXPECT_TRUE(targets_.playlistShown.isEmpty());
  EXPECT_EQ(test::FilesOpenUnder(temp_.path()), QStringList());
}

TEST_F(SkinLoaderTest, PicturesAreRecognisedByTheirContentWhateverTheirName) {
  // The same art as BMP and JPEG under the skin's own file names.
  const QImage bar(newSkin_ + "/player.zsk", "PNG");
  ASSERT_TRUE(bar.save(newSkin_ + "/player.zsk", "BMP"));
  ASSERT_TRUE(QImage(newSkin_ + "/coltrack.zsk", "PNG").save(newSkin_ + "/coltrack.zsk", "JPEG"));
  loader_.LoadSkin(newSkin_);
  EXPECT_TRUE(desktop_.messages.isEmpty());
  EXPECT_EQ(targets_.pictures["SkinPicture1"].convertToFormat(QImage::Format_RGB32), bar);
  EXPECT_EQ(targets_.pictures["ColTrack"].size(), QSize(254, 17));
}

TEST_F(SkinLoaderTest, MissingPictureStopsTheLoadAndKeepsThePreviousSkinForTheRest) {
  ASSERT_TRUE(QFile::remove(newSkin_ + "/collength.zsk"));
  loader_.LoadSkin(newSkin_);

  EXPECT_EQ(targets_.applied, QStringList({"hTexture", "vTexture0", "vTexture1", "ColTrack"}));
  EXPECT_EQ(targets_.pictures["ColTrack"], QImage(newSkin_ + "/coltrack.zsk", "PNG"));
  for (const char* kept : {"ColDuration", "PlaylistButtons", "SkinPicture1"})
    EXPECT_EQ(targets_.pictures[kept], before_.pictures[kept]) << kept;
  EXPECT_EQ(targets_.colours, before_.colours);

  ASSERT_EQ(desktop_.messages.size(), 1);
  EXPECT_EQ(desktop_.messages[0].text, "Skin Initailization Failed ...");
  EXPECT_EQ(desktop_.messages[0].title, "SkinInt Error");
  EXPECT_EQ(desktop_.messages[0].icon, MessageIcon::Critical);
  EXPECT_EQ(desktop_.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(desktop_.dialogOpenDuringBox, QList<bool>{true});
  EXPECT_FALSE(state_.DialogOpen);
  EXPECT_EQ(targets_.playlistShown, QList<bool>({false, true}));
}

TEST_F(SkinLoaderTest, FileThatIsNoPictureFailsLikeAMissingOne) {
  test::WriteBytes(newSkin_ + "/player.zsk", "not a picture at all");
  loader_.LoadSkin(newSkin_);
  EXPECT_EQ(targets_.applied, kPictureControls.mid(0, 6));
  EXPECT_EQ(desktop_.messages.size(), 1);
}

// A huge colour file would be read into memory whole; a FIFO would block the
// start for good. Each fails like a missing file.
TEST_F(SkinLoaderTest, OnlyRegularFilesOfModestSizeAreRead) {
  WriteColours("1\r\n2\r\n3\r\n4\r\n5\r\n" + QByteArray(1 << 20, ' '));
  loader_.LoadSkin(newSkin_);
  EXPECT_EQ(targets_.applied, kPictureControls);
  const QString bar = newSkin_ + "/player.zsk";
  ASSERT_TRUE(QFile::remove(bar));
  ASSERT_EQ(::mkfifo(QFile::encodeName(bar).constData(), 0600), 0);
  targets_.applied.clear();
  loader_.LoadSkin(newSkin_);
  EXPECT_EQ(targets_.applied, kPictureControls.mid(0, 6));
  EXPECT_EQ(desktop_.messages.size(), 2);
}

TEST_F(SkinLoaderTest, PlaylistHiddenBeforeAFailedLoadIsVisibleAfterIt) {
  targets_.playlistVisible = false;
  ASSERT_TRUE(QFile::remove(newSkin_ + "/skincolor.zsk"));
  loader_.LoadSkin(newSkin_);
  EXPECT_EQ(targets_.applied, kPictureControls);
  EXPECT_EQ(desktop_.messages.size(), 1);
  EXPECT_TRUE(targets_.playlistVisible);
}

TEST_F(SkinLoaderTest, ColourFileWithThreeValuesColoursTheListButNotTheStripAndIsClosed) {
  WriteColours("255\r\n65280\r\n16711680\r\n");
  loader_.LoadSkin(newSkin_);

  EXPECT_EQ(targets_.colours["DisplayFore"], QColor(255, 0, 0));
  EXPECT_EQ(targets_.colours["ListFore"], QColor(0, 255, 0));
  EXPECT_EQ(targets_.colours["ListBack"], QColor(0, 0, 255));
  EXPECT_EQ(targets_.colours["StripProgress"], before_.colours["StripProgress"]);
  EXPECT_EQ(targets_.colours["StripBack"], before_.colours["StripBack"]);
  EXPECT_EQ(desktop_.messages.size(), 1);
  EXPECT_EQ(test::FilesOpenUnder(temp_.path()), QStringList());
  // The next load can read the same file again.
  WriteColours("1\r\n2\r\n3\r\n4\r\n5\r\n");
  loader_.LoadSkin(newSkin_);
  EXPECT_EQ(desktop_.messages.size(), 1);
  EXPECT_EQ(targets_.colours["StripBack"], QColor(5, 0, 0));
}

TEST_F(SkinLoaderTest, ColourFileWithSevenValuesUsesTheFirstFive) {
  WriteColours("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
  loader_.LoadSkin(newSkin_);
  EXPECT_TRUE(desktop_.messages.isEmpty());
  EXPECT_EQ(targets_.applied.mid(7), kColourTargets);
  EXPECT_EQ(targets_.colours["StripBack"], QColor(5, 0, 0));
}

TEST_F(SkinLoaderTest, ColourFieldsMayShareALineAndBeQuoted) {
  WriteColours("  255, \"65280\",16711680\r\n0,\"16777215\"");
  loader_.LoadSkin(newSkin_);
  EXPECT_TRUE(desktop_.messages.isEmpty());
  EXPECT_EQ(targets_.colours["ListFore"], QColor(0, 255, 0));
  EXPECT_EQ(targets_.colours["StripBack"], QColor(255, 255, 255));
}

TEST_F(SkinLoaderTest, FieldThatIsNoColourStopsTheColoursThere) {
  for (const QByteArray& bad : {QByteArray("blue"), QByteArray("-1"), QByteArray("16777216")}) {
    targets_ = before_;
    desktop_.messages.clear();
    WriteColours("255\r\n" + bad + "\r\n3\r\n4\r\n5\r\n");
    loader_.LoadSkin(newSkin_);
    EXPECT_EQ(targets_.colours["DisplayFore"], QColor(255, 0, 0)) << bad.constData();
    EXPECT_EQ(targets_.colours["ListFore"], before_.colours["ListFore"]) << bad.constData();
    EXPECT_EQ(desktop_.messages.size(), 1) << bad.constData();
  }
}

TEST(SkinColour, FractionsRoundToTheNearestAndHalvesToEven) {
  EXPECT_EQ(ColourFromField("255.6"), QColor(0, 1, 0));  // 256
  EXPECT_EQ(ColourFromField("255.4"), QColor(255, 0, 0));
  EXPECT_EQ(ColourFromField("254.5"), QColor(254, 0, 0));
  EXPECT_EQ(ColourFromField("255.5"), QColor(0, 1, 0));
  EXPECT_EQ(ColourFromField(" 16777215 "), QColor(255, 255, 255));
  EXPECT_EQ(ColourFromField("0.5"), QColor(0, 0, 0));
  EXPECT_EQ(ColourFromField("-0.4"), QColor(0, 0, 0));
  EXPECT_EQ(ColourFromField(""), std::nullopt);
  EXPECT_EQ(ColourFromField("12abc"), std::nullopt);
  EXPECT_EQ(ColourFromField("nan"), std::nullopt);
}

}  // namespace
}  // namespace zelvo
