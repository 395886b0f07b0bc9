#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QTest>

#include "playback/display_tick.h"

#include "decoder_test_util.h"
#include "scripted_player.h"

namespace zelvo::test {
namespace {

TEST(TrackPlayback, StartingShowsTheNameRunsTheTickAndPlaysTheFile) {
  ScriptedPlayer rig;
  rig.Fill(3);
  rig.view.trackProgress = 900;
  rig.Start(2);
  EXPECT_EQ(rig.view.Caption(), "Track 2");
  EXPECT_EQ(rig.view.tooltip, "Track 2");
  EXPECT_EQ(rig.state.DisplayText, "Track 2");
  EXPECT_EQ(rig.view.trackProgress, 15);
  EXPECT_EQ(rig.playback.DisplayTimerInterval(), 1000);
  EXPECT_EQ(rig.tracks.CueIndex(), 2);
  EXPECT_TRUE(rig.PlaysRow(2));
}

// What the decoder's thread says of opening files, as the log lines name them.
QStringList fileOpens;
void KeepFileOpens(QtMsgType, const QMessageLogContext& context, const QString& text) {
  if (QByteArray(context.category) == "zelvo.opens") fileOpens.append(text);
}

// With the real decoder, starting a track opens its file once, away from the
// window: the name shows at once, and the track counts as started (and its
// length is told) once the file is open.
TEST(TrackPlayback, ARealFileIsOpenedOnceAndItsLengthToldOnceOpen) {
  RealDecoderPlayback rig(1.0);  // heard in real time
  auto& memory = rig.memory;
  auto& tracks = rig.tracks;
  auto& view = rig.view;
  auto& playback = rig.playback;
  const QString path = DataFile("chirp_cbr.mp3");
  tracks.Model().Append(TrackEntry{"Chirp", "00:01", path, "0"});
  tracks.SetCurrentIndex(1);
  int started = 0;
  std::optional<double> told;
  QObject::connect(&playback, &Playback::TrackStarted, [&] { ++started; });
  QObject::connect(&playback, &Playback::TrackChanged, [&] { told = memory.decoder->Duration(); });
  QLoggingCategory::setFilterRules("zelvo.opens.debug=true");
  fileOpens.clear();
  const QtMessageHandler before = qInstallMessageHandler(KeepFileOpens);
  playback.PlayTrack();
  EXPECT_EQ(view.Caption(), "Chirp");
  EXPECT_TRUE(WaitFor([&] { return started == 1; }));
  QTest::qWait(100);
  qInstallMessageHandler(before);
  QLoggingCategory::setFilterRules("zelvo.opens.debug=false");
  EXPECT_EQ(started, 1);
  EXPECT_NEAR(told.value_or(-1), 5.0, 0.1);  // the length, not the row's 00:01
  EXPECT_EQ(fileOpens, QStringList{"opening \"" + path + "\""});
  playback.StopTrack();
}

TEST(TrackPlayback, StoppingResetsTheDisplayButKeepsThePositions) {
  ScriptedPlayer rig(3, 2);
  rig.view.trackProgress = rig.view.stripProgress = 700;
  rig.playback.StopButton();
  EXPECT_EQ(rig.playback.DisplayTimerInterval(), 0);
  EXPECT_EQ(rig.view.Caption(), "Quandrell Zelvo - Audio Player");
  EXPECT_EQ(rig.state.DisplayText, "Quandrell Zelvo - Audio Player");
  EXPECT_EQ(rig.view.tooltip, "Track 2");
  EXPECT_EQ(rig.view.trackProgress, 15);
  EXPECT_EQ(rig.view.stripProgress, 15);
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Stopped);
  EXPECT_EQ(rig.tracks.CurrentIndex(), 2);
  EXPECT_EQ(rig.tracks.CueIndex(), 2);
}

TEST(TrackPlayback, PlayButtonPausesResumesAndRestartsAfterStop) {
  ScriptedPlayer rig;
  rig.Fill(2);
  rig.tracks.SetCurrentIndex(2);
  rig.playback.PlayButton();
  ASSERT_EQ(rig.decoder.PlayState(), play_state::Playing);
  rig.decoder.SetCurrentPosition(40);

  EXPECT_TRUE(rig.tracks.Model().CurrentMarked());  // the playing row is marked
  rig.playback.PlayButton();
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Paused);
  EXPECT_TRUE(rig.view.paused);  // and the pause shows
  rig.playback.PlayButton();
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Playing);
  EXPECT_FALSE(rig.view.paused);
  EXPECT_EQ(rig.decoder.CurrentPosition().value_or(-1), 40);

  rig.playback.PlayButton();
  rig.playback.StopButton();
  EXPECT_FALSE(rig.view.paused);
  EXPECT_FALSE(rig.tracks.Model().CurrentMarked());
  rig.playback.PlayButton();
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Playing);
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(2));
  EXPECT_EQ(rig.decoder.CurrentPosition().value_or(-1), 0);
}

