#pragma once

#include <QString>
#include <functional>
#include <memory>

class QTextBrowser;

namespace zelvo {

class Desktop;
struct PlayerState;

// Zelvo's home on the web.
inline const QString kWebSiteAddress = QStringLiteral("https://zelvo.example.org/");

// The help entry and the web link: both hand a document to another program
// and tell the user where to find it by hand when no program starts. The
// player keeps running either way.
class HelpAndWeb {
 public:
  ~HelpAndWeb();
  // `showPlaylist` brings the playlist window back after the web link.
  HelpAndWeb(Desktop& desktop, PlayerState& state, const QString& appFolder, std::function<void()> showPlaylist);

  // "&Help (Readme.rtf)": the help file in the desktop's RTF reader, or,
  // where there is none, its text in a read-only window of Zelvo's own.
  void OpenHelp();
  // The web-link entry and a click on the credits picture: the site in the browser.
  void OpenWebSite();

 private:
  void TellCannotStart(const QString& program, const QString& target);
  bool ShowHelpWindow(const QString& helpFile);

  Desktop& desktop_;
  PlayerState& state_;
  const QString appFolder_;
  std::function<void()> showPlaylist_;
  std::unique_ptr<QTextBrowser> helpWindow_;  // made on first use
};

}  // namespace zelvo
