#include "adding/ordered_pool.h"

#include <algorithm>

namespace zelvo {

OrderedRunner::OrderedRunner(int count, std::function<void(int)> work, int threads)
    : count_(count), work_(std::move(work)), done_(static_cast<std::size_t>(count), false) {
  const int started = std::clamp(threads, 1, std::max(count, 1));
  threads_.reserve(static_cast<std::size_t>(started));
  for (int i = 0; i < started && count > 0; ++i) threads_.emplace_back([this] { Work(); });
}

OrderedRunner::~OrderedRunner() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  threads_.clear();  // joins; each thread finishes the item it is on
}

int OrderedRunner::ThreadsPerCore() { return std::max(1, static_cast<int>(std::thread::hardware_concurrency())); }

void OrderedRunner::Work() {
  for (;;) {
    int index;
    {
      std::lock_guard lock(mutex_);
      if (stopping_ || next_ >= count_) return;
      index = next_++;
    }
    work_(index);
    std::lock_guard lock(mutex_);
    done_[static_cast<std::size_t>(index)] = true;
    // The waiting thread is woken once the item it waits for and a batch of
    // those after it are done, not once per item: each wake-up takes a core
    // from the reading threads.
    if (awaited_ >= 0 && done_[static_cast<std::size_t>(awaited_)] &&
        done_[static_cast<std::size_t>(std::min(awaited_ + kBatch, count_ - 1))])
      doneOne_.notify_one();
  }
}

bool OrderedRunner::WaitFor(int index, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  awaited_ = index;
  const bool done = doneOne_.wait_for(lock, timeout, [&] { return done_[static_cast<std::size_t>(index)]; });
  awaited_ = -1;
  return done;
}

}  // namespace zelvo
