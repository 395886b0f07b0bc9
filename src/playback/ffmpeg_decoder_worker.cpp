// The decoder's worker thread: owns the FFmpeg stream and feeds the sink.

#include <QDebug>

#include <algorithm>

#include "base/log.h"
#include "playback/ffmpeg_decoder.h"
#include "playback/thread_priority.h"
#include "platform/path_bytes.h"

namespace zelvo {
namespace {

// How often a lost sound output is looked for again.
constexpr auto kOutputRetry = std::chrono::seconds(1);

// How far a file may play past the length its opening found before it counts
// as damaged: generous, as a VBR file's length can be an estimate. Without a
// length, what 4 kbit/s (below any codec played) would take for the file.
double OutputLimit(const MediaInfo& info, const QString& path) {
  if (info.duration > 0) return info.duration * 1.5 + 10;
  return static_cast<double>(RegularFileSize(path).value_or(0)) / 500 + 10;
}

}  // namespace

void FfmpegDecoder::Run() {
  RaiseThreadPriority(kSoundFeedNice);  // decoding must keep ahead of the device on a busy machine
  for (;;) {
    std::deque<Command> batch;
    {
      std::unique_lock lock(mutex_);
      const auto pending = [&] { return !commands_.empty(); };
      if (worker_.mode == Worker::Mode::AwaitingOutput) commandsReady_.wait_for(lock, kOutputRetry, pending);
      else if (worker_.mode != Worker::Mode::Playing) commandsReady_.wait(lock, pending);
      batch.swap(commands_);
    }
    for (const Command& command : batch) {
      if (!Handle(command)) return;
    }
    if (worker_.mode == Worker::Mode::Playing) Feed();
    else if (worker_.mode == Worker::Mode::AwaitingOutput && batch.empty()) RetryOutput();
  }
}

bool FfmpegDecoder::Handle(const Command& command) {
  switch (command.kind) {
    case Command::Quit:
      sink_->Pause(true);
      return false;
    case Command::Open: OnOpen(command.path, command.serial); break;
    case Command::Stop: Halt(); break;
    case Command::Pause: OnPause(); break;
    case Command::Seek: OnSeek(command.value); break;
    case Command::Rate: OnRate(command.value); break;
    case Command::Play: OnPlay(); break;
    case Command::Next: OnNext(command.path); break;
    case Command::Loudness: OnLoudness(); break;
    case Command::DropNext: worker_.next.reset(); break;
  }
  return true;
}

void FfmpegDecoder::OnOpen(const QString& path, std::uint64_t serial) {
  Worker& w = worker_;
  Halt();
  w.stream.reset();
  w.path.clear();
  {
    std::lock_guard lock(mutex_);
    if (serial != openSerial_) return;  // another file is on its way: this one is not opened
  }
  MediaInfo info;
  std::unique_ptr<FfmpegStream> stream = OpenDescribed(path, info, "Cannot play:");
  {
    std::lock_guard lock(mutex_);
    if (serial != openSerial_) return;  // another file was handed over meanwhile
    if (!stream) {
      fileName_.clear();
      state_ = play_state::Closed;
      position_.Restart(0);
    } else {
      info_ = info;
      TakeDescription(path, info, w.limit, w.tags, w.gain);
    }
  }
  w.path = stream ? path : QString();
  w.stream = std::move(stream);
  w.fresh = true;
  Tell(w.stream ? Event::Opened : Event::OpenFailed);
}

std::unique_ptr<FfmpegStream> FfmpegDecoder::OpenDescribed(const QString& path, MediaInfo& info,
                                                           const char* failure) {
  try {
    auto stream = std::make_unique<FfmpegStream>(path);
    stream->SetRate(worker_.rate);
    info = stream->Describe(path);
    return stream;
  } catch (const DecoderError& error) {
    const QString why = QString::fromUtf8(error.what());
    qCWarning(lcPlayback).noquote() << failure << (why.contains(path) ? why : why + QStringLiteral(" - ") + path);
    return nullptr;
  }
}

void FfmpegDecoder::TakeDescription(const QString& path, const MediaInfo& info, double& limit,
                                    ReplayGainTags& tags, float& gain) {
  limit = OutputLimit(info, path);
  tags = info.replayGain;
  gain = LoudnessFactor(tags);
}

void FfmpegDecoder::OnPause() {
  if (worker_.mode != Worker::Mode::Idle) worker_.mode = Worker::Mode::Paused;
  sink_->Pause(true);
}

void FfmpegDecoder::OnSeek(double seconds) {
  if (!worker_.stream || worker_.mode == Worker::Mode::Idle ||
      worker_.mode == Worker::Mode::AwaitingOutput) {
    worker_.startAt = seconds;  // taken up by the next start
    return;
  }
  DropOutput();
  try {
    GoTo(seconds);
  } catch (const DecoderError& error) {
    worker_.stream.reset();
    EndPlayback(QString::fromUtf8(error.what()));
    return;
  }
  worker_.startAt.reset();
}

void FfmpegDecoder::OnRate(double rate) {
  Worker& w = worker_;
  if (rate != w.rate) RestartFromHeard();  // at the old rate, which made what is buffered
  w.rate = rate;
  if (w.stream) w.stream->SetRate(rate);
}

void FfmpegDecoder::OnLoudness() {
  Worker& w = worker_;
  float gain;
  {
    std::lock_guard lock(mutex_);
    gain = LoudnessFactor(w.tags);
    w.nextGain = LoudnessFactor(w.nextTags);
  }
  if (gain == w.gain) return;
  w.gain = gain;
  RestartFromHeard();
}

// What is buffered was made at the old speed or gain. Start again from what
// is being heard, so the change is heard at once.
void FfmpegDecoder::RestartFromHeard() {
  Worker& w = worker_;
  if (!w.stream || w.mode == Worker::Mode::Idle) return;
  const double unheard = static_cast<double>(w.pending.Left() + sink_->Delay()) * w.rate /
                         AudioSink::kSampleRate;
  const double heard = std::max(0.0, w.stream->Position() - unheard);
  DropOutput();
  w.stream->Seek(heard);
  w.fresh = false;
  std::lock_guard lock(mutex_);
  if (position_.HasWritten()) position_.SetWritten(heard);
}

void FfmpegDecoder::OnNext(const QString& path) {
  Worker& w = worker_;
  if (w.mode == Worker::Mode::Idle) return;  // ended or stopped meanwhile: too late
  // A file that cannot be opened is not followed: the player finds out at
  // the end of the track, when it starts this file itself.
  MediaInfo info;
  std::unique_ptr<FfmpegStream> next = OpenDescribed(path, info, "Cannot follow gaplessly:");
  if (!next) return;
  std::lock_guard lock(mutex_);
  if (nextFileName_ != path) return;  // dropped meanwhile
  nextInfo_ = info;
  TakeDescription(path, info, w.nextLimit, w.nextTags, w.nextGain);
  w.next = std::move(next);
  w.nextPath = path;
}

// The boundary: the next file's first sound goes into the sink right after
// the last of this one.
void FfmpegDecoder::SwitchToNext() {
  Worker& w = worker_;
  if (const std::size_t underruns = sink_->TakeUnderruns())
    qCWarning(lcPlayback).noquote() << "The sound output ran dry" << underruns << "times playing" << w.path;
  w.stream = std::move(w.next);
  w.path = w.nextPath;
  w.limit = w.nextLimit;
  w.tags = w.nextTags;
  w.gain = w.nextGain;
  w.fresh = true;
  w.streamEnded = false;
  w.toldNearEnd = false;
  {
    std::lock_guard lock(mutex_);
    fileName_ = nextFileName_;
    info_ = nextInfo_;
    nextFileName_.clear();
    nextInfo_.reset();
    position_.Restart(0);
  }
  Tell(Event::NextStarted);
}

void FfmpegDecoder::OnPlay() {
  Worker& w = worker_;
  if (w.mode == Worker::Mode::Playing || w.path.isEmpty()) return;  // nothing to play: told already
  try {
    if (!w.stream) OpenStream();
    if (w.startAt) {  // idle, or paused while the output was gone
      DropOutput();
      GoTo(*w.startAt);
    }
  } catch (const DecoderError& error) {
    w.stream.reset();
    return EndPlayback(QString::fromUtf8(error.what()));  // not decodable after all
  }
  w.startAt.reset();
  StartOutput();
}

void FfmpegDecoder::StartOutput() {
  if (sink_->WantsOtherDevice()) sink_->Close();  // another output was chosen meanwhile
  if (!sink_->Open()) return LoseOutput(QStringLiteral("no sound output can be opened"));
  worker_.mode = Worker::Mode::Playing;
  sink_->Pause(false);
}

// The track keeps its place (still Playing to the player, which therefore
// does not step through the list) until RetryOutput finds an output again.
void FfmpegDecoder::LoseOutput(const QString& why) {
  if (!why.isEmpty() && worker_.mode != Worker::Mode::AwaitingOutput)
    qCWarning(lcPlayback).noquote() << "Waiting for sound:" << why << "-" << worker_.path;
  double at;
  {
    std::lock_guard lock(mutex_);
    at = position_.Heard(UnheardSeconds());
    position_.Restart(at);
  }
  sink_->Close();
  DropOutput();
  worker_.startAt = at;
  worker_.mode = Worker::Mode::AwaitingOutput;
}

void FfmpegDecoder::RetryOutput(bool quiet) {
  if (!sink_->Open()) return;
  if (!quiet) qCWarning(lcPlayback).noquote() << "Sound output is back; going on with" << worker_.path;
  try {
    if (worker_.startAt) GoTo(*worker_.startAt);
  } catch (const DecoderError& error) {
    worker_.stream.reset();
    return EndPlayback(QString::fromUtf8(error.what()));
  }
  worker_.startAt.reset();
  StartOutput();
}

// The track goes on where it is heard, through the output chosen now.
void FfmpegDecoder::MoveOutput() {
  LoseOutput({});
  RetryOutput(true);
}

void FfmpegDecoder::OpenStream() {
  Worker& w = worker_;
  if (w.path.isEmpty()) throw DecoderError("no file");
  w.stream = std::make_unique<FfmpegStream>(w.path);
  w.stream->SetRate(w.rate);
  w.fresh = true;
  if (!w.startAt) w.startAt = 0.0;
}

// The start is reached by opening the file afresh: only a fresh decoder trims
// an MP3's encoder delay exactly as a track playing from its beginning does.
void FfmpegDecoder::GoTo(double seconds) {
  Worker& w = worker_;
  if (seconds > 0) {
    w.stream->Seek(seconds);
    w.fresh = false;
  } else if (!w.fresh) {
    auto reopened = std::make_unique<FfmpegStream>(w.path);
    reopened->SetRate(w.rate);
    w.stream = std::move(reopened);
    w.fresh = true;
  }
}

// One step of playing: decode a piece when none is waiting, hand it to the
// sink, or wait for the sink to play out at the end.
void FfmpegDecoder::Feed() {
  Worker& w = worker_;
  if (sink_->Lost()) return LoseOutput(QStringLiteral("the sound output went away"));
  if (sink_->WantsOtherDevice()) return MoveOutput();
  if (w.pending.Empty() && !w.streamEnded) {
    if (!w.stream->Read(w.pending.Refill())) w.streamEnded = true;
    w.pending.Scale(w.gain);
    if (w.streamEnded && !w.toldNearEnd) {
      w.toldNearEnd = true;
      Tell(Event::NearEnd);
      return;  // the commands first: the next file may be on its way
    }
    w.fresh = false;
    if (!w.streamEnded && w.stream->Position() > w.limit) {
      w.stream.reset();
      return EndPlayback(QStringLiteral("the sound runs far past the file's length"));
    }
  }
  if (!w.pending.Empty()) return WriteToSink();
  if (w.streamEnded && w.next) return SwitchToNext();
  if (w.streamEnded) WaitForPlayOut();
}

void FfmpegDecoder::WriteToSink() {
  Worker& w = worker_;
  w.pending.Consume(sink_->Write(w.pending.Next(), w.pending.Left()));
  const double unsent = static_cast<double>(w.pending.Left()) * w.rate / AudioSink::kSampleRate;
  {
    std::lock_guard lock(mutex_);
    // A queued command (a seek) would make this stale.
    if (commands_.empty()) position_.SetWritten(w.stream->Position() - unsent);
  }
  if (!w.pending.Empty()) sink_->WaitWritable(50);
}

void FfmpegDecoder::WaitForPlayOut() {
  if (sink_->Delay() == 0) {  // played to its end
    EndPlayback({});
    return Tell(Event::TrackEnded);
  }
  std::unique_lock lock(mutex_);
  commandsReady_.wait_for(lock, std::chrono::milliseconds(5), [&] { return !commands_.empty(); });
}

void FfmpegDecoder::DropOutput() {
  worker_.pending.Clear();
  worker_.streamEnded = false;
  worker_.toldNearEnd = false;
  sink_->Flush();
}

// Silent and idle, the next start from the beginning.
void FfmpegDecoder::Halt() {
  if (const std::size_t underruns = sink_->TakeUnderruns())
    qCWarning(lcPlayback).noquote() << "The sound output ran dry" << underruns << "times playing" << worker_.path;
  sink_->Pause(true);
  DropOutput();
  worker_.mode = Worker::Mode::Idle;
  worker_.startAt = 0.0;
  worker_.next.reset();
  worker_.toldNearEnd = false;
}

void FfmpegDecoder::EndPlayback(const QString& why) {
  if (!why.isEmpty()) {
    const QString what = why.contains(worker_.path) ? why : why + QStringLiteral(" - ") + worker_.path;
    qCWarning(lcPlayback).noquote() << "Playback stopped:" << what;
  }
  Halt();
  ReportStopped();
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
  // A queued seek has set where the next start begins.
  position_.Restart(seekQueued ? position_.Start() : 0);
}

}  // namespace zelvo
