#pragma once

namespace zelvo {

class Decoder;
class OptionValues;

// Decoder values of the menu entries (volume in hundredths of a decibel).
inline constexpr int kMuteVolume = -1500;

// The volume bar's width in twips for a decoder volume: full at 0, empty at
// the mute level.
double VolumeBarWidth(int volume);

// Sends the ticked balance, effects rate and volume to the decoder, in that
// order; a category with nothing ticked sends nothing, one with two ticks
// sends both and the later one stays. Returns the volume bar's new width,
// read back from the decoder.
double ApplyOptions(const OptionValues& options, Decoder& decoder);

}  // namespace zelvo
