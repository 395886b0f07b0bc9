#include "memory_sink.h"

#include <algorithm>

namespace zelvo {

MemorySink::MemorySink(double speed, std::size_t bufferFrames)
    : speed_(speed), bufferFrames_(bufferFrames) {}

bool MemorySink::CanOpen() {
  std::lock_guard lock(mutex_);
  return available_ && !lost_;
}

bool MemorySink::Open() {
  std::lock_guard lock(mutex_);
  if (open_) return true;
  if (!available_) return false;
  open_ = true;
  lost_ = false;
  paused_ = true;
  buffer_.clear();
  clock_ = Clock::now();
  return true;
}

void MemorySink::Close() {
  std::lock_guard lock(mutex_);
  open_ = false;
  buffer_.clear();
  changed_.notify_all();
}

bool MemorySink::IsOpen() const {
  std::lock_guard lock(mutex_);
  return open_;
}

void MemorySink::Advance() const {
  const auto now = Clock::now();
  if (speed_ <= 0 || paused_ || !open_ || lost_) {
    clock_ = now;
    carry_ = 0;
    return;
  }
  const double due = std::chrono::duration<double>(now - clock_).count() * kSampleRate * speed_ + carry_;
  clock_ = now;
  const std::size_t buffered = buffer_.size() / kChannels;
  const std::size_t play = std::min<std::size_t>(buffered, static_cast<std::size_t>(due));
  carry_ = play < buffered ? due - static_cast<double>(play) : 0.0;
  if (play == 0) return;
  const std::size_t first = heard_.size();
  heard_.insert(heard_.end(), buffer_.begin(), buffer_.begin() + play * kChannels);
  buffer_.erase(buffer_.begin(), buffer_.begin() + play * kChannels);
  ApplyGains(heard_.data() + first, play);
}

std::size_t MemorySink::Write(const float* samples, std::size_t frames) {
  std::lock_guard lock(mutex_);
  if (!open_ || paused_ || lost_) return 0;
  if (speed_ <= 0) {
    const std::size_t first = heard_.size();
    heard_.insert(heard_.end(), samples, samples + frames * kChannels);
    ApplyGains(heard_.data() + first, frames);
    return frames;
  }
  Advance();
  const std::size_t room = bufferFrames_ - std::min(bufferFrames_, buffer_.size() / kChannels);
  const std::size_t take = std::min(room, frames);
  buffer_.insert(buffer_.end(), samples, samples + take * kChannels);
  return take;
}

void MemorySink::WaitWritable(int timeoutMs) {
  std::unique_lock lock(mutex_);
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!wake_) {
    Advance();
    const bool writable = open_ && !paused_ && !lost_ &&
                          (speed_ <= 0 || buffer_.size() / kChannels < bufferFrames_);
    if (writable || Clock::now() >= deadline) break;
    // Paced: poll the virtual clock about every millisecond.
    changed_.wait_until(lock, std::min(deadline, Clock::now() + std::chrono::milliseconds(1)));
  }
  wake_ = false;
}

void MemorySink::Wake() {
  std::lock_guard lock(mutex_);
  wake_ = true;
  changed_.notify_all();
}

void MemorySink::Pause(bool paused) {
  std::lock_guard lock(mutex_);
  Advance();
  paused_ = paused;
  clock_ = Clock::now();
  changed_.notify_all();
}

void MemorySink::Flush() {
  std::lock_guard lock(mutex_);
  Advance();
  buffer_.clear();
  carry_ = 0;
  flushMarks_.push_back(heard_.size() / kChannels);
}

std::size_t MemorySink::Delay() const {
  std::lock_guard lock(mutex_);
  Advance();
  return buffer_.size() / kChannels;
}

bool MemorySink::Lost() const {
  std::lock_guard lock(mutex_);
  return lost_;
}

void MemorySink::SetAvailable(bool available) {
  std::lock_guard lock(mutex_);
  available_ = available;
}

void MemorySink::SimulateLoss() {
  std::lock_guard lock(mutex_);
  lost_ = true;
  available_ = false;
  changed_.notify_all();
}

std::vector<float> MemorySink::Heard() const {
  std::lock_guard lock(mutex_);
  Advance();
  return heard_;
}

std::size_t MemorySink::HeardFrames() const {
  std::lock_guard lock(mutex_);
  Advance();
  return heard_.size() / kChannels;
}

void MemorySink::ClearHeard() {
  std::lock_guard lock(mutex_);
  heard_.clear();
  flushMarks_.clear();
}

std::vector<std::size_t> MemorySink::FlushMarks() const {
  std::lock_guard lock(mutex_);
  return flushMarks_;
}

}  // namespace zelvo
