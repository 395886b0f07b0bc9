#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>

#include <QString>

namespace zelvo {

// Where decoded sound goes: the sound card (SdlAudioSink) or, in tests, memory
// (MemorySink). The shape follows the usual output-plugin contract of audio
// players: Write never blocks and returns what it took; the writer waits for
// room with WaitWritable; Pause, Flush and Delay complete the picture.
//
// Samples are 32-bit float, interleaved, `kChannels` channels at `kSampleRate`
// frames per second (a frame is one sample per channel).
//
// Threads: the decoder's worker thread opens, writes, flushes and closes; the
// user-interface thread may call Pause, SetGains, Delay and Lost at any time.
class AudioSink {
 public:
  static constexpr int kSampleRate = 44100;
  static constexpr int kChannels = 2;

  virtual ~AudioSink() = default;

  // Whether an output can be opened at all (opens one and closes it again
  // when the sink is not open). Never throws.
  virtual bool CanOpen() = 0;

  // Opens the output, paused. Returns false when it cannot be opened.
  virtual bool Open() = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  // Takes up to `frames` frames from `samples` and returns how many it took
  // (0 when full or paused). Never blocks.
  virtual std::size_t Write(const float* samples, std::size_t frames) = 0;

  // Blocks the writer until Write could take something, or `timeoutMs` passed,
  // or Wake() was called.
  virtual void WaitWritable(int timeoutMs) = 0;
  // Ends a WaitWritable early (another thread has news for the writer).
  virtual void Wake() = 0;

  // A paused output holds what it has buffered and plays nothing.
  virtual void Pause(bool paused) = 0;
  // Drops everything buffered and not yet heard.
  virtual void Flush() = 0;

  // Frames written but not yet heard. 0 once everything has played out.
  virtual std::size_t Delay() const = 0;

  // How often the output ran dry while there was more to play (the writer
  // fell behind) since the last call, which starts the count afresh.
  virtual std::size_t TakeUnderruns() { return 0; }

  // True when the output has gone away (the sound server disappeared). The
  // writer then closes the sink; a later Open may succeed again.
  virtual bool Lost() const { return false; }

  // The output to play through, by the name the sound server gives it; empty
  // for its default. Taken up at the next Open.
  virtual void SetDevice(const QString& name) { (void)name; }
  // True when the open output is not the one chosen and the chosen one (or
  // the default, when that is chosen) can be opened now: the writer then
  // closes and opens the sink again at the same place.
  virtual bool WantsOtherDevice() { return false; }

  // Linear gains of the left and right channel, applied to everything heard
  // from now on, within one output period.
  void SetGains(float left, float right) {
    leftGain_.store(left, std::memory_order_relaxed);
    rightGain_.store(right, std::memory_order_relaxed);
  }
  float LeftGain() const { return leftGain_.load(std::memory_order_relaxed); }
  float RightGain() const { return rightGain_.load(std::memory_order_relaxed); }

 protected:
  // Multiplies interleaved stereo frames by the current gains.
  void ApplyGains(float* samples, std::size_t frames) const;

 private:
  std::atomic<float> leftGain_{1.0f};
  std::atomic<float> rightGain_{1.0f};
};

// Makes the sink a decoder plays into; a decoder calls it once.
using AudioSinkFactory = std::function<std::unique_ptr<AudioSink>()>;

}  // namespace zelvo
