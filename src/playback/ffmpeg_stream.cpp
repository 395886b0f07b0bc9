#include "playback/ffmpeg_stream.h"

#include <cmath>

#include "playback/audio_sink.h"
#include "playback/decoder.h"
#include "platform/path_bytes.h"

namespace zelvo {
namespace {

// Damaged packets or read errors in a row after which a stream counts as ended.
constexpr int kMaxFailures = 200;
// A seek starts decoding this much before its target and drops the sound up
// to it: an MP3 frame borrows bits from the frames before it (up to 511
// bytes, a dozen frames at low bitrates), so the first frames after a plain
// seek decode to silence.
constexpr double kSeekPreroll = 1.0;
// The longest the demuxer may read for one frame: a file whose audio gives
// way to gigabytes of zeros or noise ends there instead of being read to its
// end in one go.
constexpr std::chrono::seconds kFrameTime{3};

}  // namespace

FfmpegStream::FfmpegStream(const QString& path)
    : frame_(av_frame_alloc()), packet_(av_packet_alloc()) {
  QuietFfmpegLog();
  const std::string what = path.toStdString();
  // A FIFO or a device named like an audio file would block the opening or
  // feed it without end: only regular files with something in them are opened.
  const std::optional<qint64> size = RegularFileSize(path);
  if (!size) throw DecoderError("no regular file: " + what);
  if (*size == 0) throw DecoderError("empty file: " + what);
  format_ = OpenSupportedInput(path);
  AVFormatContext* format = format_.get();
  const AVCodec* codec = nullptr;
  stream_ = FindPlayableAudio(format, path, &codec);
  for (unsigned i = 0; i < format->nb_streams; ++i)
    if (static_cast<int>(i) != stream_) format->streams[i]->discard = AVDISCARD_ALL;
  const AVStream* st = format->streams[stream_];
  timeBase_ = st->time_base;
  start_ = st->start_time == AV_NOPTS_VALUE ? 0 : st->start_time;
  codec_.reset(avcodec_alloc_context3(codec));
  if (!codec_ || avcodec_parameters_to_context(codec_.get(), st->codecpar) < 0 ||
      avcodec_open2(codec_.get(), codec, nullptr) < 0)
    throw DecoderError("cannot decode: " + what);
  if (!frame_ || !packet_) throw DecoderError("out of memory");
  // The first sound decoded is the track's time 0. The first frame's own
  // timestamp cannot say where that is: decoders that trim an encoder delay
  // (MP3) or have one of their own (WMA) stamp it with a packet's time, not
  // its sound's. The second frame's timestamp, less the first frame's length,
  // can; every timestamp is taken relative to it.
  if (!NextFrame()) throw DecoderError("no decodable audio in: " + what);
  primed_.emplace_back(av_frame_alloc());
  av_frame_move_ref(primed_.back().get(), frame_.get());
  const AVFrame* first = primed_.front().get();
  const auto seconds = [&](const AVFrame* frame) {
    return (frame->best_effort_timestamp - start_) * av_q2d(timeBase_);
  };
  if (NextFrame()) {
    primed_.emplace_back(av_frame_alloc());
    av_frame_move_ref(primed_.back().get(), frame_.get());
    const AVFrame* second = primed_.back().get();
    if (second->best_effort_timestamp != AV_NOPTS_VALUE && first->sample_rate > 0)
      firstTime_ = seconds(second) - static_cast<double>(first->nb_samples) / first->sample_rate;
  } else if (first->best_effort_timestamp != AV_NOPTS_VALUE) {
    firstTime_ = seconds(first);
  }
}

FfmpegStream::~FfmpegStream() { av_channel_layout_uninit(&swrLayout_); }

MediaInfo FfmpegStream::Describe(const QString& path) const {
  return DescribeOpenedMedia(format_.get(), stream_, path);
}

void FfmpegStream::SetRate(double rate) { rate_ = rate; }

void FfmpegStream::Seek(double seconds) {
  if (seconds < 0) seconds = 0;
  const FfmpegTimeLimit limit(kFrameTime);
  const double from = std::max(0.0, seconds - kSeekPreroll);
  const std::int64_t ts = start_ + std::llround((from + firstTime_) / av_q2d(timeBase_));
  AVFormatContext* format = format_.get();
  if (av_seek_frame(format, stream_, ts, AVSEEK_FLAG_BACKWARD) < 0 &&
      avformat_seek_file(format, stream_, INT64_MIN, ts, ts, 0) < 0) {
    // No seeking possible at all: from the start, dropping up to the target.
    av_seek_frame(format, stream_, start_, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY);
  }
  primed_.clear();
  atStart_ = false;
  avcodec_flush_buffers(codec_.get());
  swr_.reset();
  inputEnded_ = ended_ = false;
  failures_ = 0;
  nextTime_ = -1;
  seekFrom_ = from;
  seekTarget_ = seconds;
  position_ = seconds;
}

bool FfmpegStream::NextFrame() {
  const FfmpegTimeLimit limit(kFrameTime);
  AVCodecContext* codec = codec_.get();
  for (;;) {
    int result = avcodec_receive_frame(codec, frame_.get());
    if (result == 0) return true;
    if (result == AVERROR_EOF) return false;
    if (result != AVERROR(EAGAIN)) {
      // A decoder that failed outright: start it afresh on the next packet.
      avcodec_flush_buffers(codec);
      if (++failures_ > kMaxFailures) return false;
      continue;
    }
    if (inputEnded_) return false;  // drained, though the decoder did not say so
    result = av_read_frame(format_.get(), packet_.get());
    if (result == AVERROR(EAGAIN)) continue;
    if (result < 0) {
      const bool endOfFile = result == AVERROR_EOF || result == AVERROR_EXIT || avio_feof(format_->pb);
      if (!endOfFile && ++failures_ <= kMaxFailures) continue;
      inputEnded_ = true;
      avcodec_send_packet(codec, nullptr);  // drain what the decoder holds
      continue;
    }
    if (packet_->stream_index != stream_) {
      av_packet_unref(packet_.get());
      continue;
    }
    result = avcodec_send_packet(codec, packet_.get());
    av_packet_unref(packet_.get());
    // A damaged packet is skipped; a long run of them ends the stream.
    if (result < 0 && result != AVERROR(EAGAIN) && ++failures_ > kMaxFailures) return false;
  }
}

bool FfmpegStream::Read(std::vector<float>& out) {
  while (!ended_) {
    AVFrame* frame = frame_.get();
    if (!primed_.empty()) {
      av_frame_move_ref(frame, primed_.front().get());
      primed_.pop_front();
    } else if (!NextFrame()) {
      Drain(out);
      ended_ = true;
      return !out.empty();
    }
    const bool produced = Convert(frame, out);
    av_frame_unref(frame);
    if (produced) return true;
  }
  return false;
}

bool FfmpegStream::EnsureResampler(const AVFrame* frame) {
  if (swr_ && frame->format == swrFormat_ && frame->sample_rate == swrRate_ &&
      rate_ == swrSpeed_ && av_channel_layout_compare(&frame->ch_layout, &swrLayout_) == 0)
    return true;
  swr_.reset();
  av_channel_layout_uninit(&swrLayout_);
  if (av_channel_layout_copy(&swrLayout_, &frame->ch_layout) < 0) return false;
  AVChannelLayout in{};
  if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || frame->ch_layout.nb_channels <= 0) {
    av_channel_layout_default(&in, frame->ch_layout.nb_channels > 0 ? frame->ch_layout.nb_channels : 1);
  } else if (av_channel_layout_copy(&in, &frame->ch_layout) < 0) {
    return false;
  }
  AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
  // Telling the resampler the input is faster than it is speeds it up.
  const int declaredRate = static_cast<int>(std::lround(frame->sample_rate * rate_));
  SwrContext* swr = nullptr;
  const int made = swr_alloc_set_opts2(&swr, &stereo, AV_SAMPLE_FMT_FLT, AudioSink::kSampleRate, &in,
                                       static_cast<AVSampleFormat>(frame->format), declaredRate, 0,
                                       nullptr);
  SwrPtr owner(swr);
  if (made < 0 || !swr) {
    av_channel_layout_uninit(&in);
    return false;
  }
  if (in.nb_channels == 1) {
    // Mono to both speakers at full level (FFmpeg's default is -3 dB each).
    const double matrix[2] = {1.0, 1.0};
    swr_set_matrix(swr, matrix, 1);
  }
  av_channel_layout_uninit(&in);
  if (swr_init(swr) < 0) return false;
  swr_ = std::move(owner);
  swrFormat_ = frame->format;
  swrRate_ = frame->sample_rate;
  swrSpeed_ = rate_;
  return true;
}

