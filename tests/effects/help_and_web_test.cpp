#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/player_state.h"
#include "effects/help_and_web.h"
#include "scripted_desktop.h"
#include "test_support.h"

namespace zelvo {
namespace {

// Notes whether the player counted itself as busy with a box or launch.
class WatchingDesktop : public test::ScriptedDesktop {
 public:
  explicit WatchingDesktop(const PlayerState& state) : state_(state) {}
  bool OpenWithDefaultApp(const QString& pathOrUrl) override {
    dialogOpenAtLaunch.append(state_.DialogOpen);
    return ScriptedDesktop::OpenWithDefaultApp(pathOrUrl);
  }
  MessageAnswer ShowMessage(const QString& text, const QString& title, MessageIcon icon,
                            MessageButtons buttons) override {
    dialogOpenDuringBox.append(state_.DialogOpen);
    events.append("box");
    return ScriptedDesktop::ShowMessage(text, title, icon, buttons);
  }
  QList<bool> dialogOpenAtLaunch;
  QList<bool> dialogOpenDuringBox;
  QStringList events;

 private:
  const PlayerState& state_;
};

class HelpAndWebTest : public ::testing::Test {
 protected:
  void SetUp() override { test::WriteBytes(helpFile_, "{\\rtf1 help}"); }

  QTemporaryDir folder_;
  const QString helpFile_ = folder_.filePath("readme.rtf");
  PlayerState state_;
  WatchingDesktop desktop_{state_};
  HelpAndWeb help_{desktop_, state_, folder_.path(), [this] { desktop_.events.append("playlist shown"); }};
};

TEST_F(HelpAndWebTest, HelpOpensTheHelpFileWithTheDesktopsRtfReaderOnlyWhenItIsARegularFile) {
  help_.OpenHelp();
  EXPECT_EQ(desktop_.opened, QStringList{helpFile_});
  EXPECT_TRUE(desktop_.messages.isEmpty());
  EXPECT_FALSE(state_.DialogOpen);
  // A FIFO in its place would hang the reader: it is told as missing.
  ASSERT_TRUE(QFile::remove(helpFile_));
  ASSERT_EQ(::mkfifo(QFile::encodeName(helpFile_).constData(), 0600), 0);
  help_.OpenHelp();
  EXPECT_EQ(desktop_.opened.size(), 1);
  EXPECT_EQ(desktop_.messages.size(), 1);
}

TEST_F(HelpAndWebTest, HelpThatCannotBeOpenedSaysWhereTheFileIs) {
  desktop_.launchesSucceed = false;
  ASSERT_TRUE(QFile::remove(helpFile_));  // nothing for the help window to show either
  help_.OpenHelp();
  ASSERT_EQ(desktop_.messages.size(), 1);
  EXPECT_EQ(desktop_.messages[0].text, "Cant find a program for RTF files, you may manually visit " + helpFile_);
  EXPECT_EQ(desktop_.messages[0].title, "");
  EXPECT_EQ(desktop_.messages[0].icon, MessageIcon::None);
  EXPECT_EQ(desktop_.messages[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(desktop_.dialogOpenDuringBox, QList<bool>{true});
  EXPECT_FALSE(state_.DialogOpen);
}

TEST(HelpWithoutRtfReader, ShowsTheHelpTextInAReadOnlyWindow) {
  PlayerState state;
  test::ScriptedDesktop desktop;
  desktop.launchesSucceed = false;
  HelpAndWeb help(desktop, state, QStringLiteral(ZELVO_APP_DIR), [] {});
  help.OpenHelp();
  EXPECT_TRUE(desktop.messages.isEmpty());
  QTextBrowser* window = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->windowTitle() == "Zelvo Help" && widget->isVisible()) window = qobject_cast<QTextBrowser*>(widget);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isReadOnly());
  const QString text = window->toPlainText();
  EXPECT_TRUE(text.startsWith("Zelvo Help\nZelvo MP3/WMA Audio Player - how to use it\n")) << text.left(200).toStdString();
  EXPECT_TRUE(text.contains("\u2022\tDrag and drop: drop files or folders")) << text.toStdString();
  EXPECT_TRUE(text.contains("M3U and PLS playlists"));
  EXPECT_FALSE(text.contains("DejaVu")) << "the font table is no text";
}

TEST_F(HelpAndWebTest, WebLinkOpensTheSiteAndShowsThePlaylist) {
  help_.OpenWebSite();
  EXPECT_EQ(desktop_.opened, QStringList{"https://zelvo.example.org/"});
  EXPECT_EQ(desktop_.dialogOpenAtLaunch, QList<bool>{true});
  EXPECT_EQ(desktop_.events, QStringList{"playlist shown"});
  EXPECT_FALSE(state_.DialogOpen);
}

TEST_F(HelpAndWebTest, WebLinkWithoutABrowserGivesTheAddressAndStillShowsThePlaylist) {
  desktop_.launchesSucceed = false;
  help_.OpenWebSite();
  ASSERT_EQ(desktop_.messages.size(), 1);
  EXPECT_EQ(desktop_.messages[0].text, "Cant find IExplore.exe, you may manually visit https://zelvo.example.org/");
  EXPECT_EQ(desktop_.messages[0].title, "");
  EXPECT_EQ(desktop_.messages[0].icon, MessageIcon::None);
  EXPECT_EQ(desktop_.events, QStringList({"box", "playlist shown"}));
  EXPECT_FALSE(state_.DialogOpen);
}

TEST(HelpFile, IsAWellFormedRtfPageBesideTheProgram) {
  const QByteArray rtf = test::ReadBytes(ZELVO_APP_DIR "/readme.rtf");
  ASSERT_TRUE(rtf.startsWith("{\\rtf1"));
  int depth = 0;
  for (qsizetype i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') ++i;  // an escaped brace is text
    else if (rtf[i] == '{') ++depth;
    else if (rtf[i] == '}') --depth;
    ASSERT_GE(depth, 0) << "at byte " << i;
  }
  EXPECT_EQ(depth, 0);
  for (const char* topic : {"Play modes", "Fuzzy Logic", "Brilliant", "Shift+A", "AutoSave.zpl", "config.zcf"})
    EXPECT_TRUE(rtf.contains(topic)) << topic;
}

}  // namespace
}  // namespace zelvo
