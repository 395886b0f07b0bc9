#pragma once

namespace zelvo {

// Moves the calling thread ahead of ordinary work, so sound keeps flowing
// while the machine is busy: its nice value goes down to `nice`, or as far
// as the process may lower it without privileges (RLIMIT_NICE). Where the
// system allows nothing, the thread stays as it was and one warning says so.
void RaiseThreadPriority(int nice);

// What the threads that feed the sound card ask for: ahead of a compile or a
// busy loop, behind the sound server's own real-time threads.
inline constexpr int kSoundFeedNice = -10;

}  // namespace zelvo
