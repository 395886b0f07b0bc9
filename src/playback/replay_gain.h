#pragma once

#include <optional>


namespace zelvo {

class ListeningSettings;

// The loudness tags of a file: gains in decibels relative to the ReplayGain
// reference level, peaks as linear sample values (1.0 full scale). Each is
// absent when the file does not carry it.
struct ReplayGainTags {
  std::optional<double> trackGain;
  std::optional<double> trackPeak;
  std::optional<double> albumGain;
  std::optional<double> albumPeak;
};

// Which gain plays. Automatic takes the album gain in normal play and the
// track gain in shuffle and fuzzy play, where neighbouring tracks are unrelated.
enum class ReplayGainMode { Off, Track, Album, Automatic };

// The listener's choices, kept in the group "ReplayGain" of zelvo.conf.
struct ReplayGainSettings {
  ReplayGainMode mode = ReplayGainMode::Automatic;
  bool preventClipping = true;   // lower the gain so the peak stays below full scale
  double taggedPreampDb = 0;     // added to the gain of tagged files
  double untaggedPreampDb = 0;   // the gain of files without tags
};

ReplayGainSettings LoadReplayGainSettings(const ListeningSettings& settings);
void SaveReplayGainSettings(ListeningSettings& settings, const ReplayGainSettings& values);

// Automatic made concrete for the play mode.
ReplayGainSettings ForPlayMode(ReplayGainSettings settings, bool shuffled);

// The factor a file's samples are multiplied by. The chosen gain falls back
// to the other kind when the file lacks it (an album gain to the track gain).
// Automatic counts as Album here: ForPlayMode resolves it first.
float ReplayGainFactor(const ReplayGainTags& tags, const ReplayGainSettings& settings);

}  // namespace zelvo
