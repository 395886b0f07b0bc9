// The next row chosen near the end of a track and followed without a gap,
// and every way the user's word wins over it before the boundary.

#include <QCoreApplication>
#include <QElapsedTimer>

#include "playback/decoder.h"
#include "scripted_player.h"

namespace zelvo::test {
namespace {

// Runs the decoder's queued news.
void Settle(int ms = 20) {
  QCoreApplication::processEvents();
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

TEST(GaplessNext, TheNextRowIsPreparedNearTheEndAndShownAtTheBoundary) {
  ScriptedPlayer rig(4, 2);
  const int opens = rig.decoder.openCount;
  rig.decoder.ReachNearEnd();
  Settle();
  EXPECT_EQ(rig.decoder.NextFileName(), rig.PathOf(3));
  EXPECT_EQ(rig.view.Caption(), "Track 2");  // still heard
  rig.decoder.FinishTrack();
  Settle();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(3));
  EXPECT_EQ(rig.decoder.openCount, opens);  // not opened again: it followed
  EXPECT_EQ(rig.view.Caption(), "Track 3");
  EXPECT_EQ(rig.state.DisplayText, "Track 3");
  EXPECT_TRUE(rig.tracks.Model().CurrentMarked());
  EXPECT_EQ(rig.tracks.CurrentIndex(), 3);
  EXPECT_EQ(rig.tracks.CueIndex(), 3);
  EXPECT_EQ(rig.Priority(2), "0");  // played out, not skipped
  EXPECT_EQ(rig.Priority(3), "0");
}

TEST(GaplessNext, PreparingChangesNothingAndTheJoinTakesTheQueuedRow) {
  ScriptedPlayer rig(5, 1);
  rig.tracks.Model().SetSequenceMark(4, true);  // row 5 queued
  rig.decoder.ReachNearEnd();
  Settle();
  EXPECT_EQ(rig.decoder.NextFileName(), rig.PathOf(5));
  EXPECT_TRUE(rig.tracks.At(5).sequenceMark);
  EXPECT_EQ(rig.tracks.CurrentIndex(), 1);
  const int opens = rig.decoder.openCount;
  rig.decoder.FinishTrack();
  Settle();
  EXPECT_TRUE(rig.PlaysRow(5));
  EXPECT_EQ(rig.decoder.openCount, opens);
  EXPECT_FALSE(rig.tracks.At(5).sequenceMark);
  EXPECT_EQ(rig.tracks.CurrentIndex(), 5);
}

// Up to the audible join the user's word wins: the row they chose starts
// instead of the one prepared.
TEST(GaplessNext, ACursorOrModeChangedBeforeTheJoinWins) {
  {
    ScriptedPlayer rig(6, 2);
    rig.decoder.ReachNearEnd();
    Settle();
    ASSERT_EQ(rig.decoder.NextFileName(), rig.PathOf(3));
    rig.tracks.SelectOnly(6);  // a click on row 6
    rig.tracks.SetCueIndex(6);
    EXPECT_TRUE(rig.decoder.NextFileName().isEmpty());  // dropped at once, not followed
    rig.decoder.FinishTrack();
    Settle();
    EXPECT_TRUE(rig.PlaysRow(6));
    EXPECT_EQ(rig.view.Caption(), "Track 6");
  }
  {
    ScriptedPlayer rig(5, 1);
    rig.decoder.ReachNearEnd();
    Settle();
    ASSERT_EQ(rig.decoder.NextFileName(), rig.PathOf(2));
    rig.SetPriorities({"x", "x", "x", "2", "x"});  // only row 4 can win a fuzzy draw
    rig.PlayMode(Entry::FuzzyPlay);
    rig.playback.OptionsChanged();
    EXPECT_TRUE(rig.decoder.NextFileName().isEmpty());  // dropped at once
    rig.decoder.FinishTrack();
    Settle();
    EXPECT_TRUE(rig.PlaysRow(4));
    EXPECT_EQ(rig.tracks.CurrentIndex(), 4);
  }
}

TEST(GaplessNext, ASeekOrAStopInTheLastMomentsDropsItAndAPauseKeepsIt) {
  ScriptedPlayer rig(4, 2);
  rig.decoder.ReachNearEnd();
  Settle();
  rig.playback.ReleaseSeek(Qt::LeftButton, 10);  // back to the start of row 2
  EXPECT_TRUE(rig.decoder.NextFileName().isEmpty());
  EXPECT_EQ(rig.tracks.CurrentIndex(), 2);
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Playing);

  rig.decoder.ReachNearEnd();
  Settle();
  rig.playback.PlayButton();  // pause
  EXPECT_EQ(rig.decoder.NextFileName(), rig.PathOf(3));
  rig.playback.PlayButton();  // resume
  rig.playback.StopTrack();
  EXPECT_TRUE(rig.decoder.NextFileName().isEmpty());
  EXPECT_EQ(rig.tracks.CurrentIndex(), 2);  // play starts row 2 again
  rig.playback.PlayButton();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(2));
}

TEST(GaplessNext, ARowThatCannotBeStartedIsSkippedAtTheEndAsEver) {
  ScriptedPlayer rig;
  rig.AddTrack("First");
  rig.AddMissingTrack("Gone");
  rig.AddTrack("Third");
  rig.Start(1);
  rig.decoder.ReachNearEnd();
  Settle();
  EXPECT_TRUE(rig.decoder.NextFileName().isEmpty());
  EXPECT_EQ(rig.tracks.CurrentIndex(), 1);
  rig.decoder.FinishTrack();
  Settle();
  // At once, not a tick later: the skip message, then the tick moves on.
  EXPECT_EQ(rig.view.Caption(), kSkipNotFound);
  EXPECT_EQ(rig.tracks.CurrentIndex(), 2);
  rig.playback.UpdateDisplay();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(3));
}

}  // namespace
}  // namespace zelvo::test
