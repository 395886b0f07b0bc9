#include <gtest/gtest.h>

#include "app/apply_options.h"
#include "storage/settings_file.h"
#include "player_rig.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

QStringList Checked(Options& options, Category category) {
  QStringList checked;
  for (Entry entry : CategoryEntries(category))
    if (options.IsChecked(entry)) checked << EntryName(entry);
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
    Entry entry;
    int balance;
  } balances[] = {{Entry::BalLeft, -1000}, {Entry::BalLHalf, -500}, {Entry::BalMiddle, 0}, {Entry::BalRHalf, 500}, {Entry::BalRight, 1000}};
  for (const auto& [entry, balance] : balances) {
    options.Action(entry)->trigger();
    EXPECT_EQ(Checked(options, Category::Balance), QStringList{EntryName(entry)});
    EXPECT_EQ(rig.decoder->Balance(), balance) << EntryName(entry).toStdString();
  }
  const std::pair<Entry, double> rates[] = {{Entry::DanceSE, 1.02}, {Entry::ClassicSE, 0.98}, {Entry::NormalSE, 1.0}};
  for (const auto& [entry, rate] : rates) {
    options.Action(entry)->trigger();
    EXPECT_EQ(Checked(options, Category::Effects), QStringList{EntryName(entry)});
    EXPECT_DOUBLE_EQ(rig.decoder->Rate(), rate) << EntryName(entry).toStdString();
  }
}

TEST_F(OptionsTest, VolumeLevelsSetTheDecoderAndTheVolumeBar) {
  const struct {
    Entry entry;
    int volume;
    double bar;
  } levels[] = {{Entry::MuteVol, -1500, 0}, {Entry::LowVol, -1000, 276.67}, {Entry::MedVol, -600, 498},
                {Entry::HighVol, -250, 691.67}, {Entry::FullVol, 0, 830}};
  for (const auto& [entry, volume, bar] : levels) {
    options.Action(entry)->trigger();
    EXPECT_EQ(Checked(options, Category::Volume), QStringList{EntryName(entry)});
    EXPECT_EQ(rig.decoder->Volume(), volume) << EntryName(entry).toStdString();
    EXPECT_NEAR(player.playerWindow().VolumeBarWidth(), bar, 0.01) << EntryName(entry).toStdString();
  }
}

TEST_F(OptionsTest, AChoiceHidesTheVolumeBarAndRestartsTheHoverCount) {
  player.playerWindow().SetVolumeBarVisible(true);
  options.Action(Entry::ShufflePlay)->trigger();
  EXPECT_FALSE(player.playerWindow().VolumeBarVisible());
  EXPECT_EQ(Checked(options, Category::PlayMode), QStringList{"ShufflePlay"});
  EXPECT_TRUE(player.automation().isActive());
}

TEST_F(OptionsTest, ApplyOptionsSendsEveryTickedEntryInOrderAndSkipsEmptyCategories) {
  options.SetOption(Category::Balance);
  options.SetChecked(Entry::BalLeft, true);
  options.SetChecked(Entry::BalRight, true);
  options.SetOption(Category::Volume);
  rig.decoder->SetVolume(-123);
  ApplyOptions(options, *rig.decoder);
  EXPECT_EQ(rig.decoder->Balance(), 1000);  // the later of two ticks stays
  EXPECT_EQ(rig.decoder->Volume(), -123);   // nothing ticked, nothing sent
}

TEST_F(OptionsTest, SwitchesThatAreNotInACategory) {
  const bool animated = options.IsChecked(Entry::AniEffects);
  options.Action(Entry::AniEffects)->trigger();
  EXPECT_NE(options.IsChecked(Entry::AniEffects), animated);
  options.Action(Entry::AniEffects)->trigger();
  EXPECT_EQ(options.IsChecked(Entry::AniEffects), animated);
  // "Realtime Playlist" comes only from the settings file; a click leaves it.
  options.Action(Entry::RealPlayList)->trigger();
  EXPECT_TRUE(options.IsChecked(Entry::RealPlayList));
}

TEST_F(OptionsTest, DefaultSettingsSetOnlyCheckMarksAndSay) {
  options.Action(Entry::BalRight)->trigger();
  options.Action(Entry::Trans100)->trigger();
  options.Action(Entry::UniLower)->trigger();
  options.Action(Entry::FuzzyPlay)->trigger();
  options.SetChecked(Entry::RealPlayList, false);
  rig.desktop.messages.clear();

  options.Action(Entry::DefSetMenu)->trigger();
  EXPECT_EQ(Checked(options, Category::Balance), QStringList{"BalMiddle"});
  EXPECT_EQ(Checked(options, Category::Transparency), QStringList{"Trans200"});
  EXPECT_EQ(Checked(options, Category::Uniform), QStringList{"UniFirst"});
  EXPECT_EQ(Checked(options, Category::PlayMode), QStringList{"NormalPlay"});
  EXPECT_EQ(rig.decoder->Balance(), 1000);  // until an option is applied again
  EXPECT_FALSE(options.IsChecked(Entry::RealPlayList));
  EXPECT_FALSE(QFile::exists(rig.File("config.zcf")));
  ASSERT_EQ(rig.desktop.messages.size(), 1);
  EXPECT_EQ(rig.desktop.messages[0].text, "Default Options Selected!");
  EXPECT_EQ(rig.desktop.messages[0].title, "Defaults Selected");
  EXPECT_EQ(rig.desktop.messages[0].icon, MessageIcon::Information);
  EXPECT_TRUE(player.playlistWindow().isVisible());
}

TEST_F(OptionsTest, SaveSettingsWritesTheFileAndBeeps) {
  options.Action(Entry::SaveSetMenu)->trigger();
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
  EXPECT_TRUE(fresh.options().IsChecked(Entry::BalLeft));
  EXPECT_FALSE(fresh.options().IsChecked(Entry::BalMiddle));   // line 3 read as false
  EXPECT_FALSE(fresh.options().IsChecked(Entry::BalRight));    // line 5 unreadable: built-in
  EXPECT_FALSE(fresh.options().IsChecked(Entry::ClassicSE));   // later lines: built-in too
  EXPECT_TRUE(fresh.options().IsChecked(Entry::NormalSE));
  EXPECT_EQ(other.decoder->Balance(), -1000);
}

TEST(SettingsFlags, EveryStoredNameIsAMenuEntry) {
  for (const QString& name : kSettingsFlagEntries) EXPECT_TRUE(EntryNamed(name).has_value()) << name.toStdString();
}

}  // namespace
}  // namespace zelvo::test