TEST(TrackPlayback, AMissingFileIsSkippedAndTheRowAfterItStartsAtTheTick) {
  ScriptedPlayer rig;
  rig.AddTrack("First");
  rig.AddMissingTrack("Gone");
  rig.AddTrack("Third");
  rig.Start(1);

  rig.playback.NextButton();
  EXPECT_EQ(rig.view.Caption(), "Skipping Track - File Not Found");
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Stopped);
  EXPECT_EQ(rig.playback.DisplayTimerInterval(), 1000);

  rig.playback.UpdateDisplay();
  EXPECT_TRUE(rig.PlaysRow(3));
  EXPECT_EQ(rig.tracks.CurrentIndex(), 3);
}

TEST(TrackPlayback, AMissingFileReachedAtATracksEndDoesNotHoldThePlayerBack) {
  ScriptedPlayer rig;
  rig.AddTrack("First");
  rig.AddMissingTrack("Gone");
  rig.AddTrack("Third");
  rig.Start(1);
  rig.EndTrackAndTick();
  EXPECT_EQ(rig.view.Caption(), "Skipping Track - File Not Found");
  rig.playback.UpdateDisplay();
  EXPECT_TRUE(rig.PlaysRow(3));
}

TEST(TrackPlayback, AFileTheDecoderRefusesIsSkippedLikeAMissingOne) {
  ScriptedPlayer rig;
  rig.Fill(2);
  const QString refused = QDir(rig.folder.path()).filePath("notes.mp3");
  WriteBytes(refused, "not audio");
  rig.tracks.Model().Append(TrackEntry{"Notes", "00:00", refused, "0"});
  int started = 0;
  QObject::connect(&rig.playback, &Playback::TrackStarted, [&] { ++started; });
  rig.Start(1);
  ASSERT_TRUE(WaitFor([&] { return started == 1; }));
  rig.Start(3);
  // The decoder opens files away from the window and says what it found:
  // until then the row's name shows, and only a file that opened counts as started.
  EXPECT_EQ(rig.view.Caption(), "Notes");
  ASSERT_TRUE(WaitFor([&] { return rig.view.Caption() == "Skipping Track - File Not Found"; }));
  EXPECT_EQ(started, 1);
  EXPECT_EQ(rig.tracks.CueIndex(), 3);
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Closed);

  // The tick moves on by the play mode: after the last row comes the first.
  rig.playback.UpdateDisplay();
  EXPECT_TRUE(rig.PlaysRow(1));
}

TEST(TrackPlayback, ADeletedFileIsSkippedAndTheFollowingRowStartsOneTickLater) {
  ScriptedPlayer rig;
  rig.Fill(3);
  ASSERT_TRUE(QFile::remove(rig.PathOf(2)));
  rig.tracks.SelectOnly(2);
  rig.playback.EnterPressed();
  EXPECT_EQ(rig.view.Caption(), "Skipping Track - File Not Found");

  rig.playback.UpdateDisplay();
  EXPECT_EQ(rig.tracks.CurrentIndex(), 3);
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(3));
}

