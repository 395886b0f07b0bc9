#include "platform_ui/qt_desktop.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QAbstractItemView>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <algorithm>

#include "base/log.h"
#include "platform/lossy_names.h"
#include "platform/path_bytes.h"
#include "platform_ui/message_fit.h"
#include "platform_ui/translucency.h"

namespace zelvo {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

// Qt's own dialog opens a folder that is confirmed; this one, asked to, gives
// it back as the answer instead. Double-clicking a folder still opens it.
class FolderAcceptingDialog : public QFileDialog {
 public:
  FolderAcceptingDialog(const QString& title, const QString& folder, bool foldersToo)
      : QFileDialog(nullptr, title, folder), foldersToo_(foldersToo) {}

  void accept() override {
    if (acceptMode() == AcceptOpen) {
      const QStringList chosen = foldersToo_ ? Chosen() : selectedFiles();
      if (TakenAsIs(chosen)) {
        answer_ = chosen;
        QDialog::accept();
        return;
      }
    }
    QFileDialog::accept();
  }

  QStringList Answer() const { return answer_.isEmpty() ? selectedFiles() : answer_; }

 protected:
  void showEvent(QShowEvent* event) override {
    QFileDialog::showEvent(event);
    if (auto* nameEdit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
      connect(nameEdit, &QLineEdit::textChanged, this, &FolderAcceptingDialog::AllowLossyNames, Qt::UniqueConnection);
  }

 private:
  // What this dialog answers with itself: folders, when asked for, and names
  // with U+FFFD for bytes that are no UTF-8 (Qt's own list leaves such files
  // out, but a name pasted from a listing holds them). Qt's checks would call
  // those missing, as they look for the U+FFFD; they are checked by their bytes.
  bool TakenAsIs(const QStringList& chosen) const {
    QStringList onDisk;
    for (const QString& path : chosen) onDisk << RecoverLossyPath(path);
    const bool folders = AnyFolder(onDisk);
    return !chosen.isEmpty() && AllExist(onDisk) && ((foldersToo_ && folders) || (onDisk != chosen && !folders));
  }

  // Qt greys out Open for such names on each edit; this runs after it.
  void AllowLossyNames() {
    const auto* buttons = findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    QPushButton* open = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
    if (open && !open->isEnabled() && acceptMode() == AcceptOpen && TakenAsIs(selectedFiles())) open->setEnabled(true);
  }

  // What the name box holds, or else the entries marked in the file view
  // (Qt leaves folders marked there out of the name box).
  QStringList Chosen() const {
    const auto* nameEdit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (nameEdit && !nameEdit->text().trimmed().isEmpty()) return selectedFiles();
    QStringList marked;
    for (const char* viewName : {"listView", "treeView"}) {
      const auto* view = findChild<QAbstractItemView*>(QLatin1String(viewName));
      if (!view || !view->isVisible() || !view->selectionModel()) continue;
      for (const QModelIndex& index : view->selectionModel()->selectedRows())
        marked << index.data(QFileSystemModel::FilePathRole).toString();
    }
    return marked;
  }
  static bool AllExist(const QStringList& paths) {
    return std::all_of(paths.begin(), paths.end(),
                       [](const QString& p) { return KindOfPath(p) != PathKind::Missing; });
  }
  static bool AnyFolder(const QStringList& paths) {
    return std::any_of(paths.begin(), paths.end(),
                       [](const QString& p) { return KindOfPath(p) == PathKind::Folder; });
  }

  QStringList answer_;
  bool foldersToo_;
};

// Qt cannot enter a folder whose name is no UTF-8: the dialog opens in the
// nearest folder above it that it can.
QString FolderQtCanOpen(QString folder) {
  while (HoldsForeignBytes(folder)) folder = QFileInfo(folder).path();
  return folder;
}

FolderAcceptingDialog* MakeDialog(const FileDialogRequest& request) {
  auto* dialog =
      new FolderAcceptingDialog(request.title, FolderQtCanOpen(request.initialFolder), request.foldersToo);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setWindowFlag(Qt::WindowStaysOnTopHint);
  // The type list shows each label as the player words it; the patterns
  // behind a label are matched but not shown, or the fifteen of "All
  // Supported Audio" would stretch the list past the dialog's edge.
  dialog->setOption(QFileDialog::HideNameFilterDetails);
  const QStringList filters = QtNameFilters(request.filter);
  dialog->setNameFilters(filters);
  dialog->setDefaultSuffix(request.defaultSuffix);
  if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
    dialog->selectNameFilter(filters[request.filterIndex - 1]);
  return dialog;
}

// Whether the desktop names a program for the file's type. Without xdg-mime
// the question cannot be asked, and the answer is yes.
bool HasProgramFor(const QString& path) {
  const QString type = QMimeDatabase().mimeTypeForFile(path).name();
  QProcess query;
  query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type});
  if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit) return true;
  return !query.readAllStandardOutput().trimmed().isEmpty();
}

