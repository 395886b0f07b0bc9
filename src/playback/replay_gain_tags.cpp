#include "playback/replay_gain_tags.h"

#include <QHash>

#include <cmath>

#include <taglib/aifffile.h>
#include <taglib/apefile.h>
#include <taglib/apetag.h>
#include <taglib/asffile.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpcfile.h>
#include <taglib/mpegfile.h>
#include <taglib/tpropertymap.h>
#include <taglib/wavfile.h>
#include <taglib/wavpackfile.h>
#include <taglib/xiphcomment.h>

#include "base/log.h"

namespace zelvo {
namespace {

// Field names in upper case, each with its first value. Where two tags of a
// file hold the same field, the one added first counts.
using Fields = QHash<QString, QString>;

QString FromTagLib(const TagLib::String& text) { return QString::fromStdWString(text.toWString()); }

// TagLib 1's properties() is not virtual: each kind of tag is asked as itself.
template <typename TagKind>
void AddProperties(Fields& fields, const TagKind* tag) {
  if (!tag) return;
  const TagLib::PropertyMap properties = tag->properties();
  for (const auto& [key, values] : properties) {
    const QString name = FromTagLib(key).toUpper();
    if (!values.isEmpty() && !fields.contains(name)) fields.insert(name, FromTagLib(values.front()));
  }
}

// MP4 freeform atoms are named "----:com.apple.iTunes:REPLAYGAIN_TRACK_GAIN".
void AddMp4Items(Fields& fields, TagLib::MP4::Tag* tag) {
  if (!tag) return;
  for (const auto& [key, item] : tag->itemMap()) {
    const QString name = FromTagLib(key);
    const TagLib::StringList values = item.toStringList();
    if (name.startsWith(QLatin1String("----:")) && !values.isEmpty())
      fields.insert(name.section(QLatin1Char(':'), -1).toUpper(), FromTagLib(values.front()));
  }
}

void AddAsfAttributes(Fields& fields, TagLib::ASF::Tag* tag) {
  if (!tag) return;
  for (const auto& [key, attributes] : tag->attributeListMap())
    if (!attributes.isEmpty()) fields.insert(FromTagLib(key).toUpper(), FromTagLib(attributes.front().toString()));
}

// Each tag a file may carry, the one players read first first.
Fields CollectFields(TagLib::File& file) {
  Fields fields;
  if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(&file)) {
    AddProperties(fields, mpeg->ID3v2Tag());
    AddProperties(fields, mpeg->APETag());
  } else if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(&file)) {
    AddProperties(fields, flac->xiphComment());
    AddProperties(fields, flac->ID3v2Tag());
  } else if (auto* wavPack = dynamic_cast<TagLib::WavPack::File*>(&file)) {
    AddProperties(fields, wavPack->APETag());
  } else if (auto* ape = dynamic_cast<TagLib::APE::File*>(&file)) {
    AddProperties(fields, ape->APETag());
  } else if (auto* mpc = dynamic_cast<TagLib::MPC::File*>(&file)) {
    AddProperties(fields, mpc->APETag());
  } else if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(&file)) {
    AddProperties(fields, wav->ID3v2Tag());
  } else if (auto* aiff = dynamic_cast<TagLib::RIFF::AIFF::File*>(&file)) {
    AddProperties(fields, aiff->tag());
  } else if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(&file)) {
    AddMp4Items(fields, mp4->tag());
  } else if (auto* asf = dynamic_cast<TagLib::ASF::File*>(&file)) {
    AddAsfAttributes(fields, asf->tag());
  } else {
    AddProperties(fields, dynamic_cast<const TagLib::Ogg::XiphComment*>(file.tag()));  // Vorbis, Opus, Speex
  }
  return fields;
}

// "-7.03 dB", "0.988525": a number, perhaps followed by its unit.
std::optional<double> ParseNumber(QString text) {
  text = text.trimmed();
  if (text.endsWith(QLatin1String("dB"), Qt::CaseInsensitive)) text.chop(2);
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

class FieldParser {
 public:
  FieldParser(const std::function<QString(const char*)>& field, const QString& path) : field_(field), path_(path) {}

  // Gains beyond ±64 dB and peaks beyond 100 (+40 dBFS) are damaged tags.
  std::optional<double> Gain(const char* key) const { return Read(key, -64, 64); }
  std::optional<double> Peak(const char* key) const { return Read(key, 1e-6, 100); }

  // R128 gains: whole 1/256 dB steps relative to -23 LUFS; ReplayGain's
  // reference is 5 dB louder (-18 LUFS).
  std::optional<double> R128Gain(const char* key) const {
    const std::optional<double> steps = Read(key, -32768, 32767);
    if (!steps) return std::nullopt;
    return *steps / 256.0 + 5.0;
  }

 private:
  std::optional<double> Read(const char* key, double low, double high) const {
    const QString text = field_(key);
    if (text.isEmpty()) return std::nullopt;
    const std::optional<double> value = ParseNumber(text);
    if (value && *value >= low && *value <= high) return value;
    qCWarning(lcPlayback).noquote() << "Ignoring the loudness tag" << key << "=" << text << "of" << path_;
    return std::nullopt;
  }

  const std::function<QString(const char*)>& field_;
  const QString& path_;
};

}  // namespace

ReplayGainTags ParseReplayGainFields(const std::function<QString(const char* key)>& field, const QString& path) {
  const FieldParser parse(field, path);
  ReplayGainTags tags;
  tags.trackGain = parse.R128Gain("R128_TRACK_GAIN");
  if (!tags.trackGain) tags.trackGain = parse.Gain("REPLAYGAIN_TRACK_GAIN");
  tags.albumGain = parse.R128Gain("R128_ALBUM_GAIN");
  if (!tags.albumGain) tags.albumGain = parse.Gain("REPLAYGAIN_ALBUM_GAIN");
  tags.trackPeak = parse.Peak("REPLAYGAIN_TRACK_PEAK");
  tags.albumPeak = parse.Peak("REPLAYGAIN_ALBUM_PEAK");
  return tags;
}

ReplayGainTags ReadReplayGainTags(TagLib::File& file, const QString& path) {
  const Fields fields = CollectFields(file);
  return ParseReplayGainFields([&fields](const char* key) { return fields.value(QLatin1String(key)); }, path);
}

}  // namespace zelvo
