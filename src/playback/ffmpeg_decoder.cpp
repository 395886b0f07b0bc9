#include "playback/ffmpeg_decoder.h"

#include <algorithm>
#include <cmath>

#include "playback/ffmpeg_stream.h"
#include "playback/sdl_audio_sink.h"

namespace zelvo {
namespace {

constexpr double kFramesPerSecond = AudioSink::kSampleRate;

void RequireOpen(int state) {
  if (state == play_state::Closed) throw DecoderError("no file is open");
}

// The speed the resampler is given: any value is accepted, this range is played.
double PlayableRate(double rate) {
  if (!std::isfinite(rate) || rate <= 0) return 1.0;
  return std::clamp(rate, 0.25, 4.0);
}

}  // namespace

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
  MediaInfo info;
  try {
    info = ProbeMedia(path);
  } catch (const std::exception& error) {
    std::lock_guard lock(mutex_);
    fileName_.clear();
    info_ = {};
    state_ = play_state::Closed;
    basePosition_ = 0;
    positionKnown_ = false;
    Post({Command::Close});
    if (dynamic_cast<const DecoderError*>(&error)) throw;
    throw DecoderError(error.what());
  }
  std::lock_guard lock(mutex_);
  const bool wasSounding = state_ == play_state::Playing || state_ == play_state::Paused;
  fileName_ = path;
  info_ = info;
  state_ = play_state::Stopped;
  basePosition_ = 0;
  positionKnown_ = false;
  if (wasSounding) {
    Post({Command::Open, path});
    return;
  }
  // Nothing sounds, so the worker has nothing to stop now: it takes the file
  // with the next command that wakes it. An add opens thousands of files in a
  // row and would otherwise wake the worker for each. Only the last one counts.
  if (!commands_.empty() && commands_.back().kind == Command::Open) commands_.pop_back();
  commands_.push_back({Command::Open, path});
}

QString FfmpegDecoder::FileName() const { return fileName_; }

void FfmpegDecoder::Play() {
  std::lock_guard lock(mutex_);
  RequireOpen(state_);
  if (state_ == play_state::Playing) return;
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
  basePosition_ = 0;
  positionKnown_ = false;
  Post({Command::Stop});
}

int FfmpegDecoder::PlayState() const {
  std::lock_guard lock(mutex_);
  return state_;
}

double FfmpegDecoder::CurrentPosition() const {
  std::lock_guard lock(mutex_);
  RequireOpen(state_);
  if (state_ == play_state::Stopped || !positionKnown_) return basePosition_;
  // What the sink has taken, less what it has not played yet (in output
  // frames, which run `rate` times faster than the track's own time).
  const double pending = static_cast<double>(sink_->Delay()) * PlayableRate(rate_) / kFramesPerSecond;
  return std::max(0.0, written_ - pending);
}

void FfmpegDecoder::SetCurrentPosition(double seconds) {
  std::lock_guard lock(mutex_);
  RequireOpen(state_);
  if (!std::isfinite(seconds) || seconds < 0) throw DecoderError("position out of range");
  basePosition_ = seconds;
  positionKnown_ = false;
  Post({Command::Seek, {}, seconds});
}

