#include "playback/replay_gain.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "base/log.h"
#include "storage/listening_settings.h"

namespace zelvo {
namespace {

const char* const kModeNames[] = {"Off", "Track", "Album", "Automatic"};

// Pre-amps beyond this are typing errors, not wishes.
constexpr double kPreampLimitDb = 24;

// The keys live in the group "ReplayGain" of the listening options file.
QString Key(const char* name) { return QStringLiteral("ReplayGain/") + QLatin1String(name); }

double ReadPreamp(const ListeningSettings& settings, const char* key) {
  bool ok = false;
  const QVariant value = settings.Value(Key(key), 0.0);
  const double db = value.toDouble(&ok);
  if (ok && std::isfinite(db)) return std::clamp(db, -kPreampLimitDb, kPreampLimitDb);
  qCWarning(lcPlayback) << "Pre-amp" << key << "of" << kListeningSettingsName << "is no number:" << value;
  return 0.0;
}

ReplayGainMode ReadMode(const ListeningSettings& settings) {
  const QString name = settings.Value(Key("Mode")).toString();
  for (std::size_t i = 0; i < std::size(kModeNames); ++i)
    if (name.compare(QLatin1String(kModeNames[i]), Qt::CaseInsensitive) == 0) return ReplayGainMode(i);
  if (!name.isEmpty()) qCWarning(lcPlayback) << "Unknown ReplayGain mode" << name << "in" << kListeningSettingsName;
  return ReplayGainSettings().mode;
}

}  // namespace

ReplayGainSettings LoadReplayGainSettings(const ListeningSettings& settings) {
  ReplayGainSettings values;
  values.mode = ReadMode(settings);
  values.preventClipping = settings.Flag(Key("PreventClipping"), true);
  values.taggedPreampDb = ReadPreamp(settings, "PreampTagged");
  values.untaggedPreampDb = ReadPreamp(settings, "PreampUntagged");
  return values;
}

void SaveReplayGainSettings(ListeningSettings& settings, const ReplayGainSettings& values) {
  settings.SetValue(Key("Mode"), QLatin1String(kModeNames[static_cast<int>(values.mode)]));
  settings.SetValue(Key("PreventClipping"), values.preventClipping);
  settings.SetValue(Key("PreampTagged"), values.taggedPreampDb);
  settings.SetValue(Key("PreampUntagged"), values.untaggedPreampDb);
}

ReplayGainSettings ForPlayMode(ReplayGainSettings settings, bool shuffled) {
  if (settings.mode == ReplayGainMode::Automatic)
    settings.mode = shuffled ? ReplayGainMode::Track : ReplayGainMode::Album;
  return settings;
}

float ReplayGainFactor(const ReplayGainTags& tags, const ReplayGainSettings& settings) {
  if (settings.mode == ReplayGainMode::Off) return 1.0f;
  const bool track = settings.mode == ReplayGainMode::Track;
  const bool useTrack = track ? tags.trackGain.has_value() : !tags.albumGain;
  const std::optional<double> gain = useTrack ? tags.trackGain : tags.albumGain;
  if (!gain) return static_cast<float>(std::pow(10.0, settings.untaggedPreampDb / 20));
  double factor = std::pow(10.0, (*gain + settings.taggedPreampDb) / 20);
  // The peak that belongs to the gain, else the other one (a peak is a peak).
  const std::optional<double> peak =
      useTrack ? (tags.trackPeak ? tags.trackPeak : tags.albumPeak) : (tags.albumPeak ? tags.albumPeak : tags.trackPeak);
  if (settings.preventClipping && peak && *peak * factor > 1.0) factor = 1.0 / *peak;
  return static_cast<float>(factor);
}

}  // namespace zelvo
