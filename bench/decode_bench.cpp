#include <QFile>
#include <QThread>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "playback/ffmpeg_decoder.h"
#include "playback/ffmpeg_stream.h"
#include "memory_sink.h"

// Decoding and resampling to the sink's format (44.1 kHz stereo float), in
// multiples of real time per CPU second ("x_realtime"). Each measurement is
// followed by its anchor, a bare libavcodec + libswresample loop over the same
// file doing the same conversion; the goal is CPU at most 1.25x the anchor's.
//   Decode/<file>          our FfmpegStream, as the worker runs it
//   DecodePlayer/<file>    the whole decoder: worker thread, memory sink (process CPU)
//   Decode_Anchor_Bare/<file>

namespace zelvo {
namespace {

const char* const kFiles[] = {"chirp_cbr.mp3", "chirp_vbr_xing.mp3", "chirp.wma"};

QString Fixture(int index) { return QStringLiteral(ZELVO_TEST_DATA "/") + kFiles[index]; }

void ReportRealtime(benchmark::State& state, std::size_t framesPerRun) {
  state.counters["x_realtime"] = benchmark::Counter(
      static_cast<double>(framesPerRun) / AudioSink::kSampleRate * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate);
}

void Decode(benchmark::State& state) {
  const QString file = Fixture(static_cast<int>(state.range(0)));
  std::vector<float> out;
  std::size_t frames = 0;
  for (auto _ : state) {
    FfmpegStream stream(file);
    frames = 0;
    while (stream.Read(out)) {
      frames += out.size() / AudioSink::kChannels;
      out.clear();
    }
  }
  ReportRealtime(state, frames);
}

void DecodePlayer(benchmark::State& state) {
  const QString file = Fixture(static_cast<int>(state.range(0)));
  auto owned = std::make_unique<MemorySink>();
  MemorySink* sink = owned.get();
  FfmpegDecoder decoder([&owned]() -> std::unique_ptr<AudioSink> { return std::move(owned); });
  decoder.SetFileName(file);
  std::size_t frames = 0;
  for (auto _ : state) {
    sink->ClearHeard();
    decoder.Play();
    while (decoder.PlayState() == play_state::Playing) QThread::usleep(500);
    frames = sink->HeardFrames();
  }
  ReportRealtime(state, frames);
}

// The bare loop: open, decode every packet, convert every frame.
void Decode_Anchor_Bare(benchmark::State& state) {
  const QByteArray file = QFile::encodeName(Fixture(static_cast<int>(state.range(0))));
  std::vector<float> out;
  std::size_t frames = 0;
  for (auto _ : state) {
    frames = 0;
    AVFormatContext* format = nullptr;
    avformat_open_input(&format, file.constData(), nullptr, nullptr);
    avformat_find_stream_info(format, nullptr);
    const AVCodec* codec = nullptr;
    const int index = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    AVCodecContext* context = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(context, format->streams[index]->codecpar);
    avcodec_open2(context, codec, nullptr);
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    SwrContext* swr = nullptr;
    swr_alloc_set_opts2(&swr, &stereo, AV_SAMPLE_FMT_FLT, AudioSink::kSampleRate, &context->ch_layout,
                        context->sample_fmt, context->sample_rate, 0, nullptr);
    swr_init(swr);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    auto drain = [&] {
      while (avcodec_receive_frame(context, frame) == 0) {
        const int capacity = swr_get_out_samples(swr, frame->nb_samples);
        out.resize(static_cast<std::size_t>(capacity) * 2);
        auto* dst = reinterpret_cast<uint8_t*>(out.data());
        frames += swr_convert(swr, &dst, capacity, const_cast<const uint8_t**>(frame->extended_data),
                              frame->nb_samples);
        av_frame_unref(frame);
      }
    };
    while (av_read_frame(format, packet) >= 0) {
      if (packet->stream_index == index) avcodec_send_packet(context, packet);
      av_packet_unref(packet);
      drain();
    }
    avcodec_send_packet(context, nullptr);
    drain();
    av_frame_free(&frame);
    av_packet_free(&packet);
    swr_free(&swr);
    avcodec_free_context(&context);
    avformat_close_input(&format);
  }
  ReportRealtime(state, frames);
}

// Each file's three measurements side by side, the anchor last.
const bool registered = [] {
  for (int i = 0; i < static_cast<int>(std::size(kFiles)); ++i) {
    const std::string file = kFiles[i];
    benchmark::RegisterBenchmark(("Decode/" + file).c_str(), Decode)->Arg(i)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("DecodePlayer/" + file).c_str(), DecodePlayer)
        ->Arg(i)
        ->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime();  // the worker thread's work counts
    benchmark::RegisterBenchmark(("Decode_Anchor_Bare/" + file).c_str(), Decode_Anchor_Bare)
        ->Arg(i)
        ->Unit(benchmark::kMillisecond);
  }
  return true;
}();

}  // namespace
}  // namespace zelvo
