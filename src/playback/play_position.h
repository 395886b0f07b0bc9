#pragma once

#include <algorithm>
#include <optional>

namespace zelvo {

// Where a track is being heard, kept together by the decoder's two threads
// (under the decoder's lock). After opening, stopping or a seek the place is
// fixed; once the worker has handed sound to the sink, it is where the sink's
// intake ends less what the sink has not played yet.
class PlayPosition {
 public:
  // A fixed place with nothing of it in the sink yet.
  void Restart(double seconds) {
    start_ = seconds;
    written_.reset();
  }
  // The worker: the track time at the end of what the sink has taken.
  void SetWritten(double seconds) { written_ = seconds; }
  bool HasWritten() const { return written_.has_value(); }

  // The place fixed by the last Restart.
  double Start() const { return start_; }
  // The place being heard, `unheard` being the track seconds the sink still holds.
  double Heard(double unheard) const {
    return written_ ? std::max(0.0, *written_ - unheard) : start_;
  }

 private:
  double start_ = 0;
  std::optional<double> written_;
};

}  // namespace zelvo
