#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>

#include "app/mpris.h"
#include "app/player.h"
#include "app/single_instance.h"
#include "base/app_folders.h"
#include "platform/qt_desktop.h"
#include "platform/quit_signals.h"
#include "platform/windowing_choice.h"
#include "playback/ffmpeg_decoder.h"

int main(int argc, char** argv) {
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
  const QStringList arguments = zelvo::AbsoluteArguments(QCoreApplication::arguments().mid(1));
  zelvo::SingleInstance instance(folders.dataFolder);
  if (instance.HandOverOrListen(arguments)) return 0;

  zelvo::QtDesktop desktop;
  // The player ends the process itself once its files are written: nothing
  // after that may run or ask to cancel.
  zelvo::Player player(desktop, zelvo::CreateSystemDecoder(), folders, [] { std::_Exit(0); });
  zelvo::QuitSignals quitSignals;
  QObject::connect(&quitSignals, &zelvo::QuitSignals::QuitRequested, &player, &zelvo::Player::QuitPlayer);
  if (!player.Start()) return 1;
  zelvo::Mpris mpris(player.playback(), player.tracks(), player.decoder(), [&player] { player.RaiseBar(); },
                     [&player] { player.QuitPlayer(); });
  QObject::connect(&player, &zelvo::Player::SoundSettingsChanged, &mpris, &zelvo::Mpris::AnnounceChanges);
  mpris.Register();
  QObject::connect(&instance, &zelvo::SingleInstance::ArgumentsReceived, &player, &zelvo::Player::OpenArguments);
  if (!arguments.isEmpty()) player.OpenArguments(arguments);
  return app.exec();
}
