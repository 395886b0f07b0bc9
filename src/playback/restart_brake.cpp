#include "playback/restart_brake.h"

#include "base/log.h"

namespace zelvo {

bool RestartBrake::Engage(std::optional<double> played, const QString& path) {
  const auto now = std::chrono::steady_clock::now();
  while (!starts_.empty() && now - starts_.front().at > kWindow) starts_.pop_front();
  starts_.push_back({now, played.value_or(0.0)});
  if (static_cast<int>(starts_.size()) < kStarts) return false;
  double sound = 0;
  for (const Start& start : starts_) sound += start.played;
  if (sound >= kSound) return false;
  qCWarning(lcPlayback) << "Stopped:" << kStarts << "tracks in a row ended at once, the last" << path;
  starts_.clear();
  return true;
}

}  // namespace zelvo
