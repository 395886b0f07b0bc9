#include <QDir>
#include <QFile>
#include <QSettings>
#include <QWindow>
#include <gtest/gtest.h>

#include "player_rig.h"
#include "storage/playlist_file.h"
#include "storage/settings_file.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

const QString kV1Header = QStringLiteral("Quandrell Software - Zelvo Audio Player - Saved Playlist");

// One taskbar entry: the playlist and the strip are the bar's tool windows,
// and every window shows the icon drawn beside the program.
TEST(StartUp, PlaylistAndStripBelongToTheBarAndEveryWindowCarriesTheIcon) {
  PlayerRig rig;
  const QString icons = QStringLiteral(ZELVO_APP_DIR) + "/icons/hicolor";
  for (const QString size : {"16x16", "48x48"}) {
    ASSERT_TRUE(QDir().mkpath(rig.File("icons/hicolor/" + size + "/apps")));
    ASSERT_TRUE(QFile::copy(icons + "/" + size + "/apps/zelvo.png", rig.File("icons/hicolor/" + size + "/apps/zelvo.png")));
  }
  Player& player = rig.Make();
  ASSERT_TRUE(player.Start());
  for (QWidget* window : {static_cast<QWidget*>(&player.playlistWindow()), static_cast<QWidget*>(&player.stripWindow())}) {
    EXPECT_EQ(window->parentWidget(), &player.playerWindow()) << window->windowTitle().toStdString();
    EXPECT_EQ(window->windowType(), Qt::Tool) << window->windowTitle().toStdString();
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint) << window->windowTitle().toStdString();
  }
  EXPECT_EQ(player.playerWindow().windowType(), Qt::Window);
  EXPECT_EQ(player.playerWindow().windowIcon().availableSizes(), (QList<QSize>{QSize(16, 16), QSize(48, 48)}));
  EXPECT_EQ(player.playlistWindow().windowIcon().availableSizes(), (QList<QSize>{QSize(16, 16), QSize(48, 48)}));
}

