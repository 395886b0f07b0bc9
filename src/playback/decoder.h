#pragma once

#include <QString>
#include <functional>
#include <mutex>
#include <optional>
#include <stdexcept>

#include "playback/replay_gain.h"

namespace zelvo {

// Raised when a decoder is asked for something it cannot do: open a file that
// is missing, unreadable or not audio, or go to a position that does not exist.
// Questions without an answer (no file open) are not failures: they return an
// empty optional.
class DecoderError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The numbers callers compare PlayState() against. The player's tick takes
// Stopped (or Closed) for the end of a track, so it is vital that a decoder
// reports Stopped as soon as a file has played out.
namespace play_state {
inline constexpr int Stopped = 0;  // a file is open, not playing (also after its end)
inline constexpr int Paused = 1;   // a file is open and paused; Play() resumes
inline constexpr int Playing = 2;  // sound is being produced
inline constexpr int Waiting = 3;  // buffering before sound starts; counts as finished
inline constexpr int Closed = 6;   // no file has been opened
}  // namespace play_state

// Item numbers for GetMediaInfoString().
namespace media_info {
inline constexpr int Title = 8;
inline constexpr int Author = 9;
}  // namespace media_info

// The media decoder the player hosts: one file at a time. Every operation is
// called from the user-interface thread and returns at once; the player learns
// what happens by reading PlayState() and CurrentPosition(), and from the
// events below.
//
// Units: positions and durations in seconds of the track's own time; Volume in
// hundredths of a decibel (0 full, -1500 the quietest the player uses, gain
// 10^(v/2000)); Balance -1000 (right channel silent) ... 1000 (left channel
// silent); Rate a speed factor (0.98, 1.0, 1.02) that also shifts the pitch.
class Decoder {
 public:
  virtual ~Decoder() = default;

  // Whether sound can be played at all (an audio output can be opened).
  virtual bool IsSoundCardEnabled() = 0;

  // Hands the decoder a file, closing the previous one (which stops), and
  // returns at once: the file is opened away from the caller's thread. Once
  // it is open, Opened is told and Duration() and GetMediaInfoString()
  // describe it; until then they answer nothing. A file that is missing or
  // not audio is told as OpenFailed, and the decoder is then Closed. Play()
  // may follow at once: it plays the file as soon as it is open.
  virtual void SetFileName(const QString& path) = 0;
  virtual QString FileName() const = 0;

  // Starts the open file from its position, or resumes after Pause(). Does
  // nothing without an open file.
  virtual void Play() = 0;
  virtual void Pause() = 0;
  // Stops and rewinds to the start; the file stays open (PlayState Stopped).
  virtual void Stop() = 0;

  virtual int PlayState() const = 0;

  // Nothing without an open file.
  virtual std::optional<double> CurrentPosition() const = 0;
  virtual std::optional<double> Duration() const = 0;
  // Ignored without an open file; throws DecoderError for a negative or
  // non-finite position.
  virtual void SetCurrentPosition(double seconds) = 0;

  // Accepted at any time, with or without an open file; heard within 100 ms.
  virtual int Volume() const = 0;
  virtual void SetVolume(int hundredthsOfDb) = 0;
  virtual int Balance() const = 0;
  virtual void SetBalance(int balance) = 0;
  virtual double Rate() const = 0;
  virtual void SetRate(double rate) = 0;
  // The sound output by name, empty for the sound server's default. A chosen
  // output that is missing plays through the default until it returns.
  virtual void SetOutputDevice(const QString& name) { (void)name; }

  // Loudness normalisation: which of a file's loudness tags plays and how
  // (Automatic already resolved for the play mode). Heard at once in the open
  // file; every file opened later plays with its own tags. A decoder without
  // it plays every file as it is.
  virtual void SetReplayGain(const ReplayGainSettings& settings) { (void)settings; }

  // Title (8) or author (9) of the open file; empty when the tag is absent,
  // nothing without an open file.
  virtual std::optional<QString> GetMediaInfoString(int item) const = 0;

  // Gapless playing: the file to follow the open one in the same output
  // stream, without a pause. Offered while the open one plays out (after
  // NearEnd), it is opened and decoded ahead, away from the caller's thread;
  // at the boundary it becomes the open file (NextStarted). False, with
  // nothing prepared, when nothing is playing. A file that cannot be opened
  // is not followed: the open one ends (TrackEnded) as if none had been
  // offered. Opening or stopping drops it, and so does ClearNextFileName.
  virtual bool SetNextFileName(const QString& path) = 0;
  virtual void ClearNextFileName() = 0;

  // What the decoder tells the player, possibly from another thread (a
  // handler that touches the windows queues its work to their thread):
  enum class Event {
    Opened,       // the file last handed over is open and described
    OpenFailed,   // the file last handed over cannot be played; PlayState reads Closed
    NearEnd,      // the open file is decoded to its end; the last of it is playing
    NextStarted,  // the next file has taken over at the boundary, still Playing
    TrackEnded,   // the open file has played to its end; PlayState reads Stopped
  };
  void SetEventHandler(std::function<void(Event)> handler) {
    std::lock_guard lock(handlerLock_);
    handler_ = std::move(handler);
  }

 protected:
  void Tell(Event event) {
    std::lock_guard lock(handlerLock_);
    if (handler_) handler_(event);
  }

 private:
  std::mutex handlerLock_;
  std::function<void(Event)> handler_;
};

}  // namespace zelvo
