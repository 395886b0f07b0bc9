#include <QFile>

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
  EXPECT_EQ(rig.state.CueIndex, 2);
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(2));
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Playing);
}

TEST(TrackPlayback, StoppingResetsTheDisplayButKeepsThePositions) {
  ScriptedPlayer rig;
  rig.Fill(3);
  rig.Start(2);
  rig.view.trackProgress = rig.view.stripProgress = 700;
  rig.playback.StopButton();
  EXPECT_EQ(rig.playback.DisplayTimerInterval(), 0);
  EXPECT_EQ(rig.view.Caption(), "Quandrell Zelvo - Audio Player");
  EXPECT_EQ(rig.state.DisplayText, "Quandrell Zelvo - Audio Player");
  EXPECT_EQ(rig.view.tooltip, "Track 2");
  EXPECT_EQ(rig.view.trackProgress, 15);
  EXPECT_EQ(rig.view.stripProgress, 15);
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Stopped);
  EXPECT_EQ(rig.state.CurrentIndex, 2);
  EXPECT_EQ(rig.state.CueIndex, 2);
}

TEST(TrackPlayback, PlayButtonPausesResumesAndRestartsAfterStop) {
  ScriptedPlayer rig;
  rig.Fill(2);
  rig.state.CurrentIndex = 2;
  rig.playback.PlayButton();
  ASSERT_EQ(rig.decoder.PlayState(), play_state::Playing);
  rig.decoder.SetCurrentPosition(40);

  EXPECT_EQ(rig.tracks.Model().PlayingPath(), rig.PathOf(2));  // the playing row is marked
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
  EXPECT_TRUE(rig.tracks.Model().PlayingPath().isEmpty());
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
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(3));
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Playing);
  EXPECT_EQ(rig.state.CurrentIndex, 3);
}

TEST(TrackPlayback, AMissingFileReachedAtATracksEndDoesNotHoldThePlayerBack) {
  ScriptedPlayer rig;
  rig.AddTrack("First");
  rig.AddMissingTrack("Gone");
  rig.AddTrack("Third");
  rig.Start(1);
  rig.decoder.FinishTrack();
  rig.playback.UpdateDisplay();
  EXPECT_EQ(rig.view.Caption(), "Skipping Track - File Not Found");
  rig.playback.UpdateDisplay();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(3));
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Playing);
}

TEST(TrackPlayback, AFileTheDecoderRefusesIsSkippedLikeAMissingOne) {
  ScriptedPlayer rig;
  rig.Fill(2);
  const QString refused = QDir(rig.folder.path()).filePath("notes.mp3");
  WriteBytes(refused, "not audio");
  rig.tracks.Model().Append(TrackEntry{"Notes", "00:00", refused, "0"});
  rig.Start(1);
  rig.Start(3);
  EXPECT_EQ(rig.view.Caption(), "Skipping Track - File Not Found");
  EXPECT_EQ(rig.state.CueIndex, 3);
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Closed);

  // The tick moves on by the play mode: after the last row comes the first.
  rig.playback.UpdateDisplay();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(1));
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Playing);
}

TEST(TrackPlayback, ADeletedFileIsSkippedAndTheFollowingRowStartsOneTickLater) {
  ScriptedPlayer rig;
  rig.Fill(3);
  ASSERT_TRUE(QFile::remove(rig.PathOf(2)));
  rig.tracks.SelectOnly(2);
  rig.playback.EnterPressed();
  EXPECT_EQ(rig.view.Caption(), "Skipping Track - File Not Found");

  rig.playback.UpdateDisplay();
  EXPECT_EQ(rig.state.CurrentIndex, 3);
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(3));
}

TEST(TrackPlayback, PlayRightAfterStartUpSkipsOnceThenStartsRowOne) {
  ScriptedPlayer rig;
  rig.Fill(3);
  rig.playback.PlayButton();
  EXPECT_EQ(rig.view.Caption(), "Skipping Track - File Not Found");
  // The real timer, not a direct call: the skip must keep the tick running.
  ASSERT_TRUE(WaitFor([&] { return rig.decoder.PlayState() == play_state::Playing; }, 3000));
  EXPECT_EQ(rig.state.CurrentIndex, 1);
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
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(1));
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Playing);
  EXPECT_EQ(rig.playback.DisplayTimerInterval(), 1000);
  // The empty row counts as the one last started.
  EXPECT_EQ(rig.state.CueIndex, 2);
  EXPECT_EQ(rig.state.CurrentIndex, 2);

  rig.playback.UpdateDisplay();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(1));  // still playing: nothing happens yet
  rig.decoder.FinishTrack();
  rig.playback.UpdateDisplay();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(3));
  EXPECT_EQ(rig.state.CueIndex, 3);
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
  ScriptedPlayer rig;
  rig.Fill(3);
  rig.Start(1);
  rig.playback.PreviousButton();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(3));
  EXPECT_EQ(rig.view.Caption(), "Track 3");
}

}  // namespace
}  // namespace zelvo::test
