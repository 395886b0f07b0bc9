#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace zelvo {

// Runs work(0) ... work(count - 1) on a few threads (one per core), handing
// out the indexes in order, while the thread that made the pool takes the
// results in that same order as they become ready. Used where each item
// waits mostly on the disk and a library (reading tags), so the items of an
// add overlap while the user-interface thread keeps the windows painted.
// Destroying the pool stops it: items not yet begun are never run.
class OrderedRunner {
 public:
  OrderedRunner(int count, std::function<void(int)> work, int threads);
  ~OrderedRunner();
  OrderedRunner(const OrderedRunner&) = delete;
  OrderedRunner& operator=(const OrderedRunner&) = delete;

  // Whether item `index` is done, waiting at most `timeout`. While waiting it
  // is woken when the next few items are done too, so it waits per batch.
  bool WaitFor(int index, std::chrono::milliseconds timeout);

  static int ThreadsPerCore();

 private:
  void Work();

  static constexpr int kBatch = 32;  // items a wake-up of the waiting thread brings

  const int count_;
  const std::function<void(int)> work_;
  std::mutex mutex_;
  std::condition_variable doneOne_;
  int next_ = 0;  // the next item a thread takes up
  int awaited_ = -1;  // the item WaitFor waits for, if any
  bool stopping_ = false;
  std::vector<bool> done_;
  std::vector<std::jthread> threads_;
};

// An OrderedRunner that keeps what each item gives.
template <class Result>
class OrderedPool {
 public:
  OrderedPool(int count, std::function<Result(int)> work, int threads = OrderedRunner::ThreadsPerCore())
      : results_(count), runner_(count, [this, work = std::move(work)](int i) { results_[i] = work(i); }, threads) {}

  bool WaitFor(int index, std::chrono::milliseconds timeout) { return runner_.WaitFor(index, timeout); }
  // Item `index`'s result, once WaitFor said it is done; taken only once.
  Result Take(int index) { return std::move(results_[index]); }

 private:
  std::vector<Result> results_;  // each written by one worker before it is marked done
  OrderedRunner runner_;         // last: it stops before the results go
};

}  // namespace zelvo
