#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "playback/audio_sink.h"

namespace zelvo {

// A sink that keeps what it "plays" in memory, for tests.
//
// Unpaced (speed 0, the default) it takes every write at once, so a track
// decodes as fast as the CPU allows, and nothing is ever pending (Delay 0).
// Paced (speed > 0) it behaves like a sound card running `speed` times faster
// than real time with a buffer of `bufferFrames`: writes fill the buffer, a
// virtual clock plays it out, Delay counts what is still buffered.
//
// Gains are applied when a frame is heard, as a sound card's mixer would.
class MemorySink : public AudioSink {
 public:
  explicit MemorySink(double speed = 0.0, std::size_t bufferFrames = 4096);

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

  // Test controls: whether an output "exists", and losing it mid-track (it
  // stays gone until SetAvailable(true)).
  void SetAvailable(bool available);
  void SimulateLoss();

  // Everything heard so far (interleaved stereo) and its length in frames.
  std::vector<float> Heard() const;
  std::size_t HeardFrames() const;
  // Drops what was heard so far (a test's fresh start).
  void ClearHeard();
  // For each Flush so far, how many frames had been heard when it came: where
  // the sound after a seek (or a stop) begins in Heard().
  std::vector<std::size_t> FlushMarks() const;

 private:
  using Clock = std::chrono::steady_clock;
  // Moves frames from the buffer to `heard_` as the virtual clock says.
  void Advance() const;

  const double speed_;
  const std::size_t bufferFrames_;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  bool available_ = true;
  bool open_ = false;
  bool paused_ = true;
  bool lost_ = false;
  bool wake_ = false;
  std::vector<std::size_t> flushMarks_;
  mutable std::vector<float> buffer_;  // written, not yet heard (paced only)
  mutable std::vector<float> heard_;
  mutable Clock::time_point clock_;    // when Advance last ran
  mutable double carry_ = 0;           // fractional frames owed by the clock
};

}  // namespace zelvo
