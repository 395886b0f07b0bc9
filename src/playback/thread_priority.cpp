#include "playback/thread_priority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

#include "base/log.h"

namespace zelvo {
namespace {

// The lowest nice value an unprivileged process may set (RLIMIT_NICE holds
// 20 - nice); root is not limited by it.
int LowestAllowedNice() {
  rlimit limit{};
  if (::getrlimit(RLIMIT_NICE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return -20;
  return 20 - static_cast<int>(std::min<rlim_t>(limit.rlim_cur, 40));
}

}  // namespace

void RaiseThreadPriority(int nice) {
  // On Linux the nice value belongs to the thread named by its id.
  const auto thread = static_cast<id_t>(::syscall(SYS_gettid));
  errno = 0;
  const int current = ::getpriority(PRIO_PROCESS, thread);
  if (errno != 0 || current <= nice) return;
  if (::setpriority(PRIO_PROCESS, thread, nice) == 0) return;
  const int allowed = std::max(nice, LowestAllowedNice());
  if (allowed < current && ::setpriority(PRIO_PROCESS, thread, allowed) == 0) return;
  static std::atomic_flag warned;
  if (!warned.test_and_set())
    qCWarning(lcPlayback).noquote() << "Sound threads keep their ordinary priority:" << std::strerror(errno);
}

}  // namespace zelvo
