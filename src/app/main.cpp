#include <QApplication>
#include <QDir>
#include <cstdio>
#include <cstdlib>

#include "app/mpris.h"
#include "app/player.h"
#include "base/app_folders.h"
#include "platform/qt_desktop.h"
#include "platform/quit_signals.h"
#include "playback/ffmpeg_decoder.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    std::fputs("Zelvo needs a graphical desktop, and none was found (DISPLAY is not set).\n", stderr);
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zelvo"));
  QApplication::setQuitOnLastWindowClosed(false);

  zelvo::QtDesktop desktop;
  // The player ends the process itself once its files are written: nothing
  // after that may run or ask to cancel.
  zelvo::Player player(desktop, zelvo::CreateSystemDecoder(),
                       zelvo::AppFolders::Locate(QCoreApplication::applicationDirPath(), ZELVO_INSTALLED_DATA),
                       [] { std::_Exit(0); });
  zelvo::QuitSignals quitSignals;
  QObject::connect(&quitSignals, &zelvo::QuitSignals::QuitRequested, &player, &zelvo::Player::QuitPlayer);
  if (!player.Start()) return 1;
  zelvo::Mpris mpris(player);
  mpris.Register();
  return app.exec();
}
