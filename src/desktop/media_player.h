#pragma once

#include <QStringList>

namespace zelvo {

class Decoder;
class Playback;
class TrackList;
struct PlayerState;

// The player as the desktop's media controls reach it: the same routines
// the bar's buttons use, the list and the decoder to describe what plays,
// and the two acts on the whole program.
class MediaPlayer {
 public:
  virtual ~MediaPlayer() = default;
  virtual Playback& playback() = 0;
  virtual Decoder& decoder() = 0;
  virtual TrackList& tracks() = 0;
  virtual PlayerState& state() = 0;
  // Brings the bar into view and to the front.
  virtual void RaiseBar() = 0;
  // Writes the settings and the playlist, then ends the program.
  virtual void QuitPlayer() = 0;
  // Adds files, folders and playlists to the end of the list and plays the
  // first row added, as naming them on the command line does.
  virtual void OpenArguments(const QStringList& paths) = 0;
};

}  // namespace zelvo
