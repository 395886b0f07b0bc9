#include "playback/sdl_audio_sink.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "base/log.h"
#include "playback/thread_priority.h"

namespace zelvo {
namespace {

// SDL's init and quit are process-wide and not meant to race; every sink goes
// through this lock. SDL counts the audio subsystem's users itself.
std::mutex& SdlLock() {
  static std::mutex lock;
  return lock;
}

bool InitSdlAudio() {
  std::lock_guard lock(SdlLock());
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // SDL asks PulseAudio (and PipeWire's stand-in for it) for a buffer of one
  // period; libpulse takes a longer one from this variable.
  setenv("PULSE_LATENCY_MSEC", std::to_string(SdlAudioSink::kServerLatencyMs).c_str(), 0);
  return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
}

void QuitSdlAudio() {
  std::lock_guard lock(SdlLock());
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

SDL_AudioSpec WantedSpec() {
  SDL_AudioSpec want{};
  want.freq = AudioSink::kSampleRate;
  want.format = AUDIO_F32SYS;
  want.channels = AudioSink::kChannels;
  want.samples = SdlAudioSink::kDeviceFrames;
  return want;
}

// SDL marks a device whose server went away as stopped (and goes on calling
// back with a simulated clock). As a second line, a device that has not called
// back for this long while playing is gone; a fresh PulseAudio null sink takes
// about a second before its first periods.
constexpr auto kSilentDeviceLimit = std::chrono::milliseconds(3000);

// How often a playing sink asks whether the chosen output has come back.
constexpr auto kDeviceLookInterval = std::chrono::seconds(1);

// SDL's list of outputs; SDL's audio is initialised by the caller.
QStringList ListDevices() {
  QStringList names;
  const int count = SDL_GetNumAudioDevices(0);
  for (int i = 0; i < count; ++i)
    if (const char* name = SDL_GetAudioDeviceName(i, 0)) names << QString::fromUtf8(name);
  return names;
}

// What the sound server holds beyond SDL's own periods: the latency libpulse
// was asked for, when SDL plays through it.
std::size_t ServerFrames() {
  const char* driver = SDL_GetCurrentAudioDriver();
  if (!driver || std::strcmp(driver, "pulseaudio") != 0) return 0;
  const int ms = std::atoi(getenv("PULSE_LATENCY_MSEC") ? getenv("PULSE_LATENCY_MSEC") : "0");
  return static_cast<std::size_t>(std::max(0, ms)) * AudioSink::kSampleRate / 1000;
}

}  // namespace

SdlAudioSink::SdlAudioSink() = default;

SdlAudioSink::~SdlAudioSink() { Close(); }

bool SdlAudioSink::CanOpen() {
  if (IsOpen()) return true;
  if (!InitSdlAudio()) return false;
  SDL_AudioSpec want = WantedSpec(), have{};
  const SDL_AudioDeviceID probe = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (probe != 0) SDL_CloseAudioDevice(probe);
  QuitSdlAudio();
  return probe != 0;
}

bool SdlAudioSink::Open() {
  if (IsOpen()) return true;
  if (!InitSdlAudio()) return false;
  QString name = ChooseDevice();
  SDL_AudioSpec want = WantedSpec(), have{};
  want.callback = &SdlAudioSink::Callback;
  want.userdata = this;
  // SDL converts rate, format and channels to what the device takes; the
  // period is the sound server's choice.
  auto open = [&] {
    return SDL_OpenAudioDevice(name.isEmpty() ? nullptr : name.toUtf8().constData(), 0, &want, &have,
                               SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
  };
  SDL_AudioDeviceID device = open();
  if (device == 0 && !name.isEmpty()) {  // gone since it was listed
    TellMissing();
    name.clear();
    device = open();
  }
  if (device == 0) {
    QuitSdlAudio();
    return false;
  }
  std::lock_guard lock(mutex_);
  device_ = device;
  opened_ = name;
  if (!name.isEmpty()) toldMissing_ = false;  // seen again: a new absence is told again
  paused_ = true;
  callbackRaised_ = false;
  ringFrames_ = std::max<std::size_t>(kAheadFrames, 4 * std::size_t(have.samples));
  ring_.assign(ringFrames_ * kChannels, 0.0f);
  head_ = count_ = lastDelivered_ = 0;
  serverFrames_ = ServerFrames();
  fed_ = starved_ = false;
  underruns_ = 0;
  lastCallback_ = lastFed_ = resumed_ = Clock::now();
  return true;
}

void SdlAudioSink::Close() {
  SDL_AudioDeviceID device;
  {
    std::lock_guard lock(mutex_);
    device = device_;
    device_ = 0;
    count_ = head_ = lastDelivered_ = 0;
    writable_.notify_all();
  }
  if (device == 0) return;
  SDL_CloseAudioDevice(device);  // waits for a running callback
  QuitSdlAudio();
}

bool SdlAudioSink::IsOpen() const {
  std::lock_guard lock(mutex_);
  return device_ != 0;
}

void SdlAudioSink::Callback(void* self, std::uint8_t* stream, int len) {
  static_cast<SdlAudioSink*>(self)->Fill(reinterpret_cast<float*>(stream),
                                         static_cast<std::size_t>(len) / (sizeof(float) * kChannels));
}

void SdlAudioSink::Fill(float* out, std::size_t frames) {
  std::size_t delivered = 0;
  {
    std::lock_guard lock(mutex_);
    // SDL asks for a real-time thread, which an unprivileged process without
    // RealtimeKit does not get; a lower nice value may still be allowed.
    if (!std::exchange(callbackRaised_, true)) RaiseThreadPriority(kSoundFeedNice);
    const std::size_t take = std::min(frames, count_);
    while (delivered < take) {
      const std::size_t run = std::min(take - delivered, ringFrames_ - head_);
      std::memcpy(out + delivered * kChannels, ring_.data() + head_ * kChannels,
                  run * kChannels * sizeof(float));
      head_ = (head_ + run) % ringFrames_;
      delivered += run;
    }
    if (fed_ && take < frames) starved_ = true;
    count_ -= take;
    lastCallback_ = Clock::now();
    if (take > 0) {
      lastDelivered_ = take;
      lastFed_ = lastCallback_;
    }
    writable_.notify_all();
  }
  ApplyGains(out, delivered);
  std::fill(out + delivered * kChannels, out + frames * kChannels, 0.0f);
}

std::size_t SdlAudioSink::Write(const float* samples, std::size_t frames) {
  std::lock_guard lock(mutex_);
  if (device_ == 0) return 0;
  const std::size_t take = std::min(frames, ringFrames_ - count_);
  if (take > 0 && starved_) ++underruns_;
  starved_ = false;
  fed_ = fed_ || take > 0;
  std::size_t done = 0;
  while (done < take) {
    const std::size_t tail = (head_ + count_ + done) % ringFrames_;
    const std::size_t run = std::min(take - done, ringFrames_ - tail);
    std::memcpy(ring_.data() + tail * kChannels, samples + done * kChannels,
                run * kChannels * sizeof(float));
    done += run;
  }
  count_ += take;
  return take;
}

void SdlAudioSink::WaitWritable(int timeoutMs) {
  std::unique_lock lock(mutex_);
  writable_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                     [&] { return wake_ || device_ == 0 || count_ < ringFrames_; });
  wake_ = false;
}

void SdlAudioSink::Wake() {
  std::lock_guard lock(mutex_);
  wake_ = true;
  writable_.notify_all();
}

void SdlAudioSink::Pause(bool paused) {
  SDL_AudioDeviceID device;
  {
    std::lock_guard lock(mutex_);
    if (device_ == 0 || paused_ == paused) return;
    device = device_;
    paused_ = paused;
    if (!paused) resumed_ = lastCallback_ = Clock::now();
  }
  // Outside our lock: SDL takes the device lock, which a running callback holds
  // while it waits for ours.
  SDL_PauseAudioDevice(device, paused ? 1 : 0);
}

void SdlAudioSink::Flush() {
  std::lock_guard lock(mutex_);
  head_ = count_ = 0;
  fed_ = starved_ = false;
  writable_.notify_all();
}

std::size_t SdlAudioSink::Delay() const {
  std::lock_guard lock(mutex_);
  if (device_ == 0) return 0;
  // What the device took at its last callback with sound plays out after the
  // period it was already playing and what the sound server holds: about two
  // periods and the server's latency at the callback, falling since.
  const double elapsed = std::chrono::duration<double>(Clock::now() - lastFed_).count() * kSampleRate;
  const double held = 2.0 * static_cast<double>(lastDelivered_) + static_cast<double>(serverFrames_);
  return count_ + static_cast<std::size_t>(lastDelivered_ == 0 ? 0.0 : std::max(0.0, held - elapsed));
}

std::size_t SdlAudioSink::TakeUnderruns() {
  std::lock_guard lock(mutex_);
  return std::exchange(underruns_, 0);
}

bool SdlAudioSink::Lost() const {
  SDL_AudioDeviceID device;
  QString opened;
  {
    std::lock_guard lock(mutex_);
    if (device_ == 0 || paused_) return false;
    device = device_;
    opened = opened_;
  }
  // A disconnected device reads "stopped" (SDL reads atomics here, no lock).
  // A chosen output that stopped has left the server: no loss, the default
  // takes over (WantsOtherDevice).
  if (SDL_GetAudioDeviceStatus(device) == SDL_AUDIO_STOPPED) return opened.isEmpty();
  std::lock_guard lock(mutex_);
  if (paused_) return false;
  const auto now = Clock::now();
  return now - resumed_ > kSilentDeviceLimit && now - lastCallback_ > kSilentDeviceLimit;
}

}  // namespace zelvo

namespace zelvo {

QStringList SdlAudioSink::DeviceNames() {
  if (!InitSdlAudio()) return {};
  const QStringList names = ListDevices();
  QuitSdlAudio();
  return names;
}

void SdlAudioSink::SetDevice(const QString& name) {
  std::lock_guard lock(mutex_);
  wanted_ = name;
  toldMissing_ = false;
  lastLook_ = {};
}

// The output to open: the chosen one when it is there, else the default,
// which is said once until the chosen one is seen again.
QString SdlAudioSink::ChooseDevice() {
  QString wanted;
  {
    std::lock_guard lock(mutex_);
    wanted = wanted_;
  }
  if (wanted.isEmpty() || ListDevices().contains(wanted)) return wanted;
  TellMissing();
  return {};
}

void SdlAudioSink::TellMissing() {
  std::lock_guard lock(mutex_);
  if (!toldMissing_)
    qCWarning(lcPlayback) << "the chosen sound output is missing, playing through the default:" << wanted_;
  toldMissing_ = true;
}

bool SdlAudioSink::WantsOtherDevice() {
  std::lock_guard lock(mutex_);
  if (device_ == 0) return false;
  if (wanted_ == opened_) return !opened_.isEmpty() && SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED;
  if (wanted_.isEmpty()) return true;
  const auto now = Clock::now();
  if (now - lastLook_ < kDeviceLookInterval) return false;
  lastLook_ = now;
  return ListDevices().contains(wanted_);
}

}  // namespace zelvo
