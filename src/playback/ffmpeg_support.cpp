#include "playback/ffmpeg_support.h"

#include <algorithm>
#include <mutex>

#include "playback/decoder.h"
#include "platform/path_bytes.h"

namespace zelvo {
namespace {

bool IsSupported(const AVInputFormat* format) {
  if (!format) return false;
  return std::any_of(kSupportedDemuxers.begin(), kSupportedDemuxers.end(),
                     [&](const char* name) { return av_find_input_format(name) == format; });
}

// FFmpeg's own guess from the content, over every demuxer's probe (probing
// reads a few kilobytes and parses no headers).
const AVInputFormat* GuessFormat(const char* name) {
  AVIOContext* io = nullptr;
  if (avio_open(&io, name, AVIO_FLAG_READ) < 0) return nullptr;
  const AVInputFormat* format = nullptr;
  if (av_probe_input_buffer2(io, &format, name, nullptr, 0, 0) < 0) format = nullptr;
  avio_closep(&io);
  return format;
}

// Opens with one demuxer and reads the stream information; the error code on failure.
int OpenWith(const char* name, const AVInputFormat* demuxer, FormatContextPtr& out) {
  AVFormatContext* format = nullptr;
  int result = avformat_open_input(&format, name, demuxer, nullptr);
  if (result < 0) return result;
  FormatContextPtr owner(format);
  result = avformat_find_stream_info(format, nullptr);
  if (result < 0) return result;
  if (av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0) < 0)
    return AVERROR_STREAM_NOT_FOUND;
  out = std::move(owner);
  return 0;
}

}  // namespace

FormatContextPtr OpenSupportedInput(const QString& path) {
  QuietFfmpegLog();
  const QByteArray name = PathBytes(path);
  FormatContextPtr format;
  const AVInputFormat* guess = GuessFormat(name.constData());
  int result = AVERROR_INVALIDDATA;
  if (IsSupported(guess) && (result = OpenWith(name.constData(), guess, format)) == 0) return format;
  for (const char* demuxer : kSupportedDemuxers) {
    const AVInputFormat* candidate = av_find_input_format(demuxer);
    if (!candidate || candidate == guess) continue;
    if ((result = OpenWith(name.constData(), candidate, format)) == 0) return format;
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
