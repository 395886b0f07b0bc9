#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "base/track_entry.h"
#include "playback/media_probe.h"
#include "storage/foreign_playlist.h"

namespace zelvo {

class Desktop;
class Options;
class Playback;
class PlaybackView;
class TrackList;
struct PlayerState;

// Adds the audio files the user picks in an open dialog (or every audio file
// in a folder picked there) to the end of the track list: one row per file, named from its author and title tags when
// they are usable, else from its file name, with its length, its path and the
// rating "0". Each file is probed once for its tags and length (the
// decoder that plays is left alone), on every core, and the rows go in in the
// order the files were chosen; playback still stops first. While the files go in, the main window is disabled,
// the playlist hidden and the display counts the files off; the windows
// repaint between files.
class TrackAdder {
 public:
  // Gives a name its final form (separators, case style) before it enters the list.
  using NameCleaner = std::function<QString(const QString&)>;
  // Writes the whole list to the autosave file.
  using AutosaveWriter = std::function<void()>;
  // Reads a file's tags and length; throws DecoderError for a file that is no audio.
  using Prober = std::function<MediaInfo(const QString&)>;

  TrackAdder(Desktop& desktop, Prober probe, TrackList& tracks, PlayerState& state,
             const Options& options, PlaybackView& view, Playback& playback, NameCleaner cleanName,
             AutosaveWriter writeAutosave);

  // Asks for files or a folder and adds them.
  void AddTracks();

  // Adds files and folders handed over without the dialog (dropped from a
  // file manager, named on the command line): folders are walked, and only
  // audio files are taken. Returns the position of the first row added, or 0
  // when nothing was.
  int AddPaths(const QStringList& paths);

  // The row for an entry of another player's playlist: its name and length
  // as the playlist gives them, and only what it leaves out read from the
  // file, by the rules of an add.
  TrackEntry DescribeListed(const ListedTrack& listed) const;

 private:
  void TakeIn(const QStringList& files, const QString& fromFolder);
  void Finish();
  TrackEntry NewRow(const QString& rawName, double seconds, const QString& path) const;

  Desktop& desktop_;
  Prober probe_;
  TrackList& tracks_;
  PlayerState& state_;
  const Options& options_;
  PlaybackView& view_;
  Playback& playback_;
  NameCleaner cleanName_;
  AutosaveWriter writeAutosave_;
};

inline constexpr char kAddDialogTitle[] = "Add Audio Files / Folders to Playlist";
inline constexpr char kAddDialogFilter[] =
    "All Compressed Audio (MP3 & WMA)|*.mp3;*.wma|MP3 Files Only (*.mp3)|*.mp3|WMA Files Only (*.wma)|*.wma";
inline constexpr char kAddPleaseWait[] = "Adding Audio Tracks - Please Wait";
inline constexpr char kAddingPrefix[] = "Adding: ";
inline constexpr char kAddComplete[] = "Track Add Complete ...";

}  // namespace zelvo
