#include "adding/add_tracks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>

#include "playback/ffmpeg_decoder.h"
#include "playback/playback_display.h"
#include "base/uniform_name.h"
#include "scripted_desktop.h"
#include "scripted_player.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

// Adding tracks with a decoder that knows the files it is told about, so each
// naming rule can be given exactly the tags it tests. The names go through the
// real uniformation in the default "First Letter Only" style.
struct AddRig : ScriptedPlayer {
  ScriptedDesktop desktop;
  int autosaves = 0;
  std::function<void()> perFile;  // runs as each name is cleaned
  TrackAdder adder{desktop, [this](const QString& path) { return decoder.Probe(path); }, tracks, state, options, view, playback,
                   [this](const QString& name) {
                     if (perFile) perFile();
                     return UniformName(name, {.firstLetter = true});
                   },
                   [this] { ++autosaves; }};

  AddRig() { state.LastAddFolder = "/home/user/"; }

  void Choose(const QStringList& paths) { desktop.openAnswers.push_back(paths); }
  // A chosen file whose decoder reports these tags.
  QString Clip(const QString& path, const QString& author, const QString& title, double seconds = 60) {
    decoder.AddFile(path, {author, title, seconds});
    return path;
  }
};

TEST(AddTracks, AsksForAudioFilesInTheLastFolder) {
  AddRig rig;
  rig.adder.AddTracks();
  ASSERT_EQ(rig.desktop.openRequests.size(), 1);
  const FileDialogRequest& request = rig.desktop.openRequests.first();
  EXPECT_EQ(request.title, "Add Audio Files / Folders to Playlist");
  EXPECT_EQ(request.initialFolder, "/home/user/");
  EXPECT_EQ(request.filter,
            "All Compressed Audio (MP3 & WMA)|*.mp3;*.wma|MP3 Files Only (*.mp3)|*.mp3|WMA Files Only (*.wma)|*.wma"
            "|All Supported Audio|*.mp3;*.wma;*.flac;*.ogg;*.oga;*.opus;*.m4a;*.m4b;*.wav;*.aif;*.aiff;*.aifc;"
            "*.wv;*.ape;*.mpc|All Files (*.*)|*.*");
  EXPECT_EQ(request.filterIndex, 1);
  EXPECT_TRUE(request.multiSelect);
  EXPECT_TRUE(request.mustExist);
  EXPECT_TRUE(request.foldersToo);
}

TEST(AddTracks, OneFileBecomesOneRowAndTheAddIsReported) {
  AddRig rig;
  rig.Choose({rig.Clip("/music/song.mp3", "Band", "Tune", 125.4)});
  bool busyWhileAdding = false;
  rig.view.onEvents = [&] {
    busyWhileAdding = rig.state.DialogOpen && !rig.view.playerEnabled && !rig.view.playlistVisible;
  };
  rig.adder.AddTracks();

  ASSERT_EQ(rig.tracks.Count(), 1);
  const TrackEntry& row = rig.tracks.At(1);
  EXPECT_EQ(row.name, "Band - Tune");
  EXPECT_EQ(row.duration, "02:05");
  EXPECT_EQ(row.path, "/music/song.mp3");
  EXPECT_EQ(row.priority, "0");
  EXPECT_EQ(rig.state.LastAddFolder, "/music/");
  EXPECT_EQ(rig.autosaves, 1);

  EXPECT_TRUE(busyWhileAdding);
  EXPECT_TRUE(rig.view.captions.contains("Adding Audio Tracks - Please Wait"));
  EXPECT_EQ(rig.view.Caption(), "Track Add Complete ...");
  EXPECT_FALSE(rig.state.DialogOpen);
  EXPECT_TRUE(rig.view.playerEnabled);
  EXPECT_TRUE(rig.view.playlistVisible);
  EXPECT_FALSE(rig.view.busyCursor);
  EXPECT_EQ(rig.view.alignment, DisplayAlignment::Centre);
  EXPECT_EQ(rig.view.trackProgress, 15);
}

