#pragma once

#include <cstddef>
#include <vector>

#include "playback/audio_sink.h"

namespace zelvo {

// Sound the decoder has made and the sink has not taken yet: interleaved
// frames in the sink's format, and how many of them are gone already.
class PendingOutput {
 public:
  // Where FfmpegStream::Read appends the next piece; call only when Empty().
  std::vector<float>& Refill() {
    samples_.clear();
    taken_ = 0;
    return samples_;
  }
  void Clear() { Refill(); }

  bool Empty() const { return taken_ >= Frames(); }
  std::size_t Left() const { return Frames() - taken_; }
  const float* Next() const { return samples_.data() + taken_ * AudioSink::kChannels; }
  void Consume(std::size_t frames) { taken_ += frames; }

  // Multiplies what is left by a factor (the file's loudness gain).
  void Scale(float factor) {
    if (factor == 1.0f) return;
    for (std::size_t i = taken_ * AudioSink::kChannels; i < samples_.size(); ++i) samples_[i] *= factor;
  }

 private:
  std::size_t Frames() const { return samples_.size() / AudioSink::kChannels; }

  std::vector<float> samples_;
  std::size_t taken_ = 0;
};

}  // namespace zelvo