TEST(StartUp, FirstStartShowsBothWindowsPlacedForTheScreenWithAnEmptyList) {
  PlayerRig rig;
  Player& player = rig.Make();
  ASSERT_TRUE(player.Start());

  EXPECT_TRUE(player.playerWindow().isVisible());
  EXPECT_TRUE(player.playlistWindow().isVisible());
  EXPECT_EQ(player.playerWindow().windowTitle(), "Zelvo");
  EXPECT_EQ(player.playlistWindow().windowTitle(), "Zelvo Playlist");
  EXPECT_EQ(player.stripWindow().windowTitle(), "Zelvo Strip");
  EXPECT_TRUE(player.playerWindow().windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(player.playerWindow().windowFlags() & Qt::FramelessWindowHint);

  // A screen 19200 twips wide puts the bar at 4800; 11520 high gives the list 10520.
  EXPECT_EQ(player.playerWindow().GeometryTwips(), QRectF(4800, 0, 9600, 390));
  EXPECT_EQ(player.playlistWindow().GeometryTwips(), QRectF(4800 + 2245, 390, 4785, 10520));
  EXPECT_EQ(player.playerWindow().geometry(), QRect(320, 0, 640, 26));  // 15 twips a pixel

  EXPECT_EQ(player.tracks().Count(), 0);
  EXPECT_EQ(player.state().LastAddFolder, rig.folder.path());
  EXPECT_EQ(player.automation().interval(), 1000);
  EXPECT_TRUE(player.automation().isActive());
  EXPECT_EQ(player.playerWindow().PlayerDisplay()->text(), "Quandrell Zelvo - Audio Player");
  // The built-in options reach the decoder: medium volume, centred, normal speed.
  EXPECT_EQ(rig.decoder->Volume(), -600);
  EXPECT_EQ(rig.decoder->Balance(), 0);
  EXPECT_DOUBLE_EQ(rig.decoder->Rate(), 1.0);
  EXPECT_NEAR(player.playerWindow().VolumeBarWidth(), 498, 0.01);
}

// No file is touched even when the session ends while the box waits: a quit
// before start-up has read the files back leaves them as they are.
TEST(StartUp, WithoutSoundOutputTheUserIsToldAndNoFileIsTouched) {
  PlayerRig rig;
  Player& player = rig.Make();
  rig.decoder->soundCard = false;
  rig.desktop.whileMessageUp = [&](const ScriptedDesktop::Message&) { player.QuitPlayer(); };
  EXPECT_FALSE(player.Start());
  EXPECT_EQ(rig.quits, 1);
  ASSERT_EQ(rig.desktop.messages.size(), 1);
  EXPECT_EQ(rig.desktop.messages[0].text, "Not Sound Card Detected ... Zelvo is Quitting");
  EXPECT_EQ(rig.desktop.messages[0].title, "");
  EXPECT_EQ(rig.desktop.messages[0].icon, MessageIcon::Critical);
  EXPECT_EQ(rig.desktop.messages[0].buttons, MessageButtons::Ok);
  EXPECT_TRUE(QDir(rig.folder.path()).entryList(QDir::Files).isEmpty());
  EXPECT_FALSE(player.playerWindow().isVisible());
}

TEST(StartUp, TranslucencyMenuIsOfferedOnlyWhereWindowsCanBeTranslucent) {
  for (const bool possible : {false, true}) {
    PlayerRig rig;
    rig.desktop.translucentWindows = possible;
    Player& player = rig.Make();
    ASSERT_TRUE(player.Start());
    EXPECT_EQ(player.state().TransparencySupported, possible);
    EXPECT_EQ(player.options().TransparencyMenu()->menuAction()->isVisible(), possible);
  }
}

TEST(StartUp, RestoresTheListAndTheSavedSelection) {
  PlayerRig rig;
  WriteBytes(rig.File("AutoSave.zpl"), PlaylistBytes({"one|01:00|/m/1.mp3|0", "two|02:00|/m/2.mp3|1",
                                                      "three|03:00|/m/3.mp3|-2"}));
  Settings settings;
  settings.flags.insert("UniAllCaps", true);
  settings.selectedTrack = 3;
  settings.lastAddFolder = "/music, old";
  ASSERT_TRUE(WriteSettingsFile(rig.File("config.zcf"), settings));
  Player& player = rig.Make();
  ASSERT_TRUE(player.Start());
  ASSERT_EQ(player.tracks().Count(), 3);
  EXPECT_EQ(player.tracks().At(3).name, "THREE");  // the ticked case style, as read
  EXPECT_EQ(player.tracks().At(3).priority, "-2");
  EXPECT_EQ(player.tracks().SelectedPositions(), std::vector<int>{3});
  EXPECT_EQ(player.state().LastAddFolder, "/music, old");
  EXPECT_TRUE(rig.desktop.messages.isEmpty()) << rig.MessageTitles().join(", ").toStdString();
}

TEST(StartUp, ALongListIsReadInOnceThePlayerIsOnScreen) {
  PlayerRig rig;
  QStringList rows;
  for (int i = 0; i < 80000; ++i) rows << QString("Song %1|03:41|/home/user/Music/Some Artist/Song %1.mp3|0").arg(i);
  WriteBytes(rig.File("AutoSave.zpl"), PlaylistBytes(rows));
  Player& player = rig.Make();
  bool onScreenFirst = false;
  QObject::connect(&player.tracks().Model(), &QAbstractItemModel::modelAboutToBeReset, [&] {
    onScreenFirst = player.playerWindow().windowHandle()->isExposed() && player.playlistWindow().windowHandle()->isExposed();
  });
  ASSERT_TRUE(player.Start());
  EXPECT_TRUE(onScreenFirst);
  EXPECT_EQ(player.tracks().Count(), 80000);
}

TEST(StartUp, OldPlaylistIsUpgradedOnceAndTheNoticeLeavesTheListRolledUp) {
  PlayerRig rig;
  WriteBytes(rig.File("AutoSave.zpl"),
             PlaylistBytes({"band - song|03:41|/m/a.mp3", "other|00:05|/m/b.mp3"}, kV1Header));
  Player& player = rig.Make();
  ASSERT_TRUE(player.Start());
  ASSERT_EQ(rig.desktop.messages.size(), 1);
  EXPECT_EQ(rig.desktop.messages[0].title, "Playlist Upgraded");
  EXPECT_EQ(rig.desktop.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_EQ(rig.desktop.messages[0].text,
            "The playlist file: " + rig.File("AutoSave.zpl") +
                " has been updated from and earlier version.\r> Added support for fuzzy logic playmode and "
                "advanced shuffle support.\r> This message will not apprear for this playlist again.");
  EXPECT_FALSE(player.playlistWindow().isVisible());
  EXPECT_EQ(ReadBytes(rig.File("AutoSave.zpl")),
            PlaylistBytes({"Band - Song|03:41|/m/a.mp3|0", "Other|00:05|/m/b.mp3|0"}));

  PlayerRig again;
  WriteBytes(again.File("AutoSave.zpl"), ReadBytes(rig.File("AutoSave.zpl")));
  ASSERT_TRUE(again.Make().Start());
  EXPECT_TRUE(again.desktop.messages.isEmpty());
}

TEST(StartUp, DamagedAutosaveIsReportedAndKeptAsideBeforeItIsOverwritten) {
  PlayerRig rig;
  const QByteArray damaged = "\"Quandrell Software - Zelvo Audio Player - Saved Playlist - v2\"\r\n\"a|01:00|/a|0\"\r\n";
  WriteBytes(rig.File("AutoSave.zpl"), damaged);
  Player& player = rig.Make();
  ASSERT_TRUE(player.Start());
  ASSERT_EQ(rig.desktop.messages.size(), 1);
  EXPECT_EQ(rig.desktop.messages[0].title, rig.File("AutoSave.zpl"));
  EXPECT_EQ(rig.desktop.messages[0].text,
            "This file does not appear to be a valid playlist!\rThe file my be damaged or corrupt ...");
  EXPECT_EQ(rig.desktop.messages[0].icon, MessageIcon::Critical);
  EXPECT_TRUE(player.playlistWindow().isVisible());
  EXPECT_EQ(player.tracks().Count(), 0);

  player.QuitPlayer();
  EXPECT_EQ(ReadBytes(rig.File("AutoSave.zpl.bad")), damaged);
  EXPECT_EQ(ReadBytes(rig.File("AutoSave.zpl")), PlaylistBytes({}));
}

TEST(StartUp, EmptyOrCutAutosaveIsKeptAsideBeforeItIsOverwritten) {
  const QByteArray whole = PlaylistBytes({"One|01:00|/m/1.mp3|0", "Two|02:00|/m/2.mp3|0"});
  const QByteArray cut = whole.left(whole.size() - 9);
  for (const QByteArray& contents : {QByteArray(), cut}) {
    PlayerRig rig;
    WriteBytes(rig.File("AutoSave.zpl"), contents);
    Player& player = rig.Make();
    ASSERT_TRUE(player.Start());
    EXPECT_TRUE(rig.desktop.messages.isEmpty());
    EXPECT_EQ(player.tracks().Count(), contents.isEmpty() ? 0 : 2);
    player.QuitPlayer();
    EXPECT_EQ(ReadBytes(rig.File("AutoSave.zpl.bad")), contents) << contents.size() << " bytes";
    EXPECT_TRUE(QFile::exists(rig.File("AutoSave.zpl.bad"))) << contents.size() << " bytes";
  }
}

TEST(StartUp, AutosaveAndSettingsThatAreNoRegularFilesArePassedOver) {
  PlayerRig rig;
  ASSERT_TRUE(MakeEndlessFiles(rig.File("AutoSave.zpl"), rig.File("config.zcf")));
  Player& player = rig.Make();
  ASSERT_TRUE(player.Start());
  EXPECT_EQ(player.tracks().Count(), 0);
  EXPECT_FALSE(QFile::exists(rig.File("AutoSave.zpl.bad")));
}

TEST(Quit, ASettingsFileThatCannotBeWrittenIsToldAndTheListIsStillSaved) {
  PlayerRig rig;
  ASSERT_TRUE(QDir(rig.folder.path()).mkdir("config.zcf"));  // nothing can replace a folder
  Player& player = rig.Make();
  ASSERT_TRUE(player.Start());
  player.options().Action(Entry::SaveSetMenu)->trigger();
  ASSERT_EQ(rig.desktop.messages.size(), 1);
  EXPECT_EQ(rig.desktop.messages[0].title, "Settings Not Saved");
  EXPECT_TRUE(rig.desktop.messages[0].text.contains(rig.File("config.zcf"))) << rig.desktop.messages[0].text.toStdString();
  EXPECT_EQ(rig.desktop.messages[0].icon, MessageIcon::Exclamation);

  player.QuitPlayer();
  EXPECT_EQ(rig.quits, 1);
  EXPECT_EQ(rig.desktop.messages.size(), 2);
  EXPECT_EQ(ReadBytes(rig.File("AutoSave.zpl")), PlaylistBytes({}));
}

TEST(Quit, WritesTheSettingsAndThePlaylistThenEnds) {
  PlayerRig rig;
  WriteBytes(rig.File("AutoSave.zpl"), PlaylistBytes({"One|01:00|/m/1.mp3|0", "Two|02:00|/m/2.mp3|0"}));
  Player& player = rig.Make();
  ASSERT_TRUE(player.Start());
  player.tracks().SelectOnly(2);
  player.options().Action(Entry::ShufflePlay)->trigger();
  player.state().SkinNumber = 3;

  player.QuitPlayer();
  EXPECT_EQ(rig.quits, 1);
  const SettingsReadResult saved = ReadSettingsFile(rig.File("config.zcf"));
  ASSERT_TRUE(saved.Complete());
  EXPECT_TRUE(saved.flags["ShufflePlay"]);
  EXPECT_FALSE(saved.flags["NormalPlay"]);
  EXPECT_EQ(*saved.selectedTrack, 2);
  EXPECT_EQ(*saved.skinNumber, 3);
  EXPECT_EQ(*saved.lastAddFolder, rig.folder.path());
  EXPECT_EQ(ReadBytes(rig.File("AutoSave.zpl")), PlaylistBytes({"One|01:00|/m/1.mp3|0", "Two|02:00|/m/2.mp3|0"}));
}

TEST(Quit, ClosingTheBarByAnyMeansQuits) {
  PlayerRig rig;
  Player& player = rig.Make();
  ASSERT_TRUE(player.Start());
  player.playerWindow().close();
  EXPECT_EQ(rig.quits, 1);
  EXPECT_TRUE(QFile::exists(rig.File("AutoSave.zpl")));
  EXPECT_TRUE(QFile::exists(rig.File("config.zcf")));
}

TEST(Quit, ShiftCAsksFirstAndNoKeepsThePlayerRunningWithTheListRolledUp) {
  PlayerRig rig;
  Player& player = rig.Make();
  ASSERT_TRUE(player.Start());
  rig.desktop.messageAnswers = {MessageAnswer::No};
  player.HandleKeyCommand('C', 1);
  // The question comes once the list has rolled up.
  ASSERT_TRUE(WaitFor([&] { return rig.desktop.messages.size() == 1; }));
  EXPECT_EQ(rig.desktop.messages[0].text, "Are you sure you want to quit Zelvo?");
  EXPECT_EQ(rig.desktop.messages[0].title, "Shift C Pressed ...");
  EXPECT_EQ(rig.desktop.messages[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(rig.quits, 0);
  EXPECT_FALSE(player.playlistWindow().isVisible());
  EXPECT_FALSE(player.state().DialogOpen);

  rig.desktop.messageAnswers = {MessageAnswer::Yes};
  player.HandleKeyCommand('C', 1);
  EXPECT_EQ(rig.quits, 1);
  // With Ctrl or Alt held, or without Shift, a letter is no command.
  player.HandleKeyCommand('C', 3);
  player.HandleKeyCommand('C', 0);
  EXPECT_EQ(rig.desktop.messages.size(), 2);
}

}  // namespace
}  // namespace zelvo::test

namespace zelvo::test {
namespace {

QAction* ListeningEntry(Player& player, const QString& key) {
  return player.listening().Menu()->findChild<QAction*>(key, Qt::FindDirectChildrenOnly);
}

// "Resume at Start": quitting keeps the playing row (found again by its path
// when the list has moved) and the position in zelvo.conf, config.zcf keeps
// its 31 lines, and the next start plays from there, or waits there paused.
TEST(Resume, ThePlayingTrackComesBackAtItsPlacePlayingOrPaused) {
  PlayerRig rig;
  for (const QString name : {"a.mp3", "b.mp3", "c.mp3"}) {
    WriteBytes(rig.File(name), "not empty");
  }
  auto records = [&](const QStringList& names) {
    QStringList lines;
    for (const QString& name : names) lines << name + "|01:00|" + rig.File(name) + "|0";
    return PlaylistBytes(lines);
  };
  auto make = [&]() -> Player& {
    Player& player = rig.Make();
    for (const QString name : {"a.mp3", "b.mp3", "c.mp3"}) rig.decoder->AddFile(rig.File(name), {});
    EXPECT_TRUE(player.Start());
    return player;
  };
  WriteBytes(rig.File("AutoSave.zpl"), records({"a.mp3", "b.mp3", "c.mp3"}));
  Player* player = &make();
  EXPECT_FALSE(ListeningEntry(*player, "ResumeAtStart")->isChecked());  // off by default
  ListeningEntry(*player, "ResumeAtStart")->trigger();
  player->tracks().SelectOnly(2);
  player->playback().DoubleClick();
  rig.decoder->SetCurrentPosition(42.5);
  player->QuitPlayer();
  EXPECT_EQ(ReadBytes(rig.File("config.zcf")).count("\r\n"), 31);
  const QSettings kept(rig.File("zelvo.conf"), QSettings::IniFormat);
  EXPECT_TRUE(kept.value("ResumeAtStart").toBool());
  EXPECT_EQ(kept.value("ResumeRow").toInt(), 2);

  // The list changed meanwhile: b.mp3 is now the third row.
  WriteBytes(rig.File("AutoSave.zpl"), records({"c.mp3", "a.mp3", "b.mp3"}));
  player = &make();
  EXPECT_EQ(player->tracks().CurrentIndex(), 3);
  EXPECT_EQ(player->tracks().SelectedPositions(), std::vector<int>{3});
  EXPECT_EQ(rig.decoder->FileName(), rig.File("b.mp3"));
  EXPECT_EQ(rig.decoder->PlayState(), play_state::Playing);
  EXPECT_DOUBLE_EQ(rig.decoder->CurrentPosition().value_or(0), 42.5);

  ListeningEntry(*player, "StartPaused")->trigger();
  rig.decoder->SetCurrentPosition(10);
  player->QuitPlayer();
  player = &make();
  EXPECT_EQ(rig.decoder->PlayState(), play_state::Paused);
  EXPECT_DOUBLE_EQ(rig.decoder->CurrentPosition().value_or(0), 10);

  // Stopped at quit: nothing to resume.
  player->playback().StopButton();
  player->QuitPlayer();
  player = &make();
  EXPECT_EQ(rig.decoder->PlayState(), play_state::Closed);
  EXPECT_TRUE(rig.desktop.messages.isEmpty()) << rig.MessageTitles().join(", ").toStdString();
}

}  // namespace
}  // namespace zelvo::test
