#pragma once

#include <QHash>
#include <QString>

#include "playback/decoder.h"
#include "playback/media_probe.h"

namespace zelvo::test {

// A decoder that plays nothing: it knows the files it was told about, keeps
// a play state and a position, and lets a test end the track at will. Files
// it was not told about are refused as a real decoder refuses non-audio. It
// opens at once and tells so from the caller's thread (a player handles the
// news when events next run).
class ScriptedDecoder : public Decoder {
 public:
  struct Clip {
    QString author;
    QString title;
    double duration = 180;
  };

  void AddFile(const QString& path, Clip clip) { clips_.insert(path, std::move(clip)); }
  // Near the end of the open file: the decoder's call for the next one.
  void ReachNearEnd() { Tell(Event::NearEnd); }
  // Plays the open file out: the next file takes over if one was prepared,
  // else the state a decoder reports at a track's end. Tells either.
  void FinishTrack();
  // What probing a file it was told about finds; other files are refused.
  MediaInfo Probe(const QString& path) const {
    if (!clips_.contains(path)) throw DecoderError("not an audio file: " + path.toStdString());
    const Clip& clip = clips_[path];
    return {clip.title, clip.author, clip.duration, {}};
  }
  // Forces a state, e.g. Waiting for a decoder stuck buffering.
  void ForceState(int state) { state_ = state; }

  int openCount = 0;  // SetFileName calls, refused ones included
  ReplayGainSettings replayGain;  // as last set
  bool soundCard = true;

  bool IsSoundCardEnabled() override { return soundCard; }
  void SetFileName(const QString& path) override;
  QString FileName() const override { return fileName_; }
  void Play() override;
  void Pause() override;
  void Stop() override;
  int PlayState() const override { return state_; }
  std::optional<double> CurrentPosition() const override;
  void SetCurrentPosition(double seconds) override;
  std::optional<double> Duration() const override;
  int Volume() const override { return volume_; }
  void SetVolume(int hundredthsOfDb) override { volume_ = hundredthsOfDb; }
  int Balance() const override { return balance_; }
  void SetBalance(int balance) override { balance_ = balance; }
  double Rate() const override { return rate_; }
  void SetRate(double rate) override { rate_ = rate; }
  std::optional<QString> GetMediaInfoString(int item) const override;
  bool SetNextFileName(const QString& path) override;
  void ClearNextFileName() override { next_.clear(); }
  void SetReplayGain(const ReplayGainSettings& settings) override { replayGain = settings; }
  QString NextFileName() const { return next_; }

 private:
  // The open file's clip; nothing while closed.
  const Clip* Open() const;

  QHash<QString, Clip> clips_;
  QString fileName_;
  QString next_;
  int state_ = play_state::Closed;
  double position_ = 0;
  int volume_ = 0;
  int balance_ = 0;
  double rate_ = 1.0;
};

}  // namespace zelvo::test