TEST(AddTracks, PlaybackStopsBeforeTheFilesAreOpened) {
  AddRig rig;
  rig.Choose({rig.Clip("/music/new.mp3", "A", "B")});
  rig.AddTrack("Old");
  rig.Start(1);
  ASSERT_EQ(rig.decoder.PlayState(), play_state::Playing);
  bool stoppedBeforeOpening = false;
  rig.view.onEvents = [&] { stoppedBeforeOpening = rig.decoder.PlayState() == play_state::Stopped; };

  rig.adder.AddTracks();
  EXPECT_TRUE(stoppedBeforeOpening);
  EXPECT_EQ(rig.playback.DisplayTimerInterval(), 0);
  EXPECT_EQ(rig.state.DisplayText, "Quandrell Zelvo - Audio Player");
  EXPECT_NE(rig.decoder.PlayState(), play_state::Playing);
  EXPECT_EQ(rig.tracks.Count(), 2);
}

// The name one chosen file gets, and the name the first of two chosen files gets.
QString NameAlone(const QString& author, const QString& title, bool useTags = true) {
  AddRig rig;
  rig.options.SetChecked(Entry::ID3Possible, useTags);
  rig.Choose({rig.Clip("/music/my_song.mp3", author, title)});
  rig.adder.AddTracks();
  return rig.tracks.Count() == 1 ? rig.tracks.At(1).name : QString();
}

QString NameInAGroup(const QString& author, const QString& title) {
  AddRig rig;
  rig.Choose({rig.Clip("/music/my_song.mp3", author, title), rig.Clip("/music/other.mp3", "X", "Y")});
  rig.adder.AddTracks();
  return rig.tracks.Count() == 2 ? rig.tracks.At(1).name : QString();
}

TEST(AddTracks, NamesComeFromUsableTagsElseFromTheFileName) {
  EXPECT_EQ(NameAlone("Band", "Tune"), "Band - Tune");
  EXPECT_EQ(NameAlone("Band", "Tune", false), "My Song");
  EXPECT_EQ(NameAlone("Band", "??Tune"), "My Song");
  EXPECT_EQ(NameAlone("", "Tune"), "My Song");
  EXPECT_EQ(NameAlone("Band", ""), "My Song");
  EXPECT_EQ(NameAlone("  Band ", "  Tune  "), "Band - Tune");

  EXPECT_EQ(NameInAGroup("Band", "Tune"), "Band - Tune");
  EXPECT_EQ(NameInAGroup("Band", "??Tune"), "My Song");
  EXPECT_EQ(NameInAGroup("", "Tune"), "My Song");
  EXPECT_EQ(NameInAGroup("Band", ""), "My Song");
}

TEST(AddTracks, TagsOfSpacesAloneCountOnlyInAGroup) {
  EXPECT_EQ(NameAlone("   ", "Tune"), "My Song");
  EXPECT_EQ(NameAlone("Band", "   "), "My Song");
  EXPECT_EQ(NameAlone("Band", " ??Tune"), "My Song");  // the title's opening is trimmed too
  EXPECT_EQ(NameInAGroup("   ", "Tune"), "- Tune");
  EXPECT_EQ(NameInAGroup("Band", "   "), "Band -");
  EXPECT_EQ(NameInAGroup("Band", " ??Tune"), "Band - ??tune");
}