TEST(TrackPlayback, PlayRightAfterStartUpSkipsOnceThenStartsRowOne) {
  ScriptedPlayer rig;
  rig.Fill(3);
  rig.playback.PlayButton();
  EXPECT_EQ(rig.view.Caption(), "Skipping Track - File Not Found");
  // The real timer, not a direct call: the skip must keep the tick running.
  ASSERT_TRUE(WaitFor([&] { return rig.decoder.PlayState() == play_state::Playing; }, 3000));
  EXPECT_EQ(rig.tracks.CurrentIndex(), 1);
  EXPECT_EQ(rig.view.Caption(), "Track 1");
}

TEST(TrackPlayback, AnEmptyListKeepsSkippingUntilStopped) {
  ScriptedPlayer rig;
  rig.playback.PlayButton();
  EXPECT_EQ(rig.view.Caption(), "Skipping Track - File Not Found");
  rig.playback.UpdateDisplay();
  rig.playback.UpdateDisplay();
  EXPECT_EQ(rig.view.Caption(), "Skipping Track - File Not Found");
  EXPECT_EQ(rig.playback.DisplayTimerInterval(), 1000);
  rig.playback.StopButton();
  EXPECT_EQ(rig.playback.DisplayTimerInterval(), 0);
}

TEST(TrackPlayback, AnEmptyPathIsSkipped) {
  ScriptedPlayer rig;
  rig.tracks.Model().Append(TrackEntry{"Nowhere", "00:00", "", "0"});
  rig.Start(1);
  EXPECT_EQ(rig.view.Caption(), "Skipping Track - File Not Found");
}

TEST(TrackPlayback, AZeroByteFileLetsThePlayingTrackGoOnAndTheRowAfterItFollows) {
  ScriptedPlayer rig;
  rig.AddTrack("First");
  rig.AddEmptyFile("Silent");
  rig.AddTrack("Third");
  rig.AddTrack("Fourth");
  rig.tracks.SelectOnly(1);
  rig.Start(1);

  rig.playback.NextButton();
  EXPECT_EQ(rig.view.Caption(), "Skipping Track - No File Size");
  EXPECT_TRUE(rig.PlaysRow(1));
  EXPECT_EQ(rig.playback.DisplayTimerInterval(), 1000);
  // The empty row counts as the one last started, and as skipped while
  // another track plays, like the track the next button left.
  EXPECT_EQ(rig.tracks.CueIndex(), 2);
  EXPECT_EQ(rig.tracks.CurrentIndex(), 2);
  EXPECT_EQ(rig.Priority(1), "-1");
  EXPECT_EQ(rig.Priority(2), "-1");

  rig.playback.UpdateDisplay();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(1));  // still playing: nothing happens yet
  rig.EndTrackAndTick();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(3));
  EXPECT_EQ(rig.tracks.CueIndex(), 3);
}

TEST(TrackPlayback, AZeroByteRowInNormalModeIsPassedNotReturnedTo) {
  ScriptedPlayer rig;
  rig.AddTrack("First");
  rig.AddEmptyFile("Silent");
  rig.AddTrack("Third");
  rig.tracks.SelectOnly(1);  // the cursor stays on the first row
  rig.Start(1);
  QStringList started;
  for (int tick = 0; tick < 8; ++tick) {
    if (rig.decoder.PlayState() == play_state::Playing) {
      started << rig.decoder.FileName();
      rig.decoder.FinishTrack();
    }
    rig.playback.UpdateDisplay();
  }
  EXPECT_TRUE(started.contains(rig.PathOf(3))) << started.join(", ").toStdString();
  EXPECT_EQ(started.first(), rig.PathOf(1));
  EXPECT_EQ(started.value(1), rig.PathOf(3));
}

