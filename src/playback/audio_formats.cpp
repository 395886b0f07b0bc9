#include "playback/audio_formats.h"

namespace zelvo {
namespace {

struct AudioFormat {
  const char* extensions;
  const char* mimeTypes;
  const char* demuxers;
};

constexpr AudioFormat kFormats[] = {
#define ZELVO_AUDIO_FORMAT(extensions, mimeTypes, demuxers) {extensions, mimeTypes, demuxers},
#include "playback/audio_formats.def"
#undef ZELVO_AUDIO_FORMAT
};

// Every word of one column of the table, in table order, each once.
QStringList Column(const char* AudioFormat::*column) {
  QStringList words;
  for (const AudioFormat& format : kFormats) {
    for (const QString& word : QString::fromLatin1(format.*column).split(QLatin1Char(' ')))
      if (!words.contains(word)) words << word;
  }
  return words;
}

}  // namespace

const QStringList& SupportedAudioExtensions() {
  static const QStringList extensions = Column(&AudioFormat::extensions);
  return extensions;
}

bool IsSupportedAudioFile(const QString& fileName) {
  const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
  if (dot < 0) return false;
  const QString extension = fileName.mid(dot + 1);
  for (const QString& known : SupportedAudioExtensions()) {
    if (extension.compare(known, Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

QString AllSupportedAudioFilter() {
  QStringList patterns;
  for (const QString& extension : SupportedAudioExtensions())
    patterns << QStringLiteral("*.") + extension;
  return QStringLiteral("All Supported Audio|") + patterns.join(QLatin1Char(';'));
}

const QStringList& SupportedMimeTypes() {
  static const QStringList mimeTypes = Column(&AudioFormat::mimeTypes);
  return mimeTypes;
}

const QByteArrayList& SupportedDemuxers() {
  static const QByteArrayList demuxers = [] {
    const QByteArray takesAnything = "mp3";
    QByteArrayList ordered;
    for (const QString& name : Column(&AudioFormat::demuxers))
      if (name.toLatin1() != takesAnything) ordered << name.toLatin1();
    return ordered << takesAnything;
  }();
  return demuxers;
}

}  // namespace zelvo
