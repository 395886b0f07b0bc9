#pragma once

#include "platform/desktop.h"

namespace zelvo {

// The desktop of a real session, through Qt. Dialogs are Qt's own rather than
// the platform's, so they look and behave the same on every desktop.
class QtDesktop : public Desktop {
 public:
  MessageAnswer ShowMessage(const QString& text, const QString& title, MessageIcon icon,
                            MessageButtons buttons) override;
  std::optional<QStringList> AskOpenFiles(const FileDialogRequest& request) override;
  std::optional<QString> AskSaveFile(const FileDialogRequest& request) override;
  void Beep() override;
  bool OpenWithDefaultApp(const QString& pathOrUrl) override;
  QPoint CursorPos() override;
  QSizeF ScreenSizeTwips() override;
  double ScreenLeftTwips() override;
  double ScreenTopTwips() override;
  double TwipsPerPixelX() override;
  double TwipsPerPixelY() override;
  bool TranslucentWindowsPossible() override;
};

// "Label|*.a;*.b|Other|*.c" as Qt's dialogs take it: "Label (*.a *.b)". The
// label is kept whole, also where it names its patterns itself.
QStringList QtNameFilters(const QString& filter);

}  // namespace zelvo
