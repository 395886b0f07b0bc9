#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/lossy_names.h"
#include "platform/path_bytes.h"
#include "platform_ui/file_drops.h"
#include "platform_ui/qt_desktop.h"
#include "playback/audio_formats.h"
#include "platform/twips.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

// Answers the next modal window of the given kind the way a user would,
// once it is up.
template <typename Window>
void WhenShown(std::function<void(Window*)> answer) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, answer] {
    if (auto* window = qobject_cast<Window*>(QApplication::activeModalWidget())) {
      poll->stop();
      poll->deleteLater();
      answer(window);
    }
  });
  poll->start(20);
}

TEST(QtDesktop, MessageBoxesShowThePlayersTextsAndReturnTheAnswer) {
  QtDesktop desktop;
  QString text, title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  WhenShown<QMessageBox>([&](QMessageBox* box) {
    text = box->text();
    title = box->windowTitle();
    icon = box->icon();
    box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(desktop.ShowMessage("First line\rSecond line", "Clear Playlist?", MessageIcon::Exclamation,
                                MessageButtons::YesNo),
            MessageAnswer::No);
  EXPECT_EQ(text, "First line\nSecond line");
  EXPECT_EQ(title, "Clear Playlist?");
  EXPECT_EQ(icon, QMessageBox::Warning);

  Qt::TextFormat format = Qt::AutoText;
  WhenShown<QMessageBox>([&](QMessageBox* box) {
    title = box->windowTitle();
    text = box->text();
    format = box->textFormat();
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(desktop.ShowMessage("<b>No title</b> of its own &amp; no markup", "", MessageIcon::Critical,
                                MessageButtons::Ok),
            MessageAnswer::Ok);
  EXPECT_EQ(title, "Zelvo");
  EXPECT_EQ(text, "<b>No title</b> of its own &amp; no markup");
  EXPECT_EQ(format, Qt::PlainText);
}

// A thousand paths and one longer than the screen is wide: the box stays on the screen, its text whole.
TEST(QtDesktop, BoxesWithLongListsFitTheScreen) {
  QStringList lines(1000, "/home/user/music/a track.mp3");
  lines << "/home/" + QString(400, 'x') + ".mp3";
  bool fits = false;
  WhenShown<QMessageBox>([&](QMessageBox* box) {
    fits = box->screen()->availableGeometry().contains(box->frameGeometry()) && box->text() == lines.join('\n');
    box->button(QMessageBox::Yes)->click();
  });
  QtDesktop desktop;
  EXPECT_EQ(desktop.ShowMessage(lines.join('\r'), "Many", MessageIcon::Exclamation, MessageButtons::YesNo),
            MessageAnswer::Yes);
  EXPECT_TRUE(fits);
}

TEST(QtDesktop, OpenDialogAnswersWithTheChosenFilesOrNothingOnCancel) {
  QTemporaryDir folder;
  WriteBytes(folder.filePath("a.mp3"), "x");
  WriteBytes(folder.filePath("b.wma"), "x");
  QtDesktop desktop;
  FileDialogRequest request;
  request.title = "Add Audio Files / Folders to Playlist";
  request.initialFolder = folder.path();
  request.filter =
      "All Compressed Audio (MP3 & WMA)|*.mp3;*.wma|MP3 Files Only (*.mp3)|*.mp3|" + AllSupportedAudioFilter();
  request.multiSelect = true;
  QStringList types;
  bool typesFit = false;
  WhenShown<QFileDialog>([&](QFileDialog* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Add Audio Files / Folders to Playlist");
    // The labels as worded, their patterns matched but left out, so the list stays inside the dialog.
    const auto* list = dialog->findChild<QComboBox*>("fileTypeCombo");
    EXPECT_EQ(list->currentIndex(), 0);
    for (int i = 0; i < list->count(); ++i) types << list->itemText(i);
    typesFit = list->sizeHint().width() < dialog->width() / 2;
    EXPECT_TRUE(dialog->nameFilters().value(2).endsWith("*.ape *.mpc)"));
    // Typed into the name field: selectFile() leaves the field alone once it
    // has the focus, which a window manager may or may not have given it yet.
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText("\"a.mp3\" \"b.wma\"");
    QMetaObject::invokeMethod(dialog, "accept");
  });
  const std::optional<QStringList> chosen = desktop.AskOpenFiles(request);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, (QStringList{folder.filePath("a.mp3"), folder.filePath("b.wma")}));
  EXPECT_EQ(types, (QStringList{"All Compressed Audio (MP3 & WMA)", "MP3 Files Only (*.mp3)", "All Supported Audio"}));
  EXPECT_TRUE(typesFit);

  WhenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_FALSE(desktop.AskOpenFiles(request).has_value());
}

// What the add dialog asks for: files and folders in folder.
FileDialogRequest FilesAndFoldersIn(const QString& folder) {
  FileDialogRequest request;
  request.initialFolder = folder;
  request.filter = "All Files (*.*)|*.*";
  request.multiSelect = true;
  request.foldersToo = true;
  return request;
}

void TypeAndConfirm(QFileDialog* dialog, const QString& text) {
  dialog->findChild<QLineEdit*>("fileNameEdit")->setText(text);
  QMetaObject::invokeMethod(dialog, "accept");
}

TEST(QtDesktop, AFolderTypedAndConfirmedIsTheAnswerWhenFoldersAreAskedFor) {
  QTemporaryDir folder;
  QDir().mkpath(folder.filePath("Album One"));
  WriteBytes(folder.filePath("Album One/a.mp3"), "x");
  QtDesktop desktop;
  FileDialogRequest request = FilesAndFoldersIn(folder.path());
  auto typeFolder = [](QFileDialog* dialog) { TypeAndConfirm(dialog, "Album One"); };
  WhenShown<QFileDialog>(typeFolder);
  EXPECT_EQ(desktop.AskOpenFiles(request), std::optional<QStringList>(QStringList{folder.filePath("Album One")}));

  // Without folders asked for, confirming a folder opens it, as Qt's dialog does.
  request.foldersToo = false;
  QString shownFolder;
  WhenShown<QFileDialog>([&](QFileDialog* dialog) {
    typeFolder(dialog);
    shownFolder = dialog->directory().absolutePath();
    dialog->reject();
  });
  EXPECT_FALSE(desktop.AskOpenFiles(request).has_value());
  EXPECT_EQ(shownFolder, folder.filePath("Album One"));
}

// Latin-1 names on disk are no UTF-8: a listing shows them with U+FFFD, and a
// file or folder pasted thus into the dialog, or dropped, comes back as its bytes. A name
// that two entries read alike as is left as shown.
TEST(QtDesktop, NamesThatAreNoUtf8ComeBackFromTheDialogAsTheirBytes) {
  QTemporaryDir folder;
  const QByteArray root = QFile::encodeName(folder.path());
  ASSERT_EQ(::mkdir((root + "/Alb\xFCm").constData(), 0755), 0);
  for (const char* name : {"/caf\xE9.mp3", "/x\xE8.mp3", "/x\xE9.mp3"})
    std::ofstream((root + name).toStdString()) << "x";
  QtDesktop desktop;
  for (const char* name : {"caf\xE9.mp3", "Alb\xFCm"}) {
    WhenShown<QFileDialog>([&](QFileDialog* dialog) {
      dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QFile::decodeName(name));  // pasted from a listing
      QPushButton* open = dialog->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Open);
      open->isEnabled() ? open->click() : dialog->reject();
    });
    const std::optional<QStringList> chosen = desktop.AskOpenFiles(FilesAndFoldersIn(folder.path()));
    ASSERT_TRUE(chosen && chosen->size() == 1) << name;
    EXPECT_EQ(PathBytes(chosen->first()), root + '/' + name);
  }
  QString problem;
  const QString alike = folder.path() + '/' + QFile::decodeName("x\xE9.mp3");  // as the dialog shows it
  EXPECT_EQ(RecoverLossyPath(alike, &problem), alike);
  EXPECT_TRUE(problem.startsWith("2 entries of")) << problem.toStdString();
  // A file manager's drop gives the bytes escaped in a URL.
  QMimeData drop;
  drop.setUrls({QUrl("file://" + QString::fromLatin1(root.toPercentEncoding("/")) + "/caf%E9.mp3")});
  EXPECT_EQ(PathBytes(LocalPathsOf(&drop).value(0)), root + "/caf\xE9.mp3");
  std::filesystem::remove_all(root.constData());  // QTemporaryDir cannot name them
}

TEST(QtDesktop, SaveDialogAddsTheDefaultExtensionToABareName) {
  QTemporaryDir folder;
  QtDesktop desktop;
  FileDialogRequest request;
  request.initialFolder = folder.path();
  request.filter = "Zelvo Playlist Files (*.zpl)|*.zpl|All Files (*.*)|*.*";
  request.defaultSuffix = "zpl";
  for (const auto& [typed, saved] : {std::pair{"mix", "mix.zpl"}, std::pair{"mix.m3u8", "mix.m3u8"}}) {
    WhenShown<QFileDialog>([typed = QString(typed)](QFileDialog* dialog) {
      dialog->findChild<QLineEdit*>("fileNameEdit")->setText(typed);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(desktop.AskSaveFile(request), std::optional<QString>(folder.filePath(saved)));
  }
}

TEST(Twips, ControlsMeetEdgeToEdgeAtEveryScale) {
  const Twips at96(15, 15);
  EXPECT_EQ(at96.ToPixels(QRect(0, 0, 9600, 390)), QRect(0, 0, 640, 26));
  // Neighbours share their edge in pixels however the division rounds.
  for (double perPixel : {15.0, 12.0, 10.0, 7.5}) {
    const Twips twips(perPixel, perPixel);
    const QRect play = twips.ToPixels(QRect(480, 0, 600, 375));
    const QRect gapToStop = twips.ToPixels(QRect(1080, 0, 20, 375));
    EXPECT_EQ(play.right() + 1, gapToStop.left()) << perPixel;
  }
}

}  // namespace
}  // namespace zelvo::test
