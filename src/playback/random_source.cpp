#include "playback/random_source.h"

#include <QTime>
#include <algorithm>
#include <array>
#include <cmath>

namespace zelvo {

RandomSource::RandomSource() : RandomSource(&RandomSource::TimeOfDay) {}

RandomSource::RandomSource(Clock clock) : clock_(std::move(clock)), engine_(clock_()) {}

void RandomSource::Reseed() {
  // Carry enough of the old state along that repeated reseeds with the same
  // time can never fall into a short cycle.
  std::array<std::uint32_t, 9> words{clock_()};
  for (size_t i = 1; i < words.size(); ++i) words[i] = static_cast<std::uint32_t>(engine_());
  std::seed_seq mixed(words.begin(), words.end());
  engine_.seed(mixed);
}

double RandomSource::Next() {
  // 32 random bits scaled by 2^-32: exact in a double and never 1.
  return static_cast<double>(engine_()) * 0x1p-32;
}

std::uint32_t RandomSource::TimeOfDay() {
  return static_cast<std::uint32_t>(QTime::currentTime().msecsSinceStartOfDay());
}

int PickRow(double r, int count) {
  const int row = static_cast<int>(std::floor(r * count)) + 1;
  return count > 0 ? std::clamp(row, 1, count) : row;
}

}  // namespace zelvo
