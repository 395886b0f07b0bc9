#include "effects/help_and_web.h"

#include <QDir>

#include "base/player_state.h"
#include "platform/desktop.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace zelvo {
namespace {

#ifdef Q_OS_WIN
QString WindowsFolder() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
  return length > 0 && length <= MAX_PATH ? QString::fromWCharArray(buffer, int(length)) : QString();
}
#endif

}  // namespace

QString HelpCommandLine(const QString& windowsFolder, const QString& appFolder) {
  return windowsFolder + QStringLiteral("\\notepad.exe ") + appFolder + QStringLiteral("\\readme.rtf");
}

QString BrowserCommandLine(const QString& windowsFolder) {
  return windowsFolder.left(1) + QStringLiteral(":\\Program Files\\Internet Explorer\\IExplore.exe ") +
         kWebSiteAddress;
}

HelpAndWeb::HelpAndWeb(Desktop& desktop, PlayerState& state, const QString& appFolder,
                       std::function<void()> showPlaylist)
    : desktop_(desktop), state_(state), appFolder_(appFolder), showPlaylist_(std::move(showPlaylist)) {}

void HelpAndWeb::TellCannotStart(const QString& program, const QString& target) {
  // A box without a title or icon of its own, as the player always told this.
  desktop_.ShowMessage(QStringLiteral("Cant find %1, you may manually visit %2").arg(program, target), QString(),
                       MessageIcon::None, MessageButtons::Ok);
}

void HelpAndWeb::OpenHelp() {
#ifdef Q_OS_WIN
  const QString helpFile = QDir::toNativeSeparators(appFolder_) + QStringLiteral("\\readme.rtf");
  const bool started = desktop_.StartProgram(HelpCommandLine(WindowsFolder(), QDir::toNativeSeparators(appFolder_)));
  const QString program = QStringLiteral("notepad.exe");
#else
  const QString helpFile = appFolder_ + QStringLiteral("/readme.rtf");
  const bool started = desktop_.OpenWithDefaultApp(helpFile);
  const QString program = QStringLiteral("a program for RTF files");
#endif
  if (started) return;
  state_.DialogOpen = true;
  TellCannotStart(program, helpFile);
  state_.DialogOpen = false;
}

void HelpAndWeb::OpenWebSite() {
  state_.DialogOpen = true;
#ifdef Q_OS_WIN
  const bool started = desktop_.StartProgram(BrowserCommandLine(WindowsFolder()));
  const QString program = QStringLiteral("IExplore.exe");
#else
  const bool started = desktop_.OpenWithDefaultApp(kWebSiteAddress);
  const QString program = QStringLiteral("a web browser");
#endif
  if (!started) TellCannotStart(program, kWebSiteAddress);
  showPlaylist_();
  state_.DialogOpen = false;
}

}  // namespace zelvo
