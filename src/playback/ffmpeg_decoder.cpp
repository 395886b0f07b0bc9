#include "playback/ffmpeg_decoder.h"


#include <algorithm>
#include <cmath>

#include "base/log.h"
#include "playback/sdl_audio_sink.h"
#include "platform/path_bytes.h"

namespace zelvo {
double PlayableRate(double rate) {
  if (!std::isfinite(rate) || rate <= 0) return 1.0;
  return std::clamp(rate, 0.25, 4.0);
}

FfmpegDecoder::FfmpegDecoder(AudioSinkFactory makeSink) : sink_(makeSink()) {
  ApplyGains();
  thread_ = std::thread([this] { Run(); });
}

FfmpegDecoder::~FfmpegDecoder() {
  {
    std::lock_guard lock(mutex_);
    Post({Command::Quit});
  }
  thread_.join();
  sink_->Close();
}

void FfmpegDecoder::Post(Command command) {
  commands_.push_back(std::move(command));
  commandsReady_.notify_one();
  sink_->Wake();  // the worker may be waiting for room in the sink
}

bool FfmpegDecoder::IsSoundCardEnabled() { return sink_->CanOpen(); }

void FfmpegDecoder::SetFileName(const QString& path) {
  sink_->Pause(true);  // the previous file falls silent at once
  std::lock_guard lock(mutex_);
  // A file handed over before this one and not yet opened is not opened at all.
  if (!commands_.empty() && commands_.back().kind == Command::Open) commands_.pop_back();
  fileName_ = path;
  info_.reset();
  nextFileName_.clear();
  nextInfo_.reset();
  state_ = play_state::Stopped;
  position_.Restart(0);
  Post({Command::Open, path, 0, ++openSerial_});
}

QString FfmpegDecoder::FileName() const {
  std::lock_guard lock(mutex_);
  return fileName_;
}

bool FfmpegDecoder::SetNextFileName(const QString& path) {
  std::lock_guard lock(mutex_);
  if (state_ != play_state::Playing) return false;
  nextFileName_ = path;
  nextInfo_.reset();
  Post({Command::Next, path});
  return true;
}

void FfmpegDecoder::ClearNextFileName() {
  std::lock_guard lock(mutex_);
  if (nextFileName_.isEmpty()) return;
  nextFileName_.clear();
  Post({Command::DropNext});
}

void FfmpegDecoder::Play() {
  std::lock_guard lock(mutex_);
  if (state_ == play_state::Closed || state_ == play_state::Playing) return;
  state_ = play_state::Playing;
  Post({Command::Play});
}

void FfmpegDecoder::Pause() {
  std::lock_guard lock(mutex_);
  if (state_ == play_state::Closed || state_ == play_state::Paused) return;
  if (state_ == play_state::Playing) {
    sink_->Pause(true);  // silent now, not when the worker gets to it
    Post({Command::Pause});
  }
  state_ = play_state::Paused;
}

void FfmpegDecoder::Stop() {
  std::lock_guard lock(mutex_);
  if (state_ == play_state::Closed) return;
  sink_->Pause(true);
  state_ = play_state::Stopped;
  position_.Restart(0);
  nextFileName_.clear();
  Post({Command::Stop});
}

int FfmpegDecoder::PlayState() const {
  std::lock_guard lock(mutex_);
  return state_;
}

double FfmpegDecoder::UnheardSeconds() const {
  // Output frames run `rate` times faster than the track's own time.
  return static_cast<double>(sink_->Delay()) * PlayableRate(rate_) / AudioSink::kSampleRate;
}

std::optional<double> FfmpegDecoder::CurrentPosition() const {
  std::lock_guard lock(mutex_);
  if (state_ == play_state::Closed) return std::nullopt;
  if (state_ == play_state::Stopped) return position_.Start();
  return position_.Heard(UnheardSeconds());
}

void FfmpegDecoder::SetCurrentPosition(double seconds) {
  if (!std::isfinite(seconds) || seconds < 0) throw DecoderError("position out of range");
  std::lock_guard lock(mutex_);
  if (state_ == play_state::Closed) return;
  position_.Restart(seconds);
  Post({Command::Seek, {}, seconds});
}

std::optional<double> FfmpegDecoder::Duration() const {
  std::lock_guard lock(mutex_);
  if (state_ == play_state::Closed || !info_) return std::nullopt;
  return info_->duration;
}

int FfmpegDecoder::Volume() const { return volume_; }

void FfmpegDecoder::SetVolume(int hundredthsOfDb) {
  volume_ = hundredthsOfDb;
  ApplyGains();
}

int FfmpegDecoder::Balance() const { return balance_; }

void FfmpegDecoder::SetBalance(int balance) {
  balance_ = balance;
  ApplyGains();
}

void FfmpegDecoder::ApplyGains() {
  // Hundredths of a decibel: 0 full, -2000 a tenth of the amplitude.
  const double gain = std::pow(10.0, std::clamp(volume_, -10000, 0) / 2000.0);
  // Balance turns one side down linearly: -1000 silences the right channel,
  // -500 halves it; positive values do the same to the left.
  const double balance = std::clamp(balance_, -1000, 1000) / 1000.0;
  const double left = gain * (balance > 0 ? 1.0 - balance : 1.0);
  const double right = gain * (balance < 0 ? 1.0 + balance : 1.0);
  sink_->SetGains(static_cast<float>(left), static_cast<float>(right));
}

float FfmpegDecoder::LoudnessFactor(const ReplayGainTags& tags) const {
  return ReplayGainFactor(tags, replayGain_);
}

void FfmpegDecoder::SetReplayGain(const ReplayGainSettings& settings) {
  std::lock_guard lock(mutex_);
  replayGain_ = settings;
  Post({Command::Loudness});
}

double FfmpegDecoder::Rate() const {
  std::lock_guard lock(mutex_);
  return rate_;
}

void FfmpegDecoder::SetOutputDevice(const QString& name) { sink_->SetDevice(name); }

void FfmpegDecoder::SetRate(double rate) {
  std::lock_guard lock(mutex_);
  rate_ = rate;
  Post({Command::Rate, {}, PlayableRate(rate)});
}

std::optional<QString> FfmpegDecoder::GetMediaInfoString(int item) const {
  std::lock_guard lock(mutex_);
  if (state_ == play_state::Closed || !info_) return std::nullopt;
  switch (item) {
    case media_info::Title: return info_->title;
    case media_info::Author: return info_->author;
    default: return QString();
  }
}

std::unique_ptr<Decoder> CreateSystemDecoder() {
  return std::make_unique<FfmpegDecoder>([] { return std::make_unique<SdlAudioSink>(); });
}

}  // namespace zelvo