bool FfmpegStream::Convert(AVFrame* frame, std::vector<float>& out) {
  if (!IsPlayableSampleRate(frame->sample_rate) || frame->nb_samples <= 0) return false;
  const double rate = frame->sample_rate;
  const std::int64_t pts = frame->best_effort_timestamp;
  double start = pts == AV_NOPTS_VALUE ? -1 : (pts - start_) * av_q2d(timeBase_) - firstTime_;
  if (start < 0 && nextTime_ >= 0) start = nextTime_;  // no timestamp: where the last frame ended
  if (start < 0) start = seekFrom_;
  if (atStart_) start = 0;  // the first frame's stamp is the one not to trust
  atStart_ = false;
  const double end = start + frame->nb_samples / rate;
  nextTime_ = end;

  int skip = 0;
  if (seekTarget_ >= 0) {
    if (end <= seekTarget_) return false;  // before the seek target: dropped
    skip = std::max(0, static_cast<int>(std::lround((seekTarget_ - start) * rate)));
    skip = std::min(skip, frame->nb_samples - 1);
    seekTarget_ = -1;
  }
  if (!EnsureResampler(frame)) return false;

  const int inSamples = frame->nb_samples - skip;
  const uint8_t* in[AV_NUM_DATA_POINTERS] = {};
  const int bytes = av_get_bytes_per_sample(static_cast<AVSampleFormat>(frame->format));
  const int channels = frame->ch_layout.nb_channels;
  if (av_sample_fmt_is_planar(static_cast<AVSampleFormat>(frame->format))) {
    for (int c = 0; c < channels && c < AV_NUM_DATA_POINTERS; ++c)
      in[c] = frame->extended_data[c] + static_cast<std::ptrdiff_t>(skip) * bytes;
  } else {
    in[0] = frame->extended_data[0] + static_cast<std::ptrdiff_t>(skip) * bytes * channels;
  }
  const int capacity = swr_get_out_samples(swr_.get(), inSamples);
  if (capacity <= 0) return false;
  const std::size_t old = out.size();
  out.resize(old + static_cast<std::size_t>(capacity) * AudioSink::kChannels);
  uint8_t* dst = reinterpret_cast<uint8_t*>(out.data() + old);
  const int made = swr_convert(swr_.get(), &dst, capacity, in, inSamples);
  out.resize(old + static_cast<std::size_t>(std::max(made, 0)) * AudioSink::kChannels);
  // What the resampler keeps back has not been returned yet (in the declared
  // input's time, a rate-times-faster clock).
  const double held = swr_get_delay(swr_.get(), 1000000) / 1e6 * rate_;
  position_ = std::max(start, end - held);
  failures_ = 0;
  return made > 0;
}

void FfmpegStream::Drain(std::vector<float>& out) {
  if (!swr_) return;
  const int capacity = swr_get_out_samples(swr_.get(), 0);
  if (capacity <= 0) return;
  const std::size_t old = out.size();
  out.resize(old + static_cast<std::size_t>(capacity) * AudioSink::kChannels);
  uint8_t* dst = reinterpret_cast<uint8_t*>(out.data() + old);
  const int made = swr_convert(swr_.get(), &dst, capacity, nullptr, 0);
  out.resize(old + static_cast<std::size_t>(std::max(made, 0)) * AudioSink::kChannels);
  if (nextTime_ >= 0) position_ = nextTime_;
}

}  // namespace zelvo
