#include "playback/apply_options.h"

#include <cstdlib>
#include <utility>

#include "base/layout.h"
#include "base/option_values.h"
#include "playback/decoder.h"

namespace zelvo {

double VolumeBarWidth(int volume) {
  return static_cast<float>(layout::kVolumeBarFull - std::abs(volume) * (layout::kVolumeBarFull / 1500.0));
}

double ApplyOptions(const OptionValues& options, Decoder& decoder) {
  using enum Entry;
  static const std::pair<Entry, int> kBalances[] = {
      {BalLeft, -1000}, {BalLHalf, -500}, {BalMiddle, 0}, {BalRHalf, 500}, {BalRight, 1000}};
  static const std::pair<Entry, double> kRates[] = {{ClassicSE, 0.98}, {NormalSE, 1.0}, {DanceSE, 1.02}};
  static const std::pair<Entry, int> kVolumes[] = {
      {MuteVol, kMuteVolume}, {LowVol, -1000}, {MedVol, -600}, {HighVol, -250}, {FullVol, 0}};
  for (const auto& [name, balance] : kBalances)
    if (options.IsChecked(name)) decoder.SetBalance(balance);
  for (const auto& [name, rate] : kRates)
    if (options.IsChecked(name)) decoder.SetRate(rate);
  for (const auto& [name, volume] : kVolumes)
    if (options.IsChecked(name)) decoder.SetVolume(volume);
  return VolumeBarWidth(decoder.Volume());
}

}  // namespace zelvo
