#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "playback/audio_sink.h"
#include "playback/decoder.h"
#include "playback/ffmpeg_stream.h"
#include "playback/media_probe.h"
#include "playback/pending_output.h"
#include "playback/play_position.h"

namespace zelvo {

// The real decoder: FFmpeg demuxes and decodes on a worker thread, swresample
// converts to the sink's format (and changes the speed), and the sink plays.
//
// Setting the file name hands it to the worker, which opens it once with
// FFmpeg and learns its tags and length from that opening (no probe of its
// own), then tells Opened or OpenFailed. Every public member is called from
// the user-interface thread and returns at once: commands go to the worker
// through a queue, and PlayState answers from what the user asked for until
// the worker learns otherwise (a file it cannot open makes the state Closed;
// the end of the track, or a file FFmpeg cannot decode on, Stopped). A
// sound output that cannot be opened or has gone away does not end the track:
// it holds its place, still Playing, and goes on from there once an output
// opens again (tried once a second).
//
// PlayState numbers: Closed 6 until a file is handed over, and after one
// that cannot be opened; Stopped 0 with a file handed over and silent, and again as soon as a track has played to its end
// (the player's tick relies on this to start the next track); Playing 2 from
// Play() on, never Waiting 3 (the player would take that for the end);
// Paused 1 after Pause().
class FfmpegDecoder : public Decoder {
 public:
  explicit FfmpegDecoder(AudioSinkFactory makeSink);
  ~FfmpegDecoder() override;
  FfmpegDecoder(const FfmpegDecoder&) = delete;
  FfmpegDecoder& operator=(const FfmpegDecoder&) = delete;

  bool IsSoundCardEnabled() override;
  void SetFileName(const QString& path) override;
  QString FileName() const override;
  void Play() override;
  void Pause() override;
  void Stop() override;
  int PlayState() const override;
  std::optional<double> CurrentPosition() const override;
  void SetCurrentPosition(double seconds) override;
  std::optional<double> Duration() const override;
  int Volume() const override;
  void SetVolume(int hundredthsOfDb) override;
  int Balance() const override;
  void SetBalance(int balance) override;
  double Rate() const override;
  void SetRate(double rate) override;
  void SetOutputDevice(const QString& name) override;
  std::optional<QString> GetMediaInfoString(int item) const override;
  void SetReplayGain(const ReplayGainSettings& settings) override;
  bool SetNextFileName(const QString& path) override;
  void ClearNextFileName() override;

 private:
  struct Command {
    enum Kind { Open, Play, Pause, Stop, Seek, Rate, Next, DropNext, Loudness, Quit };
    Command(Kind k, QString p = {}, double v = 0, std::uint64_t s = 0)
        : kind(k), path(std::move(p)), value(v), serial(s) {}
    Kind kind;
    QString path;
    double value;
    std::uint64_t serial;  // Open: which handing over of a file it carries out
  };

  // What only the worker thread touches.
  struct Worker {
    // AwaitingOutput: playing, but the sound output is gone; the track holds
    // its place until an output opens again.
    enum class Mode { Idle, Playing, Paused, AwaitingOutput };
    Mode mode = Mode::Idle;
    QString path;
    std::unique_ptr<FfmpegStream> stream;
    bool fresh = false;  // the stream was opened and nothing read from it yet
    // Where the next start begins; empty to go on from where the stream is.
    std::optional<double> startAt = 0.0;
    double rate = 1.0;
    // Track time past which the file is taken to be damaged (its sound runs
    // far beyond the length the probe found).
    double limit = 0;
    ReplayGainTags tags;  // the open file's loudness tags
    float gain = 1.0f;    // and the factor they give
    PendingOutput pending;
    bool streamEnded = false;
    bool toldNearEnd = false;
    // The file to follow gaplessly, opened ahead.
    std::unique_ptr<FfmpegStream> next;
    QString nextPath;
    double nextLimit = 0;
    ReplayGainTags nextTags;
    float nextGain = 1.0f;
  };

  void Post(Command command);  // with mutex_ held
  void ApplyGains();
  double UnheardSeconds() const;  // with mutex_ held
  float LoudnessFactor(const ReplayGainTags& tags) const;  // with mutex_ held

  // The worker: one method per command, then feeding the sink while playing.
  void Run();
  bool Handle(const Command& command);  // false for Quit
  void OnOpen(const QString& path, std::uint64_t serial);
  // Opens a file with its description; nothing (logged as `failure`) when it cannot be played.
  std::unique_ptr<FfmpegStream> OpenDescribed(const QString& path, MediaInfo& info, const char* failure);
  // A file opened for playing or following: its limit and loudness.
  void TakeDescription(const QString& path, const MediaInfo& info, double& limit, ReplayGainTags& tags,
                       float& gain);
  void OnPlay();
  void OnPause();
  void OnSeek(double seconds);
  void OnRate(double rate);
  void OnLoudness();
  void RestartFromHeard();
  void OnNext(const QString& path);
  void SwitchToNext();
  void OpenStream();
  void StartOutput();
  void LoseOutput(const QString& why);
  void RetryOutput(bool quiet = false);
  void MoveOutput();
  void GoTo(double seconds);
  void Feed();
  void WriteToSink();
  void WaitForPlayOut();
  void DropOutput();
  void Halt();
  // Playback ended on its own: the player must see Stopped. `why` is logged
  // as a warning when not empty (a failure, not the end of the track).
  void EndPlayback(const QString& why);
  // The worker's verdict that playback has ended on its own (end of track,
  // failure): Stopped, unless a newer Play is queued. Takes mutex_.
  void ReportStopped();

  std::unique_ptr<AudioSink> sink_;

  // Guarded by mutex_: shared with the worker.
  mutable std::mutex mutex_;
  std::condition_variable commandsReady_;
  std::deque<Command> commands_;
  int state_ = play_state::Closed;
  PlayPosition position_;
  double rate_ = 1.0;
  // The open file, and the one prepared to follow it (swapped by the worker
  // at the boundary), each described once the worker has opened it.
  QString fileName_;
  std::optional<MediaInfo> info_;
  std::uint64_t openSerial_ = 0;  // counts the files handed over
  QString nextFileName_;
  std::optional<MediaInfo> nextInfo_;
  ReplayGainSettings replayGain_;

  // User-interface thread only.
  int volume_ = 0;
  int balance_ = 0;

  Worker worker_;
  std::thread thread_;
};

// The speed the resampler is given for a requested rate: any value is
// accepted, this range is played.
double PlayableRate(double rate);

// The decoder the program uses: FfmpegDecoder playing through SDL2.
std::unique_ptr<Decoder> CreateSystemDecoder();

}  // namespace zelvo
