#include "playback/ffmpeg_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>

#include "base/log.h"
#include "playback/audio_formats.h"
#include "playback/decoder.h"
#include "platform/path_bytes.h"

namespace zelvo {
namespace {

// What opening a file may cost: the stream analysis reads at most kProbeBytes,
// a demuxer the content did not name is tried on the first kForcedBytes only,
// and the whole opening ends after kOpenTime.
constexpr std::int64_t kProbeBytes = 4 << 20;
constexpr std::int64_t kForcedBytes = 4 << 20;
constexpr std::chrono::seconds kOpenTime{5};

thread_local std::chrono::steady_clock::time_point readDeadline = std::chrono::steady_clock::time_point::max();

int PastDeadline(void*) { return std::chrono::steady_clock::now() > readDeadline ? 1 : 0; }

const AVIOInterruptCB kInterrupt{&PastDeadline, nullptr};

// The first bytes of a file, seen as if the file ended there: a demuxer tried
// by force meets the end of the file after them, not gigabytes on.
class FileHead {
 public:
  FileHead(const char* name, std::int64_t limit) : fd_(::open(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {
    if (fd_ < 0) return;
    const off_t end = ::lseek(fd_, 0, SEEK_END);
    size_ = std::min<std::int64_t>(std::max<off_t>(end, 0), limit);
    auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferSize));
    io_ = avio_alloc_context(buffer, kBufferSize, 0, this, &Read, nullptr, &Seek);
    if (!io_) av_free(buffer);
  }
  ~FileHead() {
    if (io_) av_freep(&io_->buffer);
    avio_context_free(&io_);
    if (fd_ >= 0) ::close(fd_);
  }
  FileHead(const FileHead&) = delete;
  FileHead& operator=(const FileHead&) = delete;

  AVIOContext* io() const { return io_; }

 private:
  static constexpr int kBufferSize = 64 * 1024;

  static int Read(void* opaque, std::uint8_t* buffer, int size) {
    auto* self = static_cast<FileHead*>(opaque);
    const std::int64_t left = self->size_ - self->at_;
    if (left <= 0) return AVERROR_EOF;
    const ssize_t got = ::pread(self->fd_, buffer, static_cast<std::size_t>(std::min<std::int64_t>(size, left)), self->at_);
    if (got <= 0) return got == 0 ? AVERROR_EOF : AVERROR(errno);
    self->at_ += got;
    return static_cast<int>(got);
  }

  static std::int64_t Seek(void* opaque, std::int64_t offset, int whence) {
    auto* self = static_cast<FileHead*>(opaque);
    if (whence & AVSEEK_SIZE) return self->size_;
    whence &= ~AVSEEK_FORCE;
    const std::int64_t base = whence == SEEK_CUR ? self->at_ : whence == SEEK_END ? self->size_ : 0;
    if (whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END) return AVERROR(EINVAL);
    if (base + offset < 0) return AVERROR(EINVAL);
    self->at_ = base + offset;
    return self->at_;
  }

