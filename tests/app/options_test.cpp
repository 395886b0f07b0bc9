#include <gtest/gtest.h>

#include "app/apply_options.h"
#include "player_rig.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

QStringList Checked(Options& options, const QString& code) {
  QStringList checked;
  for (const QString& name : Options::CategoryEntries(code))
    if (options.IsChecked(name)) checked << name;
  return checked;
}

class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(player.Start()); }
  PlayerRig rig;
  Player& player = rig.Make();
  Options& options = player.options();
};

TEST_F(OptionsTest, EachEntryClearsItsCategoryAndReachesTheDecoder) {
  const struct {
    const char* entry;
    int balance;
  } balances[] = {{"BalLeft", -1000}, {"BalLHalf", -500}, {"BalMiddle", 0}, {"BalRHalf", 500}, {"BalRight", 1000}};
  for (const auto& [entry, balance] : balances) {
    options.Action(entry)->trigger();
    EXPECT_EQ(Checked(options, "bal"), QStringList{entry});
    EXPECT_EQ(rig.decoder->Balance(), balance) << entry;
  }
  const std::pair<const char*, double> rates[] = {{"DanceSE", 1.02}, {"ClassicSE", 0.98}, {"NormalSE", 1.0}};
  for (const auto& [entry, rate] : rates) {
    options.Action(entry)->trigger();
    EXPECT_EQ(Checked(options, "se"), QStringList{entry});
    EXPECT_DOUBLE_EQ(rig.decoder->Rate(), rate) << entry;
  }
}

TEST_F(OptionsTest, VolumeLevelsSetTheDecoderAndTheVolumeBar) {
  const struct {
    const char* entry;
    int volume;
    double bar;
  } levels[] = {{"MuteVol", -1500, 0}, {"LowVol", -1000, 276.67}, {"MedVol", -600, 498},
                {"HighVol", -250, 691.67}, {"FullVol", 0, 830}};
  for (const auto& [entry, volume, bar] : levels) {
    options.Action(entry)->trigger();
    EXPECT_EQ(Checked(options, "vol"), QStringList{entry});
    EXPECT_EQ(rig.decoder->Volume(), volume) << entry;
    EXPECT_NEAR(player.playerWindow().VolumeBarWidth(), bar, 0.01) << entry;
  }
}

TEST_F(OptionsTest, AChoiceHidesTheVolumeBarAndRestartsTheHoverCount) {
  player.playerWindow().SetVolumeBarVisible(true);
  options.Action("ShufflePlay")->trigger();
  EXPECT_FALSE(player.playerWindow().VolumeBarVisible());
  EXPECT_EQ(Checked(options, "play"), QStringList{"ShufflePlay"});
  EXPECT_TRUE(player.automation().isActive());
}

TEST_F(OptionsTest, ApplyOptionsSendsEveryTickedEntryInOrderAndSkipsEmptyCategories) {
  options.SetOption("bal");
  options.SetChecked("BalLeft", true);
  options.SetChecked("BalRight", true);
  options.SetOption("vol");
  rig.decoder->SetVolume(-123);
  ApplyOptions(options, *rig.decoder);
  EXPECT_EQ(rig.decoder->Balance(), 1000);  // the later of two ticks stays
  EXPECT_EQ(rig.decoder->Volume(), -123);   // nothing ticked, nothing sent
}

TEST_F(OptionsTest, SwitchesThatAreNotInACategory) {
  const bool animated = options.IsChecked("AniEffects");
  options.Action("AniEffects")->trigger();
  EXPECT_NE(options.IsChecked("AniEffects"), animated);
  options.Action("AniEffects")->trigger();
  EXPECT_EQ(options.IsChecked("AniEffects"), animated);
  // "Realtime Playlist" comes only from the settings file; a click leaves it.
  options.Action("RealPlayList")->trigger();
  EXPECT_TRUE(options.IsChecked("RealPlayList"));
}

TEST_F(OptionsTest, DefaultSettingsSetOnlyCheckMarksAndSay) {
  options.Action("BalRight")->trigger();
  options.Action("Trans100")->trigger();
  options.Action("UniLower")->trigger();
  options.Action("FuzzyPlay")->trigger();
  options.SetChecked("RealPlayList", false);
  rig.desktop.messages.clear();

  options.Action("DefSetMenu")->trigger();
  EXPECT_EQ(Checked(options, "bal"), QStringList{"BalMiddle"});
  EXPECT_EQ(Checked(options, "trn"), QStringList{"Trans200"});
  EXPECT_EQ(Checked(options, "uni"), QStringList{"UniFirst"});
  EXPECT_EQ(Checked(options, "play"), QStringList{"NormalPlay"});
  EXPECT_EQ(rig.decoder->Balance(), 1000);  // until an option is applied again
  EXPECT_FALSE(options.IsChecked("RealPlayList"));
  EXPECT_FALSE(QFile::exists(rig.File("config.zcf")));
  ASSERT_EQ(rig.desktop.messages.size(), 1);
  EXPECT_EQ(rig.desktop.messages[0].text, "Default Options Selected!");
  EXPECT_EQ(rig.desktop.messages[0].title, "Defaults Selected");
  EXPECT_EQ(rig.desktop.messages[0].icon, MessageIcon::Information);
  EXPECT_TRUE(player.playlistWindow().isVisible());
}

TEST_F(OptionsTest, SaveSettingsWritesTheFileAndBeeps) {
  options.Action("SaveSetMenu")->trigger();
  EXPECT_EQ(rig.desktop.beeps, 1);
  EXPECT_EQ(ReadBytes(rig.File("config.zcf")).count("\r\n"), 31);
}

TEST_F(OptionsTest, SettingsFileStoppingAtABadLineKeepsTheBuiltInValuesFromThere) {
  QByteArray bytes;
  for (int line = 1; line <= 4; ++line) bytes += line == 1 ? "#TRUE#\r\n" : "#FALSE#\r\n";
  bytes += "abc\r\n#TRUE#\r\n";
  PlayerRig other;
  WriteBytes(other.File("config.zcf"), bytes);
  Player& fresh = other.Make();
  ASSERT_TRUE(fresh.Start());
  EXPECT_TRUE(fresh.options().IsChecked("BalLeft"));
  EXPECT_FALSE(fresh.options().IsChecked("BalMiddle"));   // line 3 read as false
  EXPECT_FALSE(fresh.options().IsChecked("BalRight"));    // line 5 unreadable: built-in
  EXPECT_FALSE(fresh.options().IsChecked("ClassicSE"));   // later lines: built-in too
  EXPECT_TRUE(fresh.options().IsChecked("NormalSE"));
  EXPECT_EQ(other.decoder->Balance(), -1000);
}

}  // namespace
}  // namespace zelvo::test