TEST(TrackPlayback, PreviousButtonStartsTheRowBefore) {
  ScriptedPlayer rig(3, 1);
  rig.playback.PreviousButton();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(3));
  EXPECT_EQ(rig.view.Caption(), "Track 3");
}

TEST(DisplayTick, AtATracksEndThePlayModeChoosesUnlessTheUserMovedTheCursor) {
  ScriptedPlayer rig(8, 2);
  rig.EndTrackAndTick();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(3));

  // A single click on row 7, which was queued: the click wins over the queue
  // and the play mode, and takes the row out of the queue.
  rig.tracks.SelectOnly(7);
  rig.tracks.Model().SetSequenceMark(6, true);
  rig.tracks.SetCueIndex(7);
  rig.playback.UpdateDisplay();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(3));  // still playing: nothing happens yet
  rig.EndTrackAndTick();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(7));
  EXPECT_FALSE(rig.tracks.At(7).sequenceMark);
  EXPECT_EQ(rig.tracks.CueIndex(), 7);
}

TEST(DisplayTick, TheDecodersWordOfAnEndStartsTheNextTrackWithoutATick) {
  ScriptedPlayer rig(4, 2);
  rig.decoder.FinishTrack();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(2));  // queued to the event loop
  QCoreApplication::processEvents();
  EXPECT_TRUE(rig.PlaysRow(3));
  EXPECT_EQ(rig.tracks.At(2).priority, "0");  // played out, not skipped

  // After stop nothing moves on by itself.
  rig.playback.StopTrack();
  rig.decoder.Play();
  rig.decoder.FinishTrack();
  QCoreApplication::processEvents();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(3));
}

TEST(DisplayTick, WithoutACursorRowTheChosenPositionStays) {
  ScriptedPlayer rig;
  rig.AddTrack("First");
  rig.AddEmptyFile("Silent");
  rig.AddTrack("Third");
  rig.Start(1);
  rig.playback.NextButton();  // the empty file is skipped at the next tick
  rig.EndTrackAndTick();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(3));
}

TEST(DisplayTick, ADecoderStuckWaitingCountsAsFinished) {
  ScriptedPlayer rig(2, 1);
  rig.decoder.ForceState(play_state::Waiting);
  rig.playback.UpdateDisplay();
  EXPECT_TRUE(rig.PlaysRow(2));
}

TEST(DisplayTick, PausedOrPlayingTracksAreLeftAlone) {
  ScriptedPlayer rig(2, 1);
  rig.playback.PlayButton();
  rig.playback.UpdateDisplay();
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Paused);
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(1));
}

TEST(DisplayTick, BothBarsFollowThePosition) {
  ScriptedPlayer rig;
  rig.view.displayWidth = 2048;
  rig.view.stripWidth = 6000;
  rig.AddTrack("Long", 256);
  rig.Start(1);
  rig.decoder.SetCurrentPosition(64);
  rig.playback.UpdateDisplay();
  EXPECT_EQ(rig.view.trackProgress, 512);
  EXPECT_EQ(rig.view.stripProgress, 1500);
}

TEST(DisplayTick, BarsKeepTheirLengthWithoutAScale) {
  ScriptedPlayer rig;
  rig.view.trackProgress = rig.view.stripProgress = 321;
  rig.playback.UpdateDisplay();  // nothing to play, no file open
  EXPECT_EQ(rig.view.trackProgress, 321);
  EXPECT_EQ(rig.view.stripProgress, 321);

  rig.AddTrack("Nothing", 0);
  rig.Start(1);
  rig.view.trackProgress = rig.view.stripProgress = 321;
  rig.playback.UpdateDisplay();  // a track of no length
  EXPECT_EQ(rig.view.trackProgress, 321);
  EXPECT_EQ(rig.view.stripProgress, 321);
}

