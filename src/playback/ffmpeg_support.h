#pragma once

#include <QString>

#include <chrono>
#include <memory>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}

namespace zelvo {

// Owners for FFmpeg's objects.
struct FormatContextDeleter {
  void operator()(AVFormatContext* p) const { avformat_close_input(&p); }
};
struct CodecContextDeleter {
  void operator()(AVCodecContext* p) const { avcodec_free_context(&p); }
};
struct SwrDeleter {
  void operator()(SwrContext* p) const { swr_free(&p); }
};
struct FrameDeleter {
  void operator()(AVFrame* p) const { av_frame_free(&p); }
};
struct PacketDeleter {
  void operator()(AVPacket* p) const { av_packet_free(&p); }
};
using FormatContextPtr = std::unique_ptr<AVFormatContext, FormatContextDeleter>;
using CodecContextPtr = std::unique_ptr<AVCodecContext, CodecContextDeleter>;
using SwrPtr = std::unique_ptr<SwrContext, SwrDeleter>;
using FramePtr = std::unique_ptr<AVFrame, FrameDeleter>;
using PacketPtr = std::unique_ptr<AVPacket, PacketDeleter>;

// FFmpeg reports every damaged frame on stderr; the player logs its own
// warnings instead (with FfmpegReason).
void QuietFfmpegLog();

// FFmpeg's own text for an error code.
std::string FfmpegReason(int error);

// Sample rates Zelvo plays; a stream outside them is refused.
inline constexpr int kMinSampleRate = 8000;
inline constexpr int kMaxSampleRate = 768000;
inline bool IsPlayableSampleRate(int rate) { return rate >= kMinSampleRate && rate <= kMaxSampleRate; }

// While one lives, FFmpeg reads on this thread through contexts opened by
// OpenSupportedInput fail (AVERROR_EXIT) once `limit` has passed, so no file
// can hold a probe or a read for long: a huge file of noise or zeros makes a
// demuxer read on without ever producing a packet.
class FfmpegTimeLimit {
 public:
  explicit FfmpegTimeLimit(std::chrono::milliseconds limit);
  ~FfmpegTimeLimit();
  FfmpegTimeLimit(const FfmpegTimeLimit&) = delete;
  FfmpegTimeLimit& operator=(const FfmpegTimeLimit&) = delete;

 private:
  std::chrono::steady_clock::time_point outer_;
};

// Opens `path` with the supported demuxer its content fits (FFmpeg's own
// probe when it names one of them, else the first of them that accepts the
// file's first few megabytes) and reads the stream information, within a
// few seconds and a few megabytes read. Throws DecoderError with FFmpeg's
// reason when none does.
FormatContextPtr OpenSupportedInput(const QString& path);

// The best audio stream of an opened file, with its decoder when `codec` is
// given. Throws DecoderError when there is none or its sample rate is not
// one Zelvo plays.
int FindPlayableAudio(AVFormatContext* format, const QString& path, const AVCodec** codec = nullptr);

// A stream's length in seconds: the stream's own duration, else the
// container's, counted from the stream's start (FFmpeg's ASF timestamps
// already leave out the preroll). 0 when unknown.
double StreamDuration(const AVFormatContext* format, int stream);

}  // namespace zelvo
