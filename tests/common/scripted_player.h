#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "menus/options.h"
#include "base/player_state.h"
#include "playback/playback.h"
#include "playback/playback_display.h"
#include "playback/random_source.h"
#include "playlist/track_list.h"
#include "recording_view.h"
#include "scripted_decoder.h"
#include "test_support.h"

namespace zelvo::test {

// The player's playback half with a decoder that plays nothing, a view that
// records, a fixed-seed random source and real track files in a temporary
// folder (the size check reads the real file system).
struct ScriptedPlayer {
  QTemporaryDir folder;
  ScriptedDecoder decoder;
  TrackList tracks;
  PlayerState state;
  Options options;
  RecordingView view;
  RandomSource random{[] { return 20240601u; }};
  Playback playback{decoder, tracks, state, options, view, random};
  PlaybackDisplay display{playback, view};

  ScriptedPlayer() = default;
  // A list of `rows` tracks with the one at position `started` playing.
  ScriptedPlayer(int rows, int started) {
    Fill(rows);
    Start(started);
  }

  // Appends a row whose file exists and plays for `seconds`.
  int AddTrack(const QString& name, double seconds = 180, const QString& priority = "0") {
    const QString path = AddRow(name, priority);
    WriteBytes(path, QByteArray(64, 'x'));
    decoder.AddFile(path, {"", "", seconds});
    return tracks.Count();
  }
  // Appends a row whose file is not on disk.
  int AddMissingTrack(const QString& name) {
    AddRow(name, "0");
    return tracks.Count();
  }
  // Appends a row whose file exists but holds no bytes.
  int AddEmptyFile(const QString& name) {
    WriteBytes(AddRow(name, "0"), {});
    return tracks.Count();
  }
  void Fill(int rows) {
    for (int i = 1; i <= rows; ++i) AddTrack(QString("Track %1").arg(i));
  }
  void PlayMode(Entry mode) {
    options.SetOption(Category::PlayMode);
    options.SetChecked(mode, true);
  }
  void SetPriorities(const QStringList& priorities) {
    for (int row = 0; row < priorities.size(); ++row) tracks.Model().SetPriority(row, priorities[row]);
  }
  // Starts the row at a position as the buttons do.
  void Start(int position) {
    tracks.SetCurrentIndex(position);
    playback.PlayTrack();
  }
  // The playing track ends and the display's next tick sees it.
  void EndTrackAndTick() {
    decoder.FinishTrack();
    playback.UpdateDisplay();
  }
  QString PathOf(int position) const { return tracks.At(position).path; }
  // Whether the decoder plays the file of the row at a position.
  ::testing::AssertionResult PlaysRow(int position) const {
    if (decoder.FileName() == PathOf(position) && decoder.PlayState() == play_state::Playing)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the decoder has \"" << decoder.FileName().toStdString()
                                         << "\" in state " << decoder.PlayState() << ", not row " << position
                                         << " \"" << PathOf(position).toStdString() << "\" playing";
  }
  QString Priority(int position) const { return tracks.At(position).priority; }

 private:
  QString AddRow(const QString& name, const QString& priority) {
    const QString path = QDir(folder.path()).filePath(name + ".mp3");
    tracks.Model().Append(TrackEntry{name, "03:00", path, priority});
    return path;
  }
};

}  // namespace zelvo::test