double FfmpegDecoder::Duration() const {
  {
    std::lock_guard lock(mutex_);
    RequireOpen(state_);
  }
  return info_.duration;
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

double FfmpegDecoder::Rate() const {
  std::lock_guard lock(mutex_);
  return rate_;
}

void FfmpegDecoder::SetRate(double rate) {
  std::lock_guard lock(mutex_);
  rate_ = rate;
  Post({Command::Rate, {}, PlayableRate(rate)});
}

QString FfmpegDecoder::GetMediaInfoString(int item) const {
  {
    std::lock_guard lock(mutex_);
    RequireOpen(state_);
  }
  switch (item) {
    case media_info::Title: return info_.title;
    case media_info::Author: return info_.author;
    default: return {};
  }
}

void FfmpegDecoder::ReportStopped() {
  std::lock_guard lock(mutex_);
  // A Play queued since is a new start: this end is old news. Anything else
  // queued (a rate, a pause, a seek) does not undo the end: the player must
  // see Stopped to go on to the next track.
  bool seekQueued = false;
  for (const Command& command : commands_) {
    if (command.kind == Command::Play) return;
    if (command.kind == Command::Seek) seekQueued = true;
  }
  if (state_ == play_state::Playing || state_ == play_state::Paused) state_ = play_state::Stopped;
  if (!seekQueued) basePosition_ = 0;  // a queued seek has set where the next start begins
  positionKnown_ = false;
}

// The worker: owns the FFmpeg stream and feeds the sink while playing.
void FfmpegDecoder::Run() {
  enum class Mode { Idle, Playing, Paused };
  Mode mode = Mode::Idle;
  QString path;
  std::unique_ptr<FfmpegStream> stream;
  double startAt = 0;     // where the next start begins; -1 to go on from where the stream is
  double rate = 1.0;
  std::vector<float> pending;  // decoded, not yet taken by the sink
  std::size_t taken = 0;       // frames of `pending` already taken
  bool streamEnded = false;

  auto dropOutput = [&] {
    pending.clear();
    taken = 0;
    streamEnded = false;
    sink_->Flush();
  };
  // Goes to `seconds` in the stream. The start is reached by opening the file
  // afresh: only a fresh decoder trims an MP3's encoder delay exactly as a
  // track playing from its beginning does.
  bool fresh = false;  // the stream was opened and nothing read from it yet
  auto seekTo = [&](double seconds) {
    if (seconds <= 0 && fresh) return;
    if (seconds <= 0) {
      auto reopened = std::make_unique<FfmpegStream>(path);
      reopened->SetRate(rate);
      stream = std::move(reopened);
      fresh = true;
    } else {
      stream->Seek(seconds);
      fresh = false;
    }
  };
  auto halt = [&] {  // silent and idle, the next start from the beginning
    sink_->Pause(true);
    dropOutput();
    mode = Mode::Idle;
    startAt = 0;
  };

  for (;;) {
    std::deque<Command> batch;
    {
      std::unique_lock lock(mutex_);
      if (mode != Mode::Playing) commandsReady_.wait(lock, [&] { return !commands_.empty(); });
      batch.swap(commands_);
    }
    for (const Command& command : batch) {
      switch (command.kind) {
        case Command::Quit:
          sink_->Pause(true);
          return;
        case Command::Open:
        case Command::Close:
          halt();
          stream.reset();
          path = command.kind == Command::Open ? command.path : QString();
          break;
        case Command::Stop:
          halt();
          break;
        case Command::Pause:
          if (mode == Mode::Playing) mode = Mode::Paused;
          sink_->Pause(true);
          break;
        case Command::Seek:
          if (stream && mode != Mode::Idle) {
            dropOutput();
            try {
              seekTo(command.value);
            } catch (const std::exception&) {
              halt();
              stream.reset();
              ReportStopped();
              break;
            }
            startAt = -1;
          } else {
            startAt = command.value;
          }
          break;
        case Command::Rate:
          if (stream && mode != Mode::Idle && command.value != rate) {
            // What is buffered was made at the old speed. Start again from
            // what is being heard, so the new speed is heard at once.
            const double unheard =
                (static_cast<double>(pending.size() / AudioSink::kChannels - taken) +
                 static_cast<double>(sink_->Delay())) * rate / kFramesPerSecond;
            const double heard = std::max(0.0, stream->Position() - unheard);
            dropOutput();
            stream->Seek(heard);
            fresh = false;
            std::lock_guard lock(mutex_);
            if (positionKnown_) written_ = heard;
          }
          rate = command.value;
          if (stream) stream->SetRate(rate);
          break;
        case Command::Play: {
          if (mode == Mode::Playing) break;
          try {
            if (!stream) {
              if (path.isEmpty()) throw DecoderError("no file");
              stream = std::make_unique<FfmpegStream>(path);
              stream->SetRate(rate);
              fresh = true;
              if (startAt < 0) startAt = 0;
            }
            if (startAt >= 0 && mode == Mode::Idle) {
              dropOutput();
              seekTo(startAt);
            }
          } catch (const std::exception&) {
            halt();
            stream.reset();
            ReportStopped();  // not decodable after all: the player moves on
            break;
          }
          startAt = -1;
          if (!sink_->Open()) {
            halt();
            ReportStopped();  // no sound output
            break;
          }
          mode = Mode::Playing;
          sink_->Pause(false);
          break;
        }
      }
    }
    if (mode != Mode::Playing) continue;

    if (sink_->Lost()) {  // the sound server went away
      halt();
      sink_->Close();
      ReportStopped();
      continue;
    }

    if (taken * AudioSink::kChannels >= pending.size()) {
      pending.clear();
      taken = 0;
      if (!streamEnded && !stream->Read(pending)) streamEnded = true;
      fresh = false;
    }
    const std::size_t frames = pending.size() / AudioSink::kChannels;
    if (taken < frames) {
      taken += sink_->Write(pending.data() + taken * AudioSink::kChannels, frames - taken);
      const double unsent = static_cast<double>(frames - taken) * rate / kFramesPerSecond;
      {
        std::lock_guard lock(mutex_);
        if (commands_.empty()) {  // a queued seek would make this stale
          written_ = stream->Position() - unsent;
          positionKnown_ = true;
        }
      }
      if (taken < frames) sink_->WaitWritable(50);
    } else if (streamEnded) {
      if (sink_->Delay() == 0) {
        halt();
        ReportStopped();  // played to its end
      } else {
        std::unique_lock lock(mutex_);
        commandsReady_.wait_for(lock, std::chrono::milliseconds(5), [&] { return !commands_.empty(); });
      }
    }
  }
}

std::unique_ptr<Decoder> CreateSystemDecoder() {
  return std::make_unique<FfmpegDecoder>([] { return std::make_unique<SdlAudioSink>(); });
}

}  // namespace zelvo
