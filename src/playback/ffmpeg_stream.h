#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "playback/ffmpeg_support.h"
#include "playback/media_probe.h"

namespace zelvo {

// One file opened with FFmpeg and decoded piece by piece into the sink's
// format (interleaved stereo float at AudioSink::kSampleRate), with the speed
// changed by resampling. Times are in the track's own seconds, counted from
// the first sample a listener hears (FFmpeg has left out an MP3's encoder
// delay and an ASF file's preroll). Used by one thread at a time.
class FfmpegStream {
 public:
  // Opens and prepares the decoder; throws DecoderError when the file cannot
  // be opened or holds no decodable audio.
  explicit FfmpegStream(const QString& path);
  ~FfmpegStream();
  FfmpegStream(const FfmpegStream&) = delete;
  FfmpegStream& operator=(const FfmpegStream&) = delete;

  // Its tags and length, as the file opened says (see DescribeOpenedMedia).
  MediaInfo Describe(const QString& path) const;

  // Speed factor: the resampler is told the input runs `rate` times faster
  // than it does, so speed and pitch both change. Takes effect with the next
  // decoded frame.
  void SetRate(double rate);

  // The next Read starts at `seconds` (to the sample, when the container lets
  // FFmpeg seek before it).
  void Seek(double seconds);

  // Decodes until some output is produced and appends it to `out`. Returns
  // false when the stream has ended and nothing more will come. Damaged
  // packets are skipped; a run of failures ends the stream.
  bool Read(std::vector<float>& out);

  // The track time at the end of everything returned so far.
  double Position() const { return position_; }

 private:
  // Decodes the next frame into frame_; false at the end of the stream.
  bool NextFrame();
  bool Convert(AVFrame* frame, std::vector<float>& out);
  bool EnsureResampler(const AVFrame* frame);
  void Drain(std::vector<float>& out);

  FormatContextPtr format_;
  CodecContextPtr codec_;
  SwrPtr swr_;
  FramePtr frame_;
  PacketPtr packet_;
  int stream_ = -1;
  AVRational timeBase_{1, 1};
  std::int64_t start_ = 0;
  double rate_ = 1.0;
  // What the resampler was built for.
  int swrFormat_ = -1, swrRate_ = 0;
  double swrSpeed_ = 0;
  AVChannelLayout swrLayout_{};
  bool inputEnded_ = false;  // the demuxer is exhausted, the decoder drained
  bool ended_ = false;
  std::deque<FramePtr> primed_;  // decoded on opening, not yet converted
  bool atStart_ = true;          // the next frame converted is the file's first
  double firstTime_ = 0;     // timestamp of the first decoded sound, in seconds from start_
  int failures_ = 0;         // in a row
  double nextTime_ = -1;     // expected start of the next frame, -1 unknown
  double seekTarget_ = -1;   // drop everything before this time
  double seekFrom_ = 0;      // where the last seek asked FFmpeg to go
  double position_ = 0;
};

}  // namespace zelvo
