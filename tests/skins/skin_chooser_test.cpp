#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "menus/options.h"
#include "base/player_state.h"
#include "recording_skin_targets.h"
#include "scripted_desktop.h"
#include "skin_folders.h"
#include "skins/skin_chooser.h"
#include "test_support.h"

namespace zelvo {
namespace {

// A program folder whose skins folder holds copies of shipped skins under
// names of the test's choosing.
class SkinChooserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app_.isValid());
    options_.SetBuiltInDefaults();
  }

  // Each named folder gets the art of a shipped skin, taken in turn, so
  // neighbouring folders look different.
  void InstallSkins(const QStringList& names, const QString& skinsFolder = "skins") {
    const QStringList shipped = test::ShippedSkinNames();
    for (int i = 0; i < names.size(); ++i)
      test::CopySkin(test::ShippedSkin(shipped[i % shipped.size()]), app_.path() + "/" + skinsFolder + "/" + names[i]);
  }
  QImage BarOf(const QString& folder) const {
    return QImage(app_.path() + "/skins/" + folder + "/player.zsk", "PNG");
  }
  QAction* Entry(int number) const { return options_.Action(SkinEntry(number)); }
  QStringList Checked() const {
    QStringList checked;
    for (int number = 1; number <= 10; ++number)
      if (Entry(number)->isChecked()) checked.append(Entry(number)->objectName());
    return checked;
  }

  QTemporaryDir app_;
  Options options_;
  PlayerState state_;
  test::ScriptedDesktop desktop_;
  test::RecordingSkinTargets targets_;
  SkinChooser chooser_{options_, state_, desktop_, targets_, {app_.path()}, app_.path()};
};

TEST_F(SkinChooserTest, ThreeSkinFoldersNameTheFirstThreeEntriesInNameOrder) {
  InstallSkins({"Red", "Blue", "Green"});
  test::WriteBytes(app_.path() + "/skins/notes.txt", "a file is no skin");
  chooser_.FillSkinMenu();
  const QStringList expected = {"Blue", "Green", "Red"};
  for (int number = 1; number <= 3; ++number) {
    EXPECT_EQ(Entry(number)->text(), expected[number - 1]);
    EXPECT_TRUE(Entry(number)->isVisible());
  }
  for (int number = 4; number <= 10; ++number) {
    EXPECT_EQ(Entry(number)->text(), QString());
    EXPECT_FALSE(Entry(number)->isVisible());
  }
}

TEST_F(SkinChooserTest, TwelveSkinFoldersOfferTheFirstTen) {
  QStringList names;
  for (int i = 12; i >= 1; --i) names.append(QString("Skin %1").arg(i, 2, 10, QChar('0')));
  InstallSkins(names);
  chooser_.FillSkinMenu();
  for (int number = 1; number <= 10; ++number) {
    EXPECT_EQ(Entry(number)->text(), QString("Skin %1").arg(number, 2, 10, QChar('0')));
    EXPECT_TRUE(Entry(number)->isVisible());
  }
}

// An installed player: the user's skins and the shipped ones in one list.
TEST_F(SkinChooserTest, UserSkinsAreListedWithTheShippedOnesAndWinOnASharedName) {
  QTemporaryDir user;
  const QStringList shipped = test::ShippedSkinNames();
  ASSERT_GE(shipped.size(), 2);
  InstallSkins({"Delta", "alpha", "Mike", "Oscar", "Papa"});
  for (const char* name : {"Bravo", "Lima", "Quebec", "Romeo", "Sierra"})
    test::CopySkin(test::ShippedSkin(shipped[1]), user.path() + "/skins/" + QString(name));
  // The user's "Kilo" has other art than the shipped "Kilo".
  test::CopySkin(test::ShippedSkin(shipped[0]), user.path() + "/skins/Kilo");
  test::CopySkin(test::ShippedSkin(shipped[1]), app_.path() + "/skins/Kilo");
  SkinChooser chooser{options_, state_, desktop_, targets_, {user.path(), app_.path()}, user.path()};
  chooser.FillSkinMenu();
  const QStringList expected = {"alpha", "Bravo", "Delta", "Kilo", "Lima", "Mike", "Oscar", "Papa", "Quebec", "Romeo"};
  for (int number = 1; number <= 10; ++number) EXPECT_EQ(Entry(number)->text(), expected[number - 1]);
  state_.SkinNumber = 4;
  chooser.SelectSkin();
  EXPECT_EQ(targets_.pictures["SkinPicture1"], QImage(user.path() + "/skins/Kilo/player.zsk", "PNG"));
  EXPECT_NE(targets_.pictures["SkinPicture1"], BarOf("Kilo"));
  state_.SkinNumber = 1;
  chooser.SelectSkin();
  EXPECT_EQ(targets_.pictures["SkinPicture1"], BarOf("alpha"));
}