  int fd_;
  std::int64_t size_ = 0;
  std::int64_t at_ = 0;
  AVIOContext* io_ = nullptr;
};

// Opens with one demuxer, over `io` when given, and reads the stream
// information; the error code on failure. Without a demuxer, FFmpeg's own
// guess from the content (over every demuxer's probe, which reads a few
// kilobytes and parses no headers) is taken when it is one Zelvo plays, and
// left in `chosen`.
int OpenWith(const char* name, const AVInputFormat* demuxer, FormatContextPtr& out, AVIOContext* io = nullptr,
             const AVInputFormat** chosen = nullptr) {
  AVFormatContext* format = avformat_alloc_context();
  if (!format) return AVERROR(ENOMEM);
  format->interrupt_callback = kInterrupt;
  format->probesize = kProbeBytes;
  // A guess outside the list is refused before its demuxer reads anything.
  if (!demuxer) format->format_whitelist = av_strdup(SupportedDemuxers().join(',').constData());
  if (io) {
    format->pb = io;
    format->flags |= AVFMT_FLAG_CUSTOM_IO;
  }
  int result = avformat_open_input(&format, name, demuxer, nullptr);
  if (result < 0) return result;
  FormatContextPtr owner(format);
  if (chosen) *chosen = format->iformat;
  result = avformat_find_stream_info(format, nullptr);
  if (result < 0) return result;
  if (av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0) < 0)
    return AVERROR_STREAM_NOT_FOUND;
  out = std::move(owner);
  return 0;
}

// A demuxer the content did not name, tried on the file's first bytes
// alone; when it accepts them, the whole file is opened with it.
int OpenForced(const char* name, const AVInputFormat* demuxer, FormatContextPtr& out) {
  {
    FileHead head(name, kForcedBytes);
    if (!head.io()) return AVERROR(ENOMEM);
    FormatContextPtr trial;
    if (const int result = OpenWith(name, demuxer, trial, head.io()); result < 0) return result;
    // Forced on bytes that are no audio of its kind, a demuxer may still
    // make up a stream it knows nothing about.
    const int stream = av_find_best_stream(trial.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (!IsPlayableSampleRate(trial->streams[stream]->codecpar->sample_rate)) return AVERROR_INVALIDDATA;
  }
  return OpenWith(name, demuxer, out);
}

}  // namespace

FfmpegTimeLimit::FfmpegTimeLimit(std::chrono::milliseconds limit) : outer_(readDeadline) {
  readDeadline = std::min(outer_, std::chrono::steady_clock::now() + limit);
}

FfmpegTimeLimit::~FfmpegTimeLimit() { readDeadline = outer_; }

FormatContextPtr OpenSupportedInput(const QString& path) {
  qCDebug(lcFileOpens) << "opening" << path;
  QuietFfmpegLog();
  const FfmpegTimeLimit limit(kOpenTime);
  const QByteArray name = PathBytes(path);
  FormatContextPtr format;
  const AVInputFormat* guess = nullptr;
  int result = OpenWith(name.constData(), nullptr, format, nullptr, &guess);
  if (result == 0) return format;
  // The content named no demuxer Zelvo plays, or the one it named failed:
  // each of the others is tried on the file's first bytes.
  for (const QByteArray& demuxer : SupportedDemuxers()) {
    const AVInputFormat* candidate = av_find_input_format(demuxer.constData());
    if (!candidate || candidate == guess) continue;
    if ((result = OpenForced(name.constData(), candidate, format)) == 0) return format;
  }
  throw DecoderError("not a supported audio file: " + path.toStdString() + ": " +
                     FfmpegReason(result));
}

int FindPlayableAudio(AVFormatContext* format, const QString& path, const AVCodec** codec) {
  const int stream = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, codec, 0);
  if (stream < 0 || (codec && !*codec))
    throw DecoderError("no decodable audio in: " + path.toStdString() + ": " +
                       FfmpegReason(stream < 0 ? stream : AVERROR_DECODER_NOT_FOUND));
  const int rate = format->streams[stream]->codecpar->sample_rate;
  if (!IsPlayableSampleRate(rate))
    throw DecoderError("sample rate " + std::to_string(rate) + " Hz not played: " + path.toStdString());
  return stream;
}

void QuietFfmpegLog() {
  static std::once_flag once;
  std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

std::string FfmpegReason(int error) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(error, text, sizeof text);
  return text;
}

double StreamDuration(const AVFormatContext* format, int stream) {
  const AVStream* st = format->streams[stream];
  if (st->duration > 0 && st->duration != AV_NOPTS_VALUE) return st->duration * av_q2d(st->time_base);
  if (format->duration > 0 && format->duration != AV_NOPTS_VALUE) {
    double seconds = static_cast<double>(format->duration) / AV_TIME_BASE;
    if (format->start_time != AV_NOPTS_VALUE && st->start_time != AV_NOPTS_VALUE) {
      // The container's duration runs from its earliest stream start.
      seconds -= st->start_time * av_q2d(st->time_base) -
                 static_cast<double>(format->start_time) / AV_TIME_BASE;
    }
    return seconds > 0 ? seconds : 0;
  }
  return 0;
}

}  // namespace zelvo