TEST(ProgressLength, ScalesThePositionToTheBarAndStaysOnIt) {
  EXPECT_EQ(ProgressLength(64, 256, 2048), 512);
  EXPECT_EQ(ProgressLength(0, 256, 2048), 0);
  EXPECT_EQ(ProgressLength(256, 256, 4330), 4330);
  EXPECT_EQ(ProgressLength(300, 256, 4330), 4330);
  EXPECT_EQ(ProgressLength(10, 0, 4330), std::nullopt);
  EXPECT_EQ(ProgressLength(10, -1, 4330), std::nullopt);
}

TEST(SeekTarget, TakesTheWholeSecondUnderThePointer) {
  EXPECT_EQ(SeekTarget(256, 2048, 1024), 128.0);
  EXPECT_EQ(SeekTarget(200, 4330, 1000), 46.0);  // 46.18 rounds down
  EXPECT_EQ(SeekTarget(200, 4330, 4330), 200.0);
  EXPECT_EQ(SeekTarget(200, 4330, 0), 0.0);
  // A drag carries the pointer past the display's edges.
  EXPECT_EQ(SeekTarget(200, 4330, -300), 0.0);
  EXPECT_EQ(SeekTarget(200, 4330, 9000), 200.0);
  EXPECT_EQ(SeekTarget(200, 0, 10), std::nullopt);
}

TEST(Seeking, ReleaseSeeksAndBringsTheNameBack) {
  ScriptedPlayer rig;
  rig.view.displayWidth = 2048;
  rig.AddTrack("Long", 256);
  rig.Start(1);
  rig.view.captions.append("02:00");
  rig.playback.ReleaseSeek(Qt::RightButton, 1024);
  EXPECT_EQ(rig.decoder.CurrentPosition().value_or(-1), 128);
  EXPECT_EQ(rig.view.Caption(), "Long");
  EXPECT_EQ(rig.view.trackProgress, 1024);
}

TEST(Seeking, DragShowsTheTimeBeforeEachMoveAndSeeks) {
  ScriptedPlayer rig;
  rig.view.displayWidth = 2000;
  rig.AddTrack("Long", 200);
  rig.Start(1);
  rig.decoder.SetCurrentPosition(65.4);
  rig.playback.DragSeek(Qt::LeftButton, 1000);
  EXPECT_EQ(rig.view.Caption(), "01:05");
  EXPECT_EQ(rig.decoder.CurrentPosition().value_or(-1), 100);
  rig.playback.DragSeek(Qt::LeftButton, 1500);
  EXPECT_EQ(rig.view.Caption(), "01:40");
  EXPECT_EQ(rig.decoder.CurrentPosition().value_or(-1), 150);
  EXPECT_EQ(rig.view.trackProgress, 1500);

  const int captions = rig.view.captions.size();
  rig.playback.DragSeek(Qt::NoButton, 100);  // hovering only
  rig.playback.ReleaseSeek(Qt::NoButton, 100);
  EXPECT_EQ(rig.view.captions.size(), captions);
  EXPECT_EQ(rig.decoder.CurrentPosition().value_or(-1), 150);
}

TEST(Seeking, WithNoFileEverOpenedNothingChanges) {
  ScriptedPlayer rig;
  rig.Fill(2);
  rig.playback.DragSeek(Qt::LeftButton, 500);
  rig.playback.ReleaseSeek(Qt::LeftButton, 500);
  EXPECT_TRUE(rig.view.captions.isEmpty());
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Closed);
}

TEST(Seeking, ReleaseAtTheRightEdgeEndsTheTrackAndTheNextStarts) {
  ScriptedPlayer rig(2, 1);
  rig.playback.ReleaseSeek(Qt::LeftButton, rig.view.displayWidth);
  // The seek's own display update already sees the end.
  EXPECT_TRUE(rig.PlaysRow(2));
}

TEST(Seeking, AClickAfterStopSeeksAndStartsTheNextTrack) {
  ScriptedPlayer rig(3, 1);
  rig.playback.StopButton();
  rig.playback.ReleaseSeek(Qt::LeftButton, 100);
  EXPECT_TRUE(rig.PlaysRow(2));
}

}  // namespace
}  // namespace zelvo::test