TEST(AddTracks, SeveralFilesGoInInTheDialogsOrderWithTheirProgress) {
  AddRig rig;
  rig.Choose({rig.Clip("/music/c.mp3", "C", "Three", 45), rig.Clip("/music/a.mp3", "A", "One", 3725),
              rig.Clip("/music/b.wma", "B", "Two", 6005)});
  rig.adder.AddTracks();
  ASSERT_EQ(rig.tracks.Count(), 3);
  EXPECT_EQ(rig.tracks.At(1).name, "C - Three");
  EXPECT_EQ(rig.tracks.At(2).name, "A - One");
  EXPECT_EQ(rig.tracks.At(3).name, "B - Two");
  EXPECT_EQ(rig.tracks.At(1).duration, "00:45");
  EXPECT_EQ(rig.tracks.At(2).duration, "62:05");
  EXPECT_EQ(rig.tracks.At(3).duration, "100:05");
  EXPECT_EQ(rig.tracks.At(3).path, "/music/b.wma");
  EXPECT_EQ(rig.state.LastAddFolder, "/music/");
  EXPECT_EQ(rig.autosaves, 1);

  const qsizetype first = rig.view.captions.indexOf("Adding: c.mp3");
  ASSERT_GE(first, 0);
  EXPECT_EQ(rig.view.captions.mid(first, 4),
            QStringList({"Adding: c.mp3", "Adding: a.mp3", "Adding: b.wma", "Track Add Complete ..."}));
  EXPECT_EQ(rig.view.alignments,
            QList<DisplayAlignment>({DisplayAlignment::Left, DisplayAlignment::Centre}));
  EXPECT_EQ(rig.view.trackProgress, 15);
}

TEST(AddTracks, FilesFromTheRootFolderKeepASingleSeparator) {
  AddRig rig;
  rig.Choose({rig.Clip("/one.mp3", "", ""), rig.Clip("/two.mp3", "", "")});
  rig.adder.AddTracks();
  EXPECT_EQ(rig.tracks.At(1).path, "/one.mp3");
  EXPECT_EQ(rig.tracks.At(2).name, "Two");
  EXPECT_EQ(rig.state.LastAddFolder, "/");
}

TEST(AddTracks, CancellingAddsNothingAndShowsTheIdleTitle) {
  AddRig rig;
  rig.AddTrack("Playing");
  rig.Start(1);

  rig.adder.AddTracks();  // the user cancels
  EXPECT_EQ(rig.tracks.Count(), 1);
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Playing);
  EXPECT_EQ(rig.playback.DisplayTimerInterval(), 1000);
  EXPECT_EQ(rig.view.Caption(), "Quandrell Zelvo - Audio Player");
  EXPECT_EQ(rig.state.DisplayText, "Playing");  // what the end of a seek shows again
  EXPECT_EQ(rig.state.LastAddFolder, "/home/user/");
  EXPECT_EQ(rig.autosaves, 0);
  EXPECT_FALSE(rig.state.DialogOpen);
  EXPECT_TRUE(rig.view.playlistVisible);
  EXPECT_TRUE(rig.view.playerEnabled);
}

TEST(AddTracks, WithoutRealtimePlaylistNothingIsWritten) {
  AddRig rig;
  rig.options.SetChecked(Entry::RealPlayList, false);
  rig.Choose({rig.Clip("/music/a.mp3", "A", "B")});
  rig.adder.AddTracks();
  EXPECT_EQ(rig.tracks.Count(), 1);
  EXPECT_EQ(rig.autosaves, 0);
}

TEST(AddTracks, AFileTheDecoderCannotOpenStillGetsOneRow) {
  AddRig rig;
  rig.Choose({"/music/broken_file.mp3", rig.Clip("/music/good.mp3", "Good", "One", 61)});
  rig.adder.AddTracks();
  ASSERT_EQ(rig.tracks.Count(), 2);
  EXPECT_EQ(rig.tracks.At(1).name, "Broken File");
  EXPECT_EQ(rig.tracks.At(1).duration, "00:00");
  EXPECT_EQ(rig.tracks.At(1).path, "/music/broken_file.mp3");
  EXPECT_EQ(rig.tracks.At(2).name, "Good - One");
  EXPECT_EQ(rig.tracks.At(2).duration, "01:01");
}

