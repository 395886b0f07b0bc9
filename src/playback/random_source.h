#pragma once

#include <cstdint>
#include <functional>
#include <random>

namespace zelvo {

// Uniform random numbers on [0, 1) for the random play modes. Reseed() mixes
// the time of day into the generator's state rather than replacing it, so two
// reseeds within the same clock tick still give different numbers. Tests hand
// in a fixed clock and get a repeatable sequence.
class RandomSource {
 public:
  using Clock = std::function<std::uint32_t()>;

  RandomSource();  // seeded from the time of day
  explicit RandomSource(Clock clock);

  void Reseed();
  double Next();

  // Milliseconds since midnight, local time.
  static std::uint32_t TimeOfDay();

 private:
  Clock clock_;
  std::mt19937 engine_;
};

// A row chosen uniformly among 1 ... count from r in [0, 1): Int(r * count) + 1,
// kept within range even where r * count rounds up to count.
int PickRow(double r, int count);

}  // namespace zelvo
