#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QTest>

#include "player_rig.h"
#include "skins/skin_colour.h"
#include "storage/field_reader.h"
#include "storage/settings_file.h"
#include "test_support.h"

namespace zelvo::test {
namespace {

// A pointer move as the window system delivers it.
void MoveOver(QWidget* widget, QPoint at = {2, 1}) {
  QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

class AutoHideTest : public ::testing::Test {
 protected:
  void SetUp() override {
    rig.desktop.cursorPos = QPoint(10, 700);  // beside both windows
    ASSERT_TRUE(player.Start());
  }
  PlayerRig rig;
  Player& player = rig.Make();
  WindowMotion& motion = player.motion();
};

TEST_F(AutoHideTest, ThePointerAwayTucksTheBarIntoTheStripAndAMoveOverItBringsItBack) {
  motion.AutomationTick();
  ASSERT_TRUE(rig.WaitForStillWindows());
  EXPECT_FALSE(player.playerWindow().isVisible());
  EXPECT_FALSE(player.playlistWindow().isVisible());
  StripWindow& strip = player.stripWindow();
  ASSERT_TRUE(strip.isVisible());
  EXPECT_EQ(strip.windowTitle(), "Zelvo Strip");
  EXPECT_TRUE(strip.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(strip.geometry(), QRect(440, 0, 400, 2));  // 6000 x 30 twips, centred on the top edge

  MoveOver(&strip);
  EXPECT_FALSE(strip.isVisible());
  ASSERT_TRUE(rig.WaitForStillWindows());
  EXPECT_TRUE(player.playerWindow().isVisible());
  EXPECT_EQ(player.playerWindow().geometry(), QRect(320, 0, 640, 26));
  EXPECT_EQ(motion.State(), WindowState::Collapsed);
}

TEST_F(AutoHideTest, TheStripDrawsTheProgressLineInTheSkinsStripColours) {
  // The fourth and fifth fields of the first skin's colour file.
  FieldReader fields(QString::fromLatin1(ReadBytes(rig.File("skins/Aurora/skincolor.zsk"))));
  std::optional<QColor> colours[5];
  for (auto& colour : colours) colour = ColourFromField(fields.Next().value_or(QStringView()).toString());
  ASSERT_TRUE(colours[3] && colours[4]);

  motion.AutomationTick();
  ASSERT_TRUE(rig.WaitForStillWindows());
  const QImage strip = player.stripWindow().grab().toImage();
  EXPECT_EQ(strip.pixelColor(0, 1), *colours[3]);  // a stopped player's line: its first pixel
  EXPECT_EQ(strip.pixelColor(300, 1), *colours[4]);
}

TEST_F(AutoHideTest, AnOpenDialogOrMenuKeepsTheBarWhereItIs) {
  {
    DialogOpenScope open(player.state());
    motion.AutomationTick();
  }
  EXPECT_EQ(motion.State(), WindowState::Dropped);
  for (QMenu* menu : {player.options().OptionsMenu(), player.options().VolumeMenu(), player.options().SortMenu(),
                      player.options().DeleteMenu(), player.options().TrackMenu()}) {
    menu->popup(QPoint(900, 900));
    motion.AutomationTick();
    menu->hide();
    EXPECT_EQ(motion.State(), WindowState::Dropped) << menu->title().toStdString();
  }
}

TEST_F(AutoHideTest, MovesOverTheBarTheButtonsAndTheListPostponeTheTick) {
  PlayerWindow& bar = player.playerWindow();
  for (QWidget* over : {static_cast<QWidget*>(&bar), static_cast<QWidget*>(bar.MakePlay()),
                        static_cast<QWidget*>(bar.PlayerDisplay()), static_cast<QWidget*>(bar.MakeClose()),
                        player.playlistWindow().PlayViewList()->viewport()}) {
    QTest::qWait(150);
    MoveOver(over);
    EXPECT_GT(player.automation().remainingTime(), 900) << over->objectName().toStdString();
  }
}

TEST_F(AutoHideTest, TheDisplaysTooltipLiesOnTheBarBesideThePointerClearOfTheColumnTitles) {
  HotSpot* display = player.playerWindow().PlayerDisplay();
  display->setToolTip("<b>Live</b> at the Roxy");  // a name, not markup
  const QPoint pointer = display->mapToGlobal(QPoint(40, display->height() / 2));
  QHelpEvent rest(QEvent::ToolTip, display->mapFromGlobal(pointer), pointer);
  QApplication::sendEvent(display, &rest);
  QWidget* tip = nullptr;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->objectName() == "qtooltip_label" && window->isVisible()) tip = window;
  ASSERT_NE(tip, nullptr);
  const PlaylistWindow& list = player.playlistWindow();
  const QRect titles(list.mapToGlobal(QPoint(0, 0)), QSize(list.width(), list.PlayViewList()->y()));
  EXPECT_FALSE(tip->geometry().intersects(titles));
  EXPECT_FALSE(tip->geometry().contains(pointer));  // under the pointer it would take the pointer's moves
  EXPECT_EQ(tip->y(), player.playerWindow().y());
  EXPECT_TRUE(qobject_cast<QLabel*>(tip)->text().contains("&lt;b&gt;Live&lt;/b&gt; at the Roxy"));
  EXPECT_EQ(display->textFormat(), Qt::PlainText);
}

TEST_F(AutoHideTest, APanelOnTheTopEdgePutsTheBarTheListAndTheStripBelowIt) {
  PlayerRig panel;
  panel.desktop.screenTopTwips = 450;
  panel.desktop.cursorPos = QPoint(10, 700);
  Player& lowered = panel.Make();
  lowered.options().SetChecked(Entry::AniEffects, false);
  ASSERT_TRUE(lowered.Start());
  EXPECT_EQ(lowered.playerWindow().GeometryTwips(), QRectF(4800, 450, 9600, 390));
  EXPECT_EQ(lowered.playlistWindow().GeometryTwips().top(), 840);
  lowered.motion().AutomationTick();
  EXPECT_EQ(lowered.stripWindow().geometry(), QRect(440, 30, 400, 2));
  MoveOver(&lowered.stripWindow());
  EXPECT_EQ(lowered.playerWindow().GeometryTwips().top(), 450);
}

TEST_F(AutoHideTest, ATranslucencyLevelReachesTheStripOnlyOnceItIsPicked) {
  Settings settings;
  settings.flags.insert("Trans100", true);
  PlayerRig ticked;
  ASSERT_TRUE(WriteSettingsFile(ticked.File("config.zcf"), settings));
  Player& translucent = ticked.Make();
  ASSERT_TRUE(translucent.Start());
  EXPECT_TRUE(translucent.options().IsChecked(Entry::Trans100));
  EXPECT_EQ(translucent.stripWindow().windowOpacity(), 1.0);  // the tick alone applies nothing

  translucent.options().Action(Entry::Trans150)->trigger();
  for (QWidget* window : {static_cast<QWidget*>(&translucent.playerWindow()),
                          static_cast<QWidget*>(&translucent.playlistWindow()),
                          static_cast<QWidget*>(&translucent.stripWindow())})
    EXPECT_NEAR(window->windowOpacity(), 150 / 255.0, 0.01) << window->windowTitle().toStdString();
}

TEST_F(AutoHideTest, WithoutTranslucentWindowsAPickedLevelChangesNothing) {
  PlayerRig opaque;
  opaque.desktop.translucentWindows = false;
  Player& plain = opaque.Make();
  ASSERT_TRUE(plain.Start());
  plain.options().Action(Entry::Trans100)->trigger();
  EXPECT_EQ(plain.stripWindow().windowOpacity(), 1.0);
  EXPECT_FALSE(plain.options().TransparencyMenu()->menuAction()->isVisible());
}

}  // namespace
}  // namespace zelvo::test