TEST(AddTracks, ShortOrBlankFileNamesAreKeptWhole) {
  AddRig rig;
  rig.Choose({rig.Clip("/music/ab", "", ""), rig.Clip("/music/abcd", "", ""),
              rig.Clip("/music/  .mp3", "", ""), rig.Clip("/music/track.flac", "", "")});
  rig.adder.AddTracks();
  ASSERT_EQ(rig.tracks.Count(), 4);
  EXPECT_EQ(rig.tracks.At(1).name, "Ab");
  EXPECT_EQ(rig.tracks.At(2).name, "Abcd");
  EXPECT_EQ(rig.tracks.At(3).name, ".Mp3");
  EXPECT_EQ(rig.tracks.At(4).name, "Track");  // the whole extension goes, however long
}

TEST(AddTracks, TheWindowsRepaintDuringALongAddAndSeeTheRowsSoFar) {
  AddRig rig;
  QStringList paths;
  for (int i = 0; i < 40; ++i) paths << rig.Clip(QString("/music/%1.mp3").arg(i, 3, 10, QChar('0')), "", "");
  rig.Choose(paths);
  rig.perFile = [] { QThread::msleep(5); };  // a slow disk
  QList<int> rowsSeen;
  rig.view.onEvents = [&] { rowsSeen << rig.tracks.Count(); };
  rig.adder.AddTracks();
  EXPECT_EQ(rig.tracks.Count(), 40);
  // About 200 ms of work: events run several times, each time with the rows
  // of every file already taken in.
  ASSERT_GE(rowsSeen.size(), 3);
  for (qsizetype i = 1; i < rowsSeen.size(); ++i) EXPECT_GT(rowsSeen[i], rowsSeen[i - 1]);
}

// The same rules on real tagged files read by the real probe.
struct RealFileRig {
  ScriptedDesktop desktop;
  std::unique_ptr<Decoder> decoder = CreateSystemDecoder();
  TrackList tracks;
  PlayerState state;
  Options options;
  RecordingView view;
  RandomSource random;
  Playback playback{*decoder, tracks, state, options, view, random};
  PlaybackDisplay display{playback, view};
  TrackAdder adder{desktop, ProbeTagsAndLength, tracks, state, options, view, playback,
                   [](const QString& name) { return UniformName(name, {.firstLetter = true}); },
                   [] {}};

  QStringList Add(const QStringList& paths) {
    desktop.openAnswers.push_back(paths);
    adder.AddTracks();
    QStringList rows;
    for (int position = 1; position <= tracks.Count(); ++position)
      rows << tracks.At(position).name + " | " + tracks.At(position).duration;
    return rows;
  }
};

TEST(AddTracksFromRealFiles, OneFileIsNamedFromItsTags) {
  RealFileRig rig;
  EXPECT_EQ(rig.Add({DataFile("id3v23.mp3")}), QStringList({"Motörhead - Ace Of Spädes | 00:01"}));
  EXPECT_EQ(rig.state.LastAddFolder, DataFile(""));
}

TEST(AddTracksFromRealFiles, SeveralFilesFallBackToTheirNamesWhereTagsFail) {
  RealFileRig rig;
  const QStringList rows =
      rig.Add({DataFile("id3v24.mp3"), DataFile("chirp.wma"), DataFile("qq_title.mp3"), DataFile("no_author.mp3"),
               DataFile("no_title.mp3"), DataFile("not_audio.mp3"), DataFile("id3v1_only.mp3")});
  EXPECT_EQ(rows, QStringList({"Sigur Rós - Жизнь 東京 | 00:01", "Wma Author - Wma Title | 00:05",
                               "Qq Title | 00:01", "No Author | 00:01", "No Title | 00:01",
                               "Not Audio | 00:00", "Beyoncé - Café Olé | 00:01"}));
  EXPECT_EQ(rig.tracks.At(2).path, DataFile("chirp.wma"));
}

