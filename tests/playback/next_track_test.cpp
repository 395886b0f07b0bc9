#include <cmath>
#include <vector>

#include "scripted_player.h"

namespace zelvo::test {
namespace {

void Select(TrackList& tracks, int position) {
  tracks.Selection().select(tracks.Model().index(position - 1, 0),
                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

int NextFrom(ScriptedPlayer& rig, int position) {
  rig.tracks.SetCurrentIndex(position);
  rig.playback.Selector().NextTrack();
  return rig.tracks.CurrentIndex();
}

int PreviousFrom(ScriptedPlayer& rig, int position) {
  rig.tracks.SetCurrentIndex(position);
  rig.playback.Selector().PreviousTrack();
  return rig.tracks.CurrentIndex();
}

TEST(NextTrack, NormalModeWrapsAroundBothWaysAndBringsOutsidePositionsBack) {
  ScriptedPlayer rig;
  rig.Fill(5);
  EXPECT_EQ(NextFrom(rig, 3), 4);
  EXPECT_EQ(NextFrom(rig, 5), 1);
  EXPECT_EQ(PreviousFrom(rig, 1), 5);
  EXPECT_EQ(PreviousFrom(rig, 5), 4);
  // Rows were erased under the playing track.
  EXPECT_EQ(NextFrom(rig, 7), 1);
  EXPECT_EQ(PreviousFrom(rig, 7), 5);
  // Nothing played yet.
  EXPECT_EQ(NextFrom(rig, 0), 1);
  EXPECT_EQ(PreviousFrom(rig, 0), 5);
}

TEST(NextTrack, QueuedRowsGoFirstInListOrderThenThePlayModeResumes) {
  ScriptedPlayer rig;
  rig.Fill(5);
  auto& selector = rig.playback.Selector();
  Select(rig.tracks, 3);
  selector.SequenceSelectedTracks();
  rig.tracks.Selection().clear();
  Select(rig.tracks, 1);
  selector.SequenceSelectedTracks();
  EXPECT_TRUE(rig.tracks.At(1).sequenceMark);
  EXPECT_TRUE(rig.tracks.At(3).sequenceMark);
  EXPECT_EQ(rig.Priority(1), "1");  // queueing is a vote for the track
  EXPECT_EQ(rig.Priority(3), "1");

  rig.tracks.SetCurrentIndex(4);
  selector.NextTrack();
  EXPECT_EQ(rig.tracks.CurrentIndex(), 1);
  EXPECT_FALSE(rig.tracks.At(1).sequenceMark);
  selector.NextTrack();
  EXPECT_EQ(rig.tracks.CurrentIndex(), 3);
  EXPECT_FALSE(rig.tracks.At(3).sequenceMark);
  selector.NextTrack();
  EXPECT_EQ(rig.tracks.CurrentIndex(), 4);
}

TEST(NextTrack, QueuedRowsGoFirstInShuffleModeToo) {
  ScriptedPlayer rig;
  rig.Fill(20);
  rig.PlayMode(Entry::ShufflePlay);
  Select(rig.tracks, 17);
  rig.playback.Selector().SequenceSelectedTracks();
  rig.playback.Selector().NextTrack();
  EXPECT_EQ(rig.tracks.CurrentIndex(), 17);
}

TEST(NextTrack, ShuffleChoosesUniformlyAmongAllRows) {
  ScriptedPlayer rig;
  constexpr int kRows = 10;
  constexpr int kDraws = 20000;
  rig.Fill(kRows);
  rig.PlayMode(Entry::ShufflePlay);
  std::vector<int> counts(kRows + 1, 0);
  for (int i = 0; i < kDraws; ++i) {
    rig.playback.Selector().NextTrack();
    ASSERT_TRUE(rig.tracks.Has(rig.tracks.CurrentIndex())) << rig.tracks.CurrentIndex();
    ++counts[rig.tracks.CurrentIndex()];
  }
  // Chi-squared with 9 degrees of freedom; 27.88 is the 0.1 % critical value.
  const double expected = double(kDraws) / kRows;
  double chiSquared = 0;
  for (int row = 1; row <= kRows; ++row) chiSquared += std::pow(counts[row] - expected, 2) / expected;
  EXPECT_LT(chiSquared, 27.88);
}

TEST(NextTrack, ShufflePreviousIsAnotherRandomRow) {
  ScriptedPlayer rig;
  rig.Fill(3);
  rig.PlayMode(Entry::ShufflePlay);
  std::vector<int> seen(4, 0);
  for (int i = 0; i < 300; ++i) {
    rig.playback.Selector().PreviousTrack();
    ASSERT_TRUE(rig.tracks.Has(rig.tracks.CurrentIndex()));
    ++seen[rig.tracks.CurrentIndex()];
  }
  EXPECT_GT(seen[1], 0);
  EXPECT_GT(seen[2], 0);
  EXPECT_GT(seen[3], 0);
}

TEST(NextTrack, EmptyListYieldsAPositionPlayTrackRejects) {
  ScriptedPlayer rig;
  rig.tracks.SetCurrentIndex(0);
  rig.playback.Selector().NextTrack();
  EXPECT_FALSE(rig.tracks.Has(rig.tracks.CurrentIndex()));
  rig.PlayMode(Entry::ShufflePlay);
  rig.playback.Selector().NextTrack();
  EXPECT_FALSE(rig.tracks.Has(rig.tracks.CurrentIndex()));
  rig.PlayMode(Entry::FuzzyPlay);
  rig.tracks.SetCurrentIndex(4);
  rig.playback.Selector().NextTrack();
  EXPECT_EQ(rig.tracks.CurrentIndex(), 4);
}

// Row 1 is always accepted, row 2 with chance a; the draw ends on row 2 with
// chance a / (1 + a).
double ShareOfSecondRow(const QString& priority, int trials) {
  ScriptedPlayer rig;
  rig.Fill(2);
  rig.SetPriorities({"2", priority});
  int second = 0;
  for (int i = 0; i < trials; ++i) {
    if (rig.playback.Selector().FuzzyPick() == 2) ++second;
  }
  return double(second) / trials;
}

TEST(FuzzyPick, AcceptsEachRatingWithItsChance) {
  constexpr int kTrials = 40000;
  const struct {
    const char* priority;
    double acceptance;
  } ratings[] = {{"2", 1.0}, {"1", 0.5}, {"0", 0.25}, {"-1", 0.1}, {"-2", 0.01}};
  for (const auto& rating : ratings) {
    const double p = rating.acceptance / (1 + rating.acceptance);
    const double sigma = std::sqrt(p * (1 - p) / kTrials);
    EXPECT_NEAR(ShareOfSecondRow(rating.priority, kTrials), p, 5 * sigma) << rating.priority;
  }
}

TEST(FuzzyPick, NeverAcceptsAnUnknownRatingWhileAnotherRowCanBeTaken) {
  EXPECT_EQ(ShareOfSecondRow("3", 5000), 0.0);
  EXPECT_EQ(ShareOfSecondRow("Nice", 5000), 0.0);
}

TEST(FuzzyPick, AlwaysChoosesEvenWhenEveryRowIsRejected) {
  ScriptedPlayer rig;
  rig.Fill(4);
  rig.SetPriorities({"x", "x", "x", "x"});
  std::vector<int> seen(5, 0);
  for (int i = 0; i < 400; ++i) {
    const int row = rig.playback.Selector().FuzzyPick();
    ASSERT_TRUE(rig.tracks.Has(row));
    ++seen[row];
  }
  for (int row = 1; row <= 4; ++row) EXPECT_GT(seen[row], 50) << row;
}

TEST(FuzzyPick, FuzzyModeUsesItForNextAndPrevious) {
  ScriptedPlayer rig;
  rig.Fill(6);
  rig.SetPriorities({"-2", "-2", "-2", "2", "-2", "-2"});
  rig.PlayMode(Entry::FuzzyPlay);
  int fourth = 0;
  for (int i = 0; i < 200; ++i) {
    rig.playback.Selector().NextTrack();
    fourth += rig.tracks.CurrentIndex() == 4;
    rig.playback.Selector().PreviousTrack();
    fourth += rig.tracks.CurrentIndex() == 4;
  }
  EXPECT_GT(fourth, 380);
}

TEST(Priorities, SkippingAPlayingTrackLowersItsRatingDownToTheBottom) {
  ScriptedPlayer rig(3, 1);
  ASSERT_EQ(rig.decoder.PlayState(), play_state::Playing);
  rig.playback.NextButton();
  EXPECT_EQ(rig.Priority(1), "-1");

  rig.SetPriorities({"0", "-2"});
  rig.playback.NextButton();
  EXPECT_EQ(rig.Priority(2), "-2");
}

TEST(Priorities, ATrackThatEndsByItselfKeepsItsRating) {
  ScriptedPlayer rig(3, 1);
  rig.EndTrackAndTick();
  EXPECT_EQ(rig.tracks.CurrentIndex(), 2);
  EXPECT_EQ(rig.Priority(1), "0");
}

// The ratings after one step on every row in turn.
QStringList Stepped(const QStringList& priorities, void (NextTrackSelector::*step)()) {
  ScriptedPlayer rig;
  rig.Fill(int(priorities.size()));
  rig.SetPriorities(priorities);
  QStringList after;
  for (int position = 1; position <= rig.tracks.Count(); ++position) {
    rig.tracks.SetCurrentIndex(position);
    (rig.playback.Selector().*step)();
    after << rig.Priority(position);
  }
  return after;
}

TEST(Priorities, StepsStayWithinMinusTwoAndTwo) {
  // Hand-edited ratings outside the range come back into it; texts that are
  // not numbers are left alone.
  EXPECT_EQ(Stepped({"2", "-1", "-2", "7", "-9", "abc"}, &NextTrackSelector::PromoteChosenTrack),
            QStringList({"2", "0", "-1", "2", "-2", "abc"}));
  EXPECT_EQ(Stepped({"-2", "2", "7", "-9", "abc"}, &NextTrackSelector::DemoteSkippedTrack),
            QStringList({"-2", "1", "2", "-2", "abc"}));

  ScriptedPlayer rig;
  rig.Fill(1);
  rig.tracks.SetCurrentIndex(9);  // no such row
  rig.playback.Selector().DemoteSkippedTrack();
  rig.playback.Selector().PromoteChosenTrack();
  EXPECT_EQ(rig.Priority(1), "0");
}

TEST(Priorities, QueueingRaisesEverySelectedRowOnceUpToTwo) {
  ScriptedPlayer rig;
  rig.Fill(4);
  rig.SetPriorities({"2", "0", "-2", "x"});
  for (int position = 1; position <= 4; ++position) Select(rig.tracks, position);
  rig.playback.Selector().SequenceSelectedTracks();
  EXPECT_EQ(rig.Priority(1), "2");
  EXPECT_EQ(rig.Priority(2), "1");
  EXPECT_EQ(rig.Priority(3), "-1");
  EXPECT_EQ(rig.Priority(4), "x");
  for (int position = 1; position <= 4; ++position) EXPECT_TRUE(rig.tracks.At(position).sequenceMark);
}

TEST(Priorities, DoubleClickRaisesTheChosenRowAfterLoweringTheInterruptedOne) {
  ScriptedPlayer rig;
  rig.Fill(3);
  rig.SetPriorities({"0", "-1", "2"});
  rig.Start(1);

  rig.tracks.SelectOnly(2);
  rig.playback.DoubleClick();
  EXPECT_EQ(rig.Priority(1), "-1");
  EXPECT_EQ(rig.Priority(2), "0");
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(2));

  rig.playback.StopTrack();
  rig.tracks.SelectOnly(3);
  rig.playback.DoubleClick();
  EXPECT_EQ(rig.Priority(2), "0");  // stopped: nothing was interrupted
  EXPECT_EQ(rig.Priority(3), "2");
}

TEST(Priorities, EnterPlaysTheCursorRowWithoutRatingIt) {
  ScriptedPlayer rig(3, 1);
  rig.tracks.SelectOnly(3);
  rig.playback.EnterPressed();
  EXPECT_EQ(rig.decoder.FileName(), rig.PathOf(3));
  EXPECT_EQ(rig.tracks.CurrentIndex(), 3);
  EXPECT_EQ(rig.Priority(1), "0");
  EXPECT_EQ(rig.Priority(3), "0");
}

TEST(Priorities, DoubleClickOnAnEmptyListOnlyLowersThePlayingTrack) {
  ScriptedPlayer rig(1, 1);
  rig.tracks.Clear();
  rig.playback.DoubleClick();
  rig.playback.EnterPressed();
  EXPECT_EQ(rig.tracks.CurrentIndex(), 1);
  EXPECT_EQ(rig.decoder.PlayState(), play_state::Playing);
}

}  // namespace
}  // namespace zelvo::test
