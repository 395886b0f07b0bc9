#pragma once

// Helpers of the decoder tests: a decoder playing into a memory sink, and
// measures taken on the samples it heard.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "base/player_state.h"
#include "menus/options.h"
#include "playback/ffmpeg_decoder.h"
#include "playback/playback.h"
#include "playback/playback_display.h"
#include "playback/random_source.h"
#include "playlist/track_list.h"
#include "recording_view.h"
#include "memory_sink.h"
#include "test_support.h"

namespace zelvo::test {

constexpr double kRate = AudioSink::kSampleRate;

// Hands a file to a decoder and waits until it has opened it (true) or
// refused it (false): the opening happens on the decoder's own thread.
inline bool OpenFile(Decoder& decoder, const QString& path) {
  decoder.SetFileName(path);
  WaitFor([&] { return decoder.Duration() || decoder.PlayState() == play_state::Closed; }, 10000);
  return decoder.Duration().has_value();
}

// A decoder with a memory sink the test keeps a handle on.
struct MemoryDecoder {
  explicit MemoryDecoder(double speed = 0.0, std::size_t bufferFrames = 4096) {
    auto owned = std::make_unique<MemorySink>(speed, bufferFrames);
    sink = owned.get();
    decoder = std::make_unique<FfmpegDecoder>(
        [&owned]() -> std::unique_ptr<AudioSink> { return std::move(owned); });
  }
  MemorySink* sink = nullptr;
  std::unique_ptr<FfmpegDecoder> decoder;

  // Plays the open file from where it is to its end; false on a timeout.
  bool PlayToEnd(int timeoutMs = 10000) {
    decoder->Play();
    return WaitFor([&] { return decoder->PlayState() == play_state::Stopped; }, timeoutMs);
  }
};

// One channel (0 left, 1 right) of interleaved stereo frames [from, to).
inline std::vector<float> Channel(const std::vector<float>& stereo, int channel, std::size_t from = 0,
                                  std::size_t to = SIZE_MAX) {
  std::vector<float> out;
  to = std::min(to, stereo.size() / 2);
  for (std::size_t i = from; i < to; ++i) out.push_back(stereo[2 * i + channel]);
  return out;
}

inline double Rms(const std::vector<float>& samples) {
  if (samples.empty()) return 0;
  double sum = 0;
  for (float s : samples) sum += static_cast<double>(s) * s;
  return std::sqrt(sum / samples.size());
}

// Rising zero crossings per second: a tone's frequency.
inline double Frequency(const std::vector<float>& samples) {
  int crossings = 0;
  for (std::size_t i = 1; i < samples.size(); ++i)
    if (samples[i - 1] < 0 && samples[i] >= 0) ++crossings;
  return crossings * kRate / static_cast<double>(samples.size());
}

// The chirp fixtures sweep 200 Hz + 100 Hz per second: the mean frequency of
// a stretch tells where in the track it was taken. Returns the track time of
// `samples[0]`, measured over the first `seconds` of them.
inline double ChirpTime(const std::vector<float>& samples, double seconds = 0.5) {
  const std::size_t n = std::min(samples.size(), static_cast<std::size_t>(seconds * kRate));
  double first = -1, last = -1;
  int cycles = -1;
  for (std::size_t i = 1; i < n; ++i) {
    if (samples[i - 1] < 0 && samples[i] >= 0) {
      const double at = i - 1 + samples[i - 1] / (samples[i - 1] - samples[i]);  // interpolated
      if (first < 0) first = at;
      last = at;
      ++cycles;
    }
  }
  if (cycles < 2) return -1;
  const double frequency = cycles * kRate / (last - first);
  const double middle = (first + last) / 2 / kRate;  // where that frequency holds
  return (frequency - 200) / 100 - middle;
}

// The whole file decoded at rate 1, full volume, centred: the reference.
inline std::vector<float> DecodeAll(const QString& file) {
  MemoryDecoder memory;
  EXPECT_TRUE(OpenFile(*memory.decoder, file));
  EXPECT_TRUE(memory.PlayToEnd());
  return memory.sink->Heard();
}

// The player's playback over the real decoder, heard by a memory sink, its
// display drawn into a recording view.
struct RealDecoderPlayback {
  explicit RealDecoderPlayback(double speed = 0.0) : memory(speed) {}
  MemoryDecoder memory;
  TrackList tracks;
  PlayerState state;
  Options options;
  RecordingView view;
  RandomSource random{[] { return 1u; }};
  Playback playback{*memory.decoder, tracks, state, options, view, random};
  PlaybackDisplay display{playback, view};
};

}  // namespace zelvo::test
