#pragma once

#include <QString>
#include <chrono>
#include <deque>
#include <optional>

namespace zelvo {

// Stops a list that keeps landing on tracks that end at once (a file cut to
// its header, say, as the only row): without it the player would start them
// again and again, dozens of times a second, for good. Told of every
// automatic start; engages when kStarts of them fall within kWindow with
// less than kSound of sound played between them.
class RestartBrake {
 public:
  static constexpr int kStarts = 20;
  static constexpr std::chrono::milliseconds kWindow{2000};
  static constexpr double kSound = 1.0;  // seconds

  // A track ended after `played` seconds (unknown: none) and the next is
  // about to start; true when playback should stop instead. Logs once, with
  // the path of the track that ended, when it engages.
  bool Engage(std::optional<double> played, const QString& path);

 private:
  struct Start {
    std::chrono::steady_clock::time_point at;
    double played;
  };
  std::deque<Start> starts_;
};

// The display's text when the brake has stopped playback.
inline constexpr char kStoppedEndsAtOnce[] = "Stopped - Track Ends At Once";

}  // namespace zelvo
