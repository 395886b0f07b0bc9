#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>

#include "desktop/command_line.h"
#include "desktop/mpris.h"
#include "app/player.h"
#include "desktop/single_instance.h"
#include "base/app_folders.h"
#include "platform_ui/qt_desktop.h"
#include "platform/path_bytes.h"
#include "platform/quit_signals.h"
#include "platform_ui/windowing_choice.h"
#include "playback/ffmpeg_decoder.h"

int main(int argc, char** argv) {
  // --help and --version answer without a desktop and without a running Zelvo.
  const QStringList rawArguments = zelvo::ArgumentsFromBytes(argc, argv);
  if (const std::optional<QString> information = zelvo::InformationAsked(rawArguments)) {
    std::fputs(information->toLocal8Bit().constData(), stdout);
    return 0;
  }
  if (const std::optional<QString> method = zelvo::RemoteCommand(rawArguments)) {
    QCoreApplication remote(argc, argv);
    return zelvo::SendRemoteCommand(*method) ? 0 : 1;
  }
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    std::fputs("Zelvo needs a graphical desktop, and none was found (DISPLAY is not set).\n", stderr);
    return 1;
  }
  const zelvo::WindowingChoice windowing = zelvo::ChooseWindowing(zelvo::CurrentSession());
  if (!windowing.qtPlatform.isEmpty()) qputenv("QT_QPA_PLATFORM", windowing.qtPlatform);
  if (!windowing.notice.isEmpty()) std::fprintf(stderr, "%s\n", qPrintable(windowing.notice));
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zelvo"));
  QApplication::setQuitOnLastWindowClosed(false);

  // A Zelvo already running on these files takes the arguments instead.
  const zelvo::AppFolders folders =
      zelvo::AppFolders::Locate(QCoreApplication::applicationDirPath(), ZELVO_INSTALLED_DATA);
  QStringList problems;
  // QApplication has taken its own options out of argv; what is left are ours.
  const QStringList arguments = zelvo::UsableArguments(zelvo::ArgumentsFromBytes(argc, argv), &problems);
  for (const QString& problem : problems) std::fprintf(stderr, "%s\n", zelvo::PathBytes(problem).constData());
  zelvo::SingleInstance instance(folders.dataFolder);
  if (instance.HandOverOrListen(arguments)) return 0;

  zelvo::QtDesktop desktop;
  // The player ends the process itself once its files are written: nothing
  // after that may run or ask to cancel.
  zelvo::Player player(desktop, zelvo::CreateSystemDecoder(), folders, [&instance] {
    instance.Release();
    std::_Exit(0);
  });
  zelvo::QuitSignals quitSignals;
  QObject::connect(&quitSignals, &zelvo::QuitSignals::QuitRequested, &player, &zelvo::Player::QuitPlayer);
  if (!player.Start()) return 1;
  zelvo::Mpris mpris(player.playback(), player.tracks(), player.decoder(), [&player] { player.RaiseBar(); },
                     [&player] { player.QuitPlayer(); },
                     [&player](const QStringList& paths) { player.OpenArguments(paths); });
  QObject::connect(&player, &zelvo::Player::SoundSettingsChanged, &mpris, &zelvo::Mpris::AnnounceChanges);
  mpris.Register();
  QObject::connect(&instance, &zelvo::SingleInstance::ArgumentsReceived, &player, &zelvo::Player::OpenArguments);
  if (!arguments.isEmpty()) player.OpenArguments(arguments);
  return app.exec();
}
