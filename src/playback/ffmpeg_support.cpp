#include "playback/ffmpeg_support.h"

#include <mutex>

namespace zelvo {

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
