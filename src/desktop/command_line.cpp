#include "desktop/command_line.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QUrl>
#include <cstdio>

#include "desktop/single_instance.h"
#include "playback/audio_formats.h"
#include "playback/decoder.h"
#include "playback/media_probe.h"
#include "platform/path_bytes.h"
#include "storage/foreign_playlist.h"

namespace zelvo {
namespace {

bool IsPlaylist(const QString& path) {
  return ForeignPlaylistKindOf(path) != ForeignPlaylistKind::None ||
         QFileInfo(path).suffix().compare(QLatin1String("zpl"), Qt::CaseInsensitive) == 0;
}

// Why a file cannot go into the list; empty when it can.
QString FileProblem(const QString& path) {
  if (!IsReadablePath(path)) return QStringLiteral("the file cannot be read (permission denied)");
  if (IsPlaylist(path)) return {};
  if (!IsSupportedAudioFile(QFileInfo(path).fileName())) return QStringLiteral("not a kind of audio file Zelvo plays");
  try {
    ProbeMedia(path);
  } catch (const DecoderError& error) {
    return QStringLiteral("no audio Zelvo can play (%1)").arg(QString::fromUtf8(error.what()));
  }
  return {};
}

// A URL of any scheme but file: Zelvo plays files on this computer only.
bool IsRemoteUrl(const QString& argument) {
  const QUrl url(argument, QUrl::StrictMode);
  return argument.contains(QLatin1String("://")) && url.isValid() && !url.isLocalFile();
}

}  // namespace

QStringList ArgumentsFromBytes(int argc, const char* const* argv) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << PathFromBytes(argv[i]);
  return arguments;
}

QString UsageText() {
  return QStringLiteral(
      "Usage: zelvo [FILE | FOLDER | PLAYLIST]...\n"
      "A music player that sits as a thin bar on the top edge of the screen.\n"
      "\n"
      "Audio files, folders (walked for audio files) and M3U, PLS or Zelvo playlists\n"
      "named here go to the end of the playlist, and the first of them plays. When\n"
      "Zelvo is already running, it takes them instead.\n"
      "\n"
      "  --play, --pause, --play-pause, --stop, --next, --previous\n"
      "             ask the running Zelvo to do what its button does, and exit\n"
      "  --help     show this text and exit\n"
      "  --version  show the version and exit\n");
}

std::optional<QString> InformationAsked(const QStringList& arguments) {
  for (const QString& argument : arguments) {
    if (argument == QLatin1String("--")) break;
    if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) return UsageText();
    if (argument == QLatin1String("--version"))
      return QStringLiteral("Zelvo %1\n").arg(QStringLiteral(ZELVO_VERSION));
  }
  return std::nullopt;
}

std::optional<QString> RemoteCommand(const QStringList& arguments) {
  static const QList<std::pair<QString, QString>> kCommands = {
      {QStringLiteral("--play"), QStringLiteral("Play")},   {QStringLiteral("--pause"), QStringLiteral("Pause")},
      {QStringLiteral("--play-pause"), QStringLiteral("PlayPause")}, {QStringLiteral("--stop"), QStringLiteral("Stop")},
      {QStringLiteral("--next"), QStringLiteral("Next")},   {QStringLiteral("--previous"), QStringLiteral("Previous")}};
  for (const auto& [option, method] : kCommands)
    if (arguments.value(0) == option) return method;
  return std::nullopt;
}

bool SendRemoteCommand(const QString& method) {
  const QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.mpris.MediaPlayer2.zelvo"), QStringLiteral("/org/mpris/MediaPlayer2"),
      QStringLiteral("org.mpris.MediaPlayer2.Player"), method);
  const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
  if (reply.type() != QDBusMessage::ErrorMessage) return true;
  std::fprintf(stderr, "zelvo: no running Zelvo answered (%s)\n", qPrintable(reply.errorMessage()));
  return false;
}

QStringList UsableArguments(const QStringList& arguments, QStringList* problems) {
  QStringList usable;
  for (const QString& argument : arguments) {
    if (argument == QLatin1String("--")) continue;
    QString problem;
    const QString path = AbsoluteArguments({argument}).value(0);
    // Asked through the name's bytes: Qt's own checks turn a byte that is no
    // UTF-8 into U+FFFD and would call a Latin-1 name missing.
    const PathKind kind = KindOfPath(path);
    if (IsRemoteUrl(argument))
      problem = QStringLiteral("not a file on this computer (Zelvo plays local files and folders only)");
    else if (argument.startsWith(QLatin1Char('-')) && kind == PathKind::Missing)
      problem = QStringLiteral("unknown option (see zelvo --help)");
    else if (kind == PathKind::Missing)
      problem = QStringLiteral("no such file or folder");
    else if (kind != PathKind::Folder)
      problem = FileProblem(path);
    if (problem.isEmpty())
      usable << path;
    else if (problems)
      *problems << QStringLiteral("zelvo: %1: %2").arg(argument, problem);
  }
  return usable;
}

}  // namespace zelvo