TEST_F(SkinChooserTest, FirstStartLoadsTheFirstSkinAndChecksNoEntry) {
  InstallSkins({"Beta", "Alpha"});
  ASSERT_EQ(state_.SkinNumber, 0);
  chooser_.FillSkinMenu();
  chooser_.SelectSkin();
  EXPECT_EQ(targets_.pictures["SkinPicture1"], BarOf("Alpha"));
  EXPECT_EQ(Checked(), QStringList());
  EXPECT_TRUE(desktop_.messages.isEmpty());
}

TEST_F(SkinChooserTest, RememberedNumberLoadsTheFolderAtThatPlace) {
  InstallSkins({"Blue", "Green", "Red"});
  state_.SkinNumber = 3;
  chooser_.FillSkinMenu();
  chooser_.SelectSkin();
  EXPECT_EQ(targets_.pictures["SkinPicture1"], BarOf("Red"));
  EXPECT_EQ(Checked(), QStringList{"Skin3"});
}

TEST_F(SkinChooserTest, ChoosingAnEntryFromTheMenuLoadsAndRemembersIt) {
  InstallSkins({"Blue", "Green", "Red"});
  chooser_.ConnectMenuEntries();
  chooser_.FillSkinMenu();
  chooser_.SelectSkin();
  Entry(2)->trigger();
  EXPECT_EQ(state_.SkinNumber, 2);
  EXPECT_EQ(Checked(), QStringList{"Skin2"});
  EXPECT_EQ(targets_.pictures["SkinPicture1"], BarOf("Green"));
}

TEST_F(SkinChooserTest, BrokenSkinIsStillCheckedAndRemembered) {
  InstallSkins({"Blue", "Green"});
  ASSERT_TRUE(QFile::remove(app_.path() + "/skins/Green/player.zsk"));
  chooser_.FillSkinMenu();
  chooser_.ChooseSkin(2);
  EXPECT_EQ(state_.SkinNumber, 2);
  EXPECT_EQ(Checked(), QStringList{"Skin2"});
  ASSERT_EQ(desktop_.messages.size(), 1);
  EXPECT_EQ(desktop_.messages[0].title, "SkinInt Error");
}

TEST_F(SkinChooserTest, FolderNamesDifferingInCaseAreFound) {
  InstallSkins({"Blue"}, "Skins");
  QFile::rename(app_.path() + "/Skins/Blue/Skininfo.zsk", app_.path() + "/Skins/Blue/skininfo.zsk");
  test::WriteBytes(app_.path() + "/Skins/Blue/skininfo.zsk", "Blue skin");
  state_.SkinNumber = 1;
  chooser_.FillSkinMenu();
  chooser_.SelectSkin();
  EXPECT_EQ(Entry(1)->text(), "Blue");
  EXPECT_EQ(targets_.applied.size(), 12);
  chooser_.ShowSkinInformation();
  ASSERT_EQ(desktop_.messages.size(), 1);
  EXPECT_EQ(desktop_.messages[0].text, "Blue skin");
}

TEST_F(SkinChooserTest, WithoutSkinsTheFirstEntryKeepsItsDesignedCaptionAndThePlayerGoesOn) {
  chooser_.FillSkinMenu();
  EXPECT_EQ(Entry(1)->text(), "(Skin List)");
  EXPECT_TRUE(Entry(1)->isVisible());
  chooser_.SelectSkin();
  EXPECT_EQ(desktop_.messages.size(), 1);
  EXPECT_TRUE(targets_.playlistVisible);
}

TEST_F(SkinChooserTest, AmpersandInAFolderNameIsShownAndLoaded) {
  InstallSkins({"Rock & Roll"});
  state_.SkinNumber = 1;
  chooser_.FillSkinMenu();
  chooser_.SelectSkin();
  EXPECT_EQ(Entry(1)->text(), "Rock && Roll");
  EXPECT_TRUE(desktop_.messages.isEmpty());
}

