#pragma once

#include <QPoint>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>

namespace zelvo {

enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// What an open or save dialog is asked to show. The filter is written the way
// the player's texts give it: "Label|*.a;*.b|Other|*.c", pairs joined by "|".
struct FileDialogRequest {
  QString title;
  QString initialFolder;
  QString filter;
  int filterIndex = 1;          // 1-based entry preselected
  bool multiSelect = false;     // open only
  bool mustExist = false;       // open only
  bool foldersToo = false;      // open only: a folder typed or chosen and confirmed is returned
  bool overwritePrompt = false; // save only
  QString defaultSuffix;        // save only: added to a name typed without an extension
};

// The operating system as the player sees it: every box, dialog, beep,
// program launch, cursor query, screen fact and OS fact goes through here, so
// that tests can answer them and check exactly what was asked.
class Desktop {
 public:
  virtual ~Desktop() = default;

  // Modal box; returns the button pressed. An empty title means the
  // application's own name, as boxes without a title of their own show.
  virtual MessageAnswer ShowMessage(const QString& text, const QString& title, MessageIcon icon,
                                    MessageButtons buttons) = 0;

  // Modal open dialog; the chosen full paths in the dialog's order, or
  // nothing when the user cancels.
  virtual std::optional<QStringList> AskOpenFiles(const FileDialogRequest& request) = 0;
  // Modal save dialog; the chosen full path, or nothing on cancel.
  virtual std::optional<QString> AskSaveFile(const FileDialogRequest& request) = 0;

  virtual void Beep() = 0;

  // Opens a document or address with the desktop's default application,
  // without waiting. False when nothing could be started.
  virtual bool OpenWithDefaultApp(const QString& pathOrUrl) = 0;

  // Mouse cursor position on the screen, in pixels.
  virtual QPoint CursorPos() = 0;
  // Size of the primary screen in twips.
  virtual QSizeF ScreenSizeTwips() = 0;
  // Left edge of the primary screen on the desktop in twips: 0 unless another
  // monitor lies left of it.
  virtual double ScreenLeftTwips() = 0;
  // Top of the primary screen's free area in twips: below a panel that holds
  // the top edge, else the screen's top.
  virtual double ScreenTopTwips() = 0;
  // Twips per pixel of the primary screen (1440 / logical DPI).
  virtual double TwipsPerPixelX() = 0;
  virtual double TwipsPerPixelY() = 0;

  // Whether windows can be drawn translucent here (a compositing desktop).
  virtual bool TranslucentWindowsPossible() = 0;
};

}  // namespace zelvo
