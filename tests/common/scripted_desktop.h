#pragma once

#include <QList>
#include <deque>
#include <functional>
#include <optional>

#include "platform/desktop.h"

namespace zelvo::test {

// A desktop that answers boxes and dialogs from queues a test fills, and
// records every request so the test can check what was asked. An empty queue
// answers like a user who cancels (or presses OK / No).
class ScriptedDesktop : public Desktop {
 public:
  struct Message {
    QString text;
    QString title;
    MessageIcon icon;
    MessageButtons buttons;
  };

  std::deque<MessageAnswer> messageAnswers;
  std::deque<std::optional<QStringList>> openAnswers;
  std::deque<std::optional<QString>> saveAnswers;

  // Runs while each box is up, as if the user or the session acted meanwhile.
  std::function<void(const Message&)> whileMessageUp;

  QList<Message> messages;
  QList<FileDialogRequest> openRequests;
  QList<FileDialogRequest> saveRequests;
  QStringList opened;           // OpenWithDefaultApp
  int beeps = 0;

  QPoint cursorPos;
  QSizeF screenTwips{19200, 14400};
  double twipsPerPixel = 15;
  double screenLeftTwips = 0;
  double screenTopTwips = 0;
  bool translucentWindows = true;
  bool launchesSucceed = true;

  MessageAnswer ShowMessage(const QString& text, const QString& title, MessageIcon icon,
                            MessageButtons buttons) override;
  std::optional<QStringList> AskOpenFiles(const FileDialogRequest& request) override;
  std::optional<QString> AskSaveFile(const FileDialogRequest& request) override;
  void Beep() override { ++beeps; }
  bool OpenWithDefaultApp(const QString& pathOrUrl) override;
  QPoint CursorPos() override { return cursorPos; }
  QSizeF ScreenSizeTwips() override { return screenTwips; }
  double ScreenLeftTwips() override { return screenLeftTwips; }
  double ScreenTopTwips() override { return screenTopTwips; }
  double TwipsPerPixelX() override { return twipsPerPixel; }
  double TwipsPerPixelY() override { return twipsPerPixel; }
  bool TranslucentWindowsPossible() override { return translucentWindows; }
};

}  // namespace zelvo::test
