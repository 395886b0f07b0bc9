#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include "playback/audio_sink.h"

namespace zelvo {

// Plays through SDL2's default audio device. SDL's callback pulls from a small
// ring buffer (about 46 ms) and applies the gains as it copies, so volume and
// balance changes are heard within one device period (about 23 ms) plus the
// sound server's own latency.
//
// SDL is initialised for audio only, without its signal handlers (the program
// handles SIGTERM itself), and only while a sink is open or probing.
class SdlAudioSink : public AudioSink {
 public:
  SdlAudioSink();
  ~SdlAudioSink() override;

  bool CanOpen() override;
  bool Open() override;
  void Close() override;
  bool IsOpen() const override;
  std::size_t Write(const float* samples, std::size_t frames) override;
  void WaitWritable(int timeoutMs) override;
  void Wake() override;
  void Pause(bool paused) override;
  void Flush() override;
  std::size_t Delay() const override;
  bool Lost() const override;

  static constexpr std::size_t kRingFrames = 2048;
  static constexpr int kDeviceFrames = 1024;

 private:
  using Clock = std::chrono::steady_clock;
  static void Callback(void* self, std::uint8_t* stream, int len);
  void Fill(float* out, std::size_t frames);

  mutable std::mutex mutex_;
  std::condition_variable writable_;
  std::uint32_t device_ = 0;  // SDL_AudioDeviceID, 0 when closed
  bool paused_ = true;
  bool wake_ = false;
  std::vector<float> ring_ = std::vector<float>(kRingFrames * kChannels);
  std::size_t head_ = 0;   // next frame to play
  std::size_t count_ = 0;  // frames buffered
  // What the last callbacks handed to the device, to estimate what it still holds.
  std::size_t lastDelivered_ = 0;
  Clock::time_point lastCallback_;
  Clock::time_point resumed_;
};

}  // namespace zelvo
