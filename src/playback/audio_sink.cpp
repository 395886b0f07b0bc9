#include "playback/audio_sink.h"

namespace zelvo {

void AudioSink::ApplyGains(float* samples, std::size_t frames) const {
  const float left = LeftGain();
  const float right = RightGain();
  if (left == 1.0f && right == 1.0f) return;
  for (std::size_t i = 0; i < frames; ++i) {
    samples[2 * i] *= left;
    samples[2 * i + 1] *= right;
  }
}

}  // namespace zelvo
