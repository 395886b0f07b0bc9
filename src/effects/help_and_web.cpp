#include "effects/help_and_web.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>

#include "base/boxes.h"
#include "base/log.h"
#include "base/player_state.h"
#include "platform/desktop.h"
#include "storage/rtf_text.h"

namespace zelvo {

HelpAndWeb::HelpAndWeb(Desktop& desktop, PlayerState& state, const QString& appFolder,
                       std::function<void()> showPlaylist)
    : desktop_(desktop), state_(state), appFolder_(appFolder), showPlaylist_(std::move(showPlaylist)) {}

HelpAndWeb::~HelpAndWeb() = default;

void HelpAndWeb::TellCannotStart(const QString& program, const QString& target) {
  // A box without a title or icon of its own, as the player always told this.
  desktop_.ShowMessage(QStringLiteral("Cant find %1, you may manually visit %2").arg(program, target), QString(),
                       MessageIcon::None, MessageButtons::Ok);
}

void HelpAndWeb::OpenHelp() {
  const QString helpFile = appFolder_ + QStringLiteral("/readme.rtf");
  // Only a regular file is handed on: a FIFO or a device there would hang or
  // flood whatever program opened it.
  if (!QFileInfo(helpFile).isFile()) {
    qCWarning(lcEffects) << "help file missing or not a regular file:" << helpFile;
  } else if (desktop_.OpenWithDefaultApp(helpFile)) {
    return;
  } else {
    qCWarning(lcEffects) << "no program opened" << helpFile;
    if (ShowHelpWindow(helpFile)) return;
  }
  DialogOpenScope open(state_);
  TellCannotStart(QStringLiteral("a program for RTF files"), helpFile);
}

bool HelpAndWeb::ShowHelpWindow(const QString& helpFile) {
  QFile file(helpFile);
  if (!file.open(QIODevice::ReadOnly)) {
    qCWarning(lcEffects) << "cannot read the help file" << helpFile << ":" << file.errorString();
    return false;
  }
  if (!helpWindow_) {
    helpWindow_ = std::make_unique<QTextBrowser>();
    helpWindow_->setWindowTitle(QStringLiteral("Zelvo Help"));
    helpWindow_->resize(640, 720);
  }
  helpWindow_->setPlainText(RtfToPlainText(file.readAll()));
  helpWindow_->show();
  helpWindow_->raise();
  helpWindow_->activateWindow();
  return true;
}

void HelpAndWeb::OpenWebSite() {
  DialogOpenScope open(state_);
  if (!desktop_.OpenWithDefaultApp(kWebSiteAddress)) {
    qCWarning(lcEffects) << "no program opened" << kWebSiteAddress;
    // The browser is named as the player always named it, whichever one is missing.
    TellCannotStart(QStringLiteral("IExplore.exe"), kWebSiteAddress);
  }
  showPlaylist_();
}

}  // namespace zelvo
