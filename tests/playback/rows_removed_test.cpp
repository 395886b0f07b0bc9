#include "scripted_player.h"

namespace zelvo::test {
namespace {

void SelectRows(TrackList& tracks, std::initializer_list<int> positions) {
  for (int position : positions)
    tracks.Selection().select(tracks.Model().index(position - 1, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// The end of the playing track, as the tick finds it.
void TrackEnds(ScriptedPlayer& rig) {
  rig.EndTrackAndTick();
}

TEST(RowsRemoved, PlaybackGoesOnWithTheRowAfterThePlayingOneByItsNewPosition) {
  // Rows above the playing one go: it keeps playing and its follower comes next.
  {
    ScriptedPlayer rig;
    rig.Fill(6);
    rig.Start(4);
    SelectRows(rig.tracks, {1, 2});
    rig.tracks.SetCueIndex(1);  // the click that chose the rows
    rig.tracks.EraseSelected();
    EXPECT_EQ(rig.tracks.CurrentIndex(), 2);
    EXPECT_EQ(rig.tracks.CursorPosition(), 1);
    TrackEnds(rig);
    EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(3));
    EXPECT_EQ(rig.tracks.At(3).name, "Track 5");
  }
  // The playing row goes with its neighbours: the first row after them follows.
  {
    ScriptedPlayer rig;
    rig.Fill(6);
    rig.Start(3);
    SelectRows(rig.tracks, {2, 3, 4});
    rig.tracks.SetCueIndex(2);
    rig.tracks.EraseSelected();
    EXPECT_EQ(rig.tracks.CursorPosition(), 2);
    EXPECT_EQ(rig.decoder.PlayState(), play_state::Playing);  // the erased track plays on
    const QString before = rig.Priority(1);
    rig.playback.NextButton();  // skipping it demotes nobody else
    EXPECT_EQ(rig.Priority(1), before);
    EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(2));
    EXPECT_EQ(rig.tracks.At(2).name, "Track 5");
  }
  // The last row, playing, goes: the play order wraps to the first row.
  {
    ScriptedPlayer rig;
    rig.Fill(3);
    rig.Start(3);
    SelectRows(rig.tracks, {3});
    rig.tracks.EraseSelected();
    EXPECT_EQ(rig.tracks.CursorPosition(), 2);
    TrackEnds(rig);
    EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(1));
  }
}

TEST(RowsRemoved, PreviousAfterThePlayingRowWentStartsTheRowBeforeIt) {
  ScriptedPlayer rig(5, 3);
  SelectRows(rig.tracks, {3});
  rig.tracks.EraseSelected();
  rig.playback.PreviousButton();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(2));
  EXPECT_EQ(rig.tracks.At(2).name, "Track 2");
}

TEST(RowsRemoved, AfterStopPlayStartsTheRowThatFollowedTheErasedOne) {
  ScriptedPlayer rig(4, 2);
  rig.playback.StopButton();
  SelectRows(rig.tracks, {2});
  rig.tracks.EraseSelected();
  rig.playback.PlayButton();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(2));
  EXPECT_EQ(rig.tracks.At(2).name, "Track 3");
}

}  // namespace
}  // namespace zelvo::test
