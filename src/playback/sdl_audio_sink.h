#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

#include <QStringList>

#include "playback/audio_sink.h"

namespace zelvo {

// Plays through SDL2's default audio device. SDL's callback pulls from a ring
// buffer deep enough to ride out a busy decoder (three quarters of a second,
// or four device periods if the sound server grants longer ones) and applies
// the gains as it copies. The sound server is asked to hold 170 ms
// (PULSE_LATENCY_MSEC, unless the user set it) while SDL's periods stay short:
// SDL's feeding thread may then be late by most of that on a loaded machine
// without a gap, and volume, balance, pause, stop and seek (which flush the
// ring) are still heard within one period plus 170 ms, under 200 ms. The
// callback's thread is moved ahead of ordinary work where the system allows.
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
  std::size_t TakeUnderruns() override;
  void SetDevice(const QString& name) override;
  bool WantsOtherDevice() override;

  // The sound server's outputs by name, as SDL lists them.
  static QStringList DeviceNames();

  // The device period asked for; the sound server may grant another.
  static constexpr int kDeviceFrames = 1024;
  // What the sound server is asked to hold beyond SDL's period.
  static constexpr int kServerLatencyMs = 170;
  // Sound kept ahead of the device at least.
  static constexpr std::size_t kAheadFrames = kSampleRate * 3 / 4;

 private:
  QString ChooseDevice();
  void TellMissing();
  using Clock = std::chrono::steady_clock;
  static void Callback(void* self, std::uint8_t* stream, int len);
  void Fill(float* out, std::size_t frames);

  mutable std::mutex mutex_;
  std::condition_variable writable_;
  std::uint32_t device_ = 0;  // SDL_AudioDeviceID, 0 when closed
  bool paused_ = true;
  bool callbackRaised_ = false;  // the callback's thread got its priority
  bool wake_ = false;
  std::vector<float> ring_;
  std::size_t ringFrames_ = 0;
  std::size_t head_ = 0;   // next frame to play
  std::size_t count_ = 0;  // frames buffered
  // Underruns: a period found the ring short after sound had been written
  // (since the last flush); it counts once the writer catches up, so the
  // last period of a track is no underrun.
  bool fed_ = false;
  bool starved_ = false;
  std::size_t underruns_ = 0;
  // What the last callback with sound handed to the device, and when, to
  // estimate what the device and the sound server still hold.
  std::size_t lastDelivered_ = 0;
  Clock::time_point lastFed_;
  std::size_t serverFrames_ = 0;  // held by the sound server beyond SDL's periods
  Clock::time_point lastCallback_;
  Clock::time_point resumed_;
  // The output chosen by name ("" the default) and the one open now.
  QString wanted_;
  QString opened_;
  bool toldMissing_ = false;  // the chosen output's absence was logged
  Clock::time_point lastLook_;  // the outputs were last listed
};

}  // namespace zelvo
