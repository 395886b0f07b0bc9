#include "playback/audio_formats.h"

namespace zelvo {

const QStringList& SupportedAudioExtensions() {
  static const QStringList extensions = {
      QStringLiteral("mp3"), QStringLiteral("wma"),  QStringLiteral("flac"), QStringLiteral("ogg"),
      QStringLiteral("oga"), QStringLiteral("opus"), QStringLiteral("m4a"),  QStringLiteral("m4b"),
      QStringLiteral("wav"), QStringLiteral("aif"),  QStringLiteral("aiff"), QStringLiteral("aifc"),
      QStringLiteral("wv"),  QStringLiteral("ape"),  QStringLiteral("mpc"),
  };
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

}  // namespace zelvo