TEST(AddTracksFromRealFiles, BlankTagsNameOnlyFilesAddedInAGroup) {
  QTemporaryDir dir;
  const QString blank = dir.filePath("blank_artist.mp3");
  ASSERT_TRUE(QFile::copy(DataFile("id3v23.mp3"), blank));
  QFile::setPermissions(blank, QFile::ReadOwner | QFile::WriteOwner);
  {
    TagLib::FileRef file(QFile::encodeName(blank).constData());
    file.tag()->setArtist("   ");
    ASSERT_TRUE(file.save());
  }
  RealFileRig alone;
  EXPECT_EQ(alone.Add({blank}), QStringList({"Blank Artist | 00:01"}));
  RealFileRig group;
  EXPECT_EQ(group.Add({blank, DataFile("id3v23.mp3")}),
            QStringList({"- Ace Of Spädes | 00:01", "Motörhead - Ace Of Spädes | 00:01"}));
}

// A FIFO and a link to /dev/zero named like audio files, and WMA files whose
// header objects lie about their sizes: each becomes one row named from its
// file, and the add goes on to the end.
TEST(AddTracksFromRealFiles, FilesThatAreNoAudioOrMisleadTheProbeAreAddedSafely) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString fifo = dir.filePath("pipe.mp3");
  const QString zero = dir.filePath("zero.mp3");
  ASSERT_TRUE(MakeEndlessFiles(fifo, zero));
  RealFileRig rig;
  const QStringList rows = rig.Add({fifo, zero, DataFile("crash_object_size.wma"),
                                    DataFile("hang_object_cycle.wma"), DataFile("id3v23.mp3")});
  ASSERT_EQ(rows.size(), 5) << rows.join("; ").toStdString();
  EXPECT_EQ(rows[0], "Pipe | 00:00");
  EXPECT_EQ(rows[1], "Zero | 00:00");
  EXPECT_EQ(rows[4], "Motörhead - Ace Of Spädes | 00:01");
  EXPECT_EQ(rig.view.Caption(), "Track Add Complete ...");
}

TEST(AddTracksFromRealFiles, AFolderChosenBringsInEveryFormatNamedAndTimed) {
  QTemporaryDir dir;
  const QString album = dir.filePath("Album");
  QDir().mkpath(album + "/CD 2");
  const std::pair<const char*, const char*> files[] = {
      {"tone.flac", "10 - x.flac"}, {"tone.ogg", "2 - x.ogg"}, {"tone.opus", "CD 2/1 - x.opus"},
      {"tone_aac.m4a", "3 - x.m4a"}, {"tone.wav", "1 - x.wav"}, {"tone.aiff", "4 - x.aiff"},
      {"tone.wv", "5 - x.wv"}, {"tone.mpc", "6 - x.mpc"}, {"tone_alac.m4a", "7 - x.m4a"},
      {"chirp.wma", "cover.jpg"}};
  for (const auto& [source, name] : files) ASSERT_TRUE(QFile::copy(DataFile(source), album + "/" + name));
  RealFileRig rig;
  EXPECT_EQ(rig.Add({album}), QStringList({"Zelvo Tests - Wav Tüne | 00:00", "Zelvo Tests - Vorbis Tüne | 00:01",
                                           "Zelvo Tests - Aac Tüne | 00:01", "Zelvo Tests - Aiff Tüne | 00:00",
                                           "Zelvo Tests - Wavpack Tüne | 00:00",
                                           "Zelvo Tests - Musepack Tüne | 00:01",
                                           "Zelvo Tests - Alac Tüne | 00:00", "Zelvo Tests - Flac Tüne | 00:00",
                                           "Zelvo Tests - Opus Tüne | 00:01"}));
  EXPECT_EQ(rig.tracks.At(9).path, album + "/CD 2/1 - x.opus");
  EXPECT_EQ(rig.state.LastAddFolder, dir.path() + "/");  // where the folder was chosen

  // Named from their files, each loses its whole extension.
  RealFileRig byName;
  byName.options.SetChecked(Entry::ID3Possible, false);
  EXPECT_EQ(byName.Add({album + "/10 - x.flac", album + "/5 - x.wv", album + "/CD 2/1 - x.opus"}),
            QStringList({"10 - X | 00:00", "5 - X | 00:00", "1 - X | 00:01"}));
}

}  // namespace
}  // namespace zelvo::test