// The dialog's answer with the bytes of each name Qt could not read as text.
QString OnDisk(const QString& shown) {
  QString problem;
  const QString path = RecoverLossyPath(shown, &problem);
  if (!problem.isEmpty()) qCWarning(lcApp) << "The name the dialog gave cannot be told on disk:" << shown << problem;
  return path;
}

double DotsPerInchX() { return QGuiApplication::primaryScreen()->logicalDotsPerInchX(); }
double DotsPerInchY() { return QGuiApplication::primaryScreen()->logicalDotsPerInchY(); }

}  // namespace

QStringList QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
  }
  return filters;
}

MessageAnswer QtDesktop::ShowMessage(const QString& text, const QString& title, MessageIcon icon,
                                     MessageButtons buttons) {
  // The player's texts break their lines with a carriage return alone.
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QMessageBox box(ToQtIcon(icon), title.isEmpty() ? QStringLiteral("Zelvo") : title, shown,
                  buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
  // Texts hold paths and skin authors' words, never markup: "<b>" and "&amp;" show as typed.
  box.setTextFormat(Qt::PlainText);
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  FitMessageToScreen(box);
  const int answer = box.exec();
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

std::optional<QStringList> QtDesktop::AskOpenFiles(const FileDialogRequest& request) {
  std::unique_ptr<FolderAcceptingDialog> dialog(MakeDialog(request));
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setFileMode(request.multiSelect ? QFileDialog::ExistingFiles
                                          : (request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
  if (dialog->exec() != QDialog::Accepted || dialog->Answer().isEmpty()) return std::nullopt;
  QStringList chosen;
  for (const QString& shown : dialog->Answer()) chosen << OnDisk(shown);
  return chosen;
}

std::optional<QString> QtDesktop::AskSaveFile(const FileDialogRequest& request) {
  std::unique_ptr<QFileDialog> dialog(MakeDialog(request));
  dialog->setAcceptMode(QFileDialog::AcceptSave);
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
  return OnDisk(dialog->selectedFiles().constFirst());
}

void QtDesktop::Beep() { QApplication::beep(); }

bool QtDesktop::OpenWithDefaultApp(const QString& pathOrUrl) {
  const QUrl url = pathOrUrl.contains(QStringLiteral("://")) ? QUrl(pathOrUrl) : QUrl::fromLocalFile(pathOrUrl);
  // xdg-open starts whether or not any program takes the file, and fails
  // later where nobody sees it; ask first whether one does.
  if (url.isLocalFile() && !HasProgramFor(url.toLocalFile())) return false;
  return QDesktopServices::openUrl(url);
}

QPoint QtDesktop::CursorPos() { return QCursor::pos(); }

QSizeF QtDesktop::ScreenSizeTwips() {
  const QSize pixels = QGuiApplication::primaryScreen()->size();
  return QSizeF(pixels.width() * TwipsPerPixelX(), pixels.height() * TwipsPerPixelY());
}

double QtDesktop::TwipsPerPixelX() { return 1440.0 / DotsPerInchX(); }
double QtDesktop::TwipsPerPixelY() { return 1440.0 / DotsPerInchY(); }

double QtDesktop::ScreenLeftTwips() {
  return QGuiApplication::primaryScreen()->geometry().left() * TwipsPerPixelX();
}

double QtDesktop::ScreenTopTwips() {
  return QGuiApplication::primaryScreen()->availableGeometry().top() * TwipsPerPixelY();
}

bool QtDesktop::TranslucentWindowsPossible() { return zelvo::TranslucentWindowsPossible(); }

}  // namespace zelvo