TEST_F(SkinChooserTest, CustomSkinLoadsThePickedFolderForThisRunOnly) {
  InstallSkins({"Blue", "Green"});
  QTemporaryDir elsewhere;
  test::CopySkin(test::ShippedSkin("Signal"), elsewhere.path() + "/MySkin");
  state_.SkinNumber = 1;
  chooser_.FillSkinMenu();
  chooser_.SelectSkin();
  desktop_.openAnswers.push_back(QStringList{elsewhere.path() + "/MySkin/skininfo.zsk"});
  chooser_.LoadCustomSkin();

  ASSERT_EQ(desktop_.openRequests.size(), 1);
  const FileDialogRequest& request = desktop_.openRequests[0];
  EXPECT_EQ(request.title, "Load Custom Skin ...");
  EXPECT_EQ(request.initialFolder, app_.path());
  EXPECT_EQ(request.filter, "Zelvo Skin Files (skininfo.zsk)|skininfo.zsk|All Files (*.*)|*.*");
  EXPECT_EQ(request.filterIndex, 1);
  EXPECT_TRUE(request.mustExist);
  EXPECT_FALSE(request.multiSelect);
  EXPECT_EQ(targets_.pictures["SkinPicture1"], QImage(elsewhere.path() + "/MySkin/player.zsk", "PNG"));
  EXPECT_EQ(state_.SkinNumber, 1);
  EXPECT_EQ(Checked(), QStringList{"Skin1"});
  EXPECT_FALSE(state_.DialogOpen);
}

TEST_F(SkinChooserTest, CancelledCustomSkinDialogChangesNothing) {
  chooser_.LoadCustomSkin();
  EXPECT_EQ(desktop_.openRequests.size(), 1);
  EXPECT_TRUE(targets_.applied.isEmpty());
  EXPECT_TRUE(desktop_.messages.isEmpty());
  EXPECT_FALSE(state_.DialogOpen);
}

TEST_F(SkinChooserTest, InformationShowsTheWholeFileOfTheRememberedSkin) {
  InstallSkins({"Blue", "Green"});
  // Markup is the author's text, not formatting; an old file in Windows-1252
  // keeps its accents, and a UTF-8 one its own.
  test::WriteBytes(app_.path() + "/skins/Green/Skininfo.zsk", "Green 2.0 <b>&amp;</b>\r\nby Ren\xe9" "e");
  test::WriteBytes(app_.path() + "/skins/Blue/Skininfo.zsk", "Blue \xe2\x99\xab by Ren\xc3\xa9" "e");
  state_.SkinNumber = 2;
  chooser_.FillSkinMenu();
  targets_.playlistVisible = false;
  chooser_.ShowSkinInformation();
  ASSERT_EQ(desktop_.messages.size(), 1);
  EXPECT_EQ(desktop_.messages[0].text, QString::fromUtf8("Green 2.0 <b>&amp;</b>\r\nby Renée"));
  EXPECT_EQ(desktop_.messages[0].title, "Skin Infomation");
  EXPECT_EQ(desktop_.messages[0].icon, MessageIcon::Information);
  EXPECT_EQ(desktop_.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(targets_.playlistShown, QList<bool>({false, true}));
  EXPECT_FALSE(state_.DialogOpen);

  state_.SkinNumber = 1;
  chooser_.ShowSkinInformation();
  ASSERT_EQ(desktop_.messages.size(), 2);
  EXPECT_EQ(desktop_.messages[1].text, QString::fromUtf8("Blue ♫ by Renée"));
}

TEST_F(SkinChooserTest, NoInformationMeansNoBoxButThePlaylistComesBack) {
  InstallSkins({"Blue"});
  ASSERT_TRUE(QFile::remove(app_.path() + "/skins/Blue/Skininfo.zsk"));
  chooser_.FillSkinMenu();
  for (int number : {1, 0}) {
    state_.SkinNumber = number;
    targets_.playlistVisible = false;
    chooser_.ShowSkinInformation();
    EXPECT_TRUE(desktop_.messages.isEmpty()) << number;
    EXPECT_TRUE(targets_.playlistVisible) << number;
  }
}

TEST(FolderOfPath, DropsTheLastPartAndItsSeparator) {
  EXPECT_EQ(FolderOfPath("/home/ann/MySkin/skininfo.zsk"), "/home/ann/MySkin");
  EXPECT_EQ(FolderOfPath("/skininfo.zsk"), "");
  EXPECT_EQ(FolderOfPath("/home/ann/"), "/home/ann");
  EXPECT_EQ(FolderOfPath("skininfo.zsk"), "");
}

}  // namespace
}  // namespace zelvo
