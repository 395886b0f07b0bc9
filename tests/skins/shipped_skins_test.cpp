#include <QFile>
#include <algorithm>
#include <cmath>
#include <QPixmap>
#include <QSet>
#include <gtest/gtest.h>

#include "base/layout.h"
#include "base/player_state.h"
#include "windows/player_window.h"
#include "platform_ui/key_release_guard.h"
#include "windows/playlist_window.h"
#include "playlist/track_list.h"
#include "recording_skin_targets.h"
#include "scripted_desktop.h"
#include "skin_folders.h"
#include "skins/skin_loader.h"
#include "test_support.h"

namespace zelvo {
namespace {

// Share of the area's pixels that differ from the plain background of their
// row, and how many colours the area holds (face, outline, symbol ...).
struct Coverage {
  double differing = 0;
  int colours = 0;
};

Coverage CoverageOf(const QImage& shot, const QRect& area, int backgroundColumn) {
  int differing = 0;
  QSet<QRgb> colours;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      colours.insert(shot.pixel(x, y));
      if (shot.pixel(x, y) != shot.pixel(backgroundColumn, y)) ++differing;
    }
  return {double(differing) / (area.width() * area.height()), int(colours.size())};
}

// Contrast ratio of two colours as the web accessibility guidelines define it.
double Luminance(const QColor& colour) {
  auto channel = [](double value) {
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}
double Contrast(const QColor& a, const QColor& b) {
  const double first = Luminance(a);
  const double second = Luminance(b);
  return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

struct LoadedSkin {
  test::RecordingSkinTargets targets;
  test::ScriptedDesktop desktop;
};

void Load(const QString& name, LoadedSkin& skin) {
  PlayerState state;
  SkinLoader(skin.targets, state, skin.desktop).LoadSkin(test::ShippedSkin(name));
}

TEST(ShippedSkins, AtLeastThreeCompleteSkinsWithTheirInformation) {
  const QStringList names = test::ShippedSkinNames();
  ASSERT_GE(names.size(), 3);
  for (const QString& name : names) {
    SCOPED_TRACE(name.toStdString());
    for (const char* file : {"htexture.zsk", "vtexture.zsk", "coltrack.zsk", "collength.zsk", "subbuttons.zsk",
                             "player.zsk", "skincolor.zsk", "Skininfo.zsk"})
      EXPECT_TRUE(QFile::exists(test::ShippedSkin(name) + "/" + file)) << file;
    const QString info = QString::fromUtf8(test::ReadBytes(test::ShippedSkin(name) + "/Skininfo.zsk"));
    EXPECT_TRUE(info.startsWith(name));
    EXPECT_TRUE(info.contains("Zelvo team"));
    LoadedSkin skin;
    Load(name, skin);
    EXPECT_TRUE(skin.desktop.messages.isEmpty());
    EXPECT_EQ(skin.targets.applied.size(), 12);
    EXPECT_EQ(skin.targets.pictures["SkinPicture1"].size(), QSize(640, 26));
    EXPECT_EQ(skin.targets.pictures["PlaylistButtons"].size(), QSize(319, 25));
  }
}

class ShippedSkinOnWindows : public ::testing::TestWithParam<QString> {
 protected:
  void SetUp() override {
    Load(GetParam(), skin_);
    ASSERT_TRUE(skin_.desktop.messages.isEmpty());
  }
  LoadedSkin skin_;
  Twips twips_;
  KeyReleaseGuard keys_;
};

TEST_P(ShippedSkinOnWindows, EveryButtonOfTheBarSitsOnButtonArt) {
  PlayerWindow player(twips_, keys_);
  player.SetGeometryTwips(0, 0, layout::kPlayerWidth, layout::kPlayerHeight);
  player.SetSkinPicture(QPixmap::fromImage(skin_.targets.pictures["SkinPicture1"]));
  player.PlayerDisplay()->setText(QString());
  const QImage shot = player.grab().toImage().convertToFormat(QImage::Format_RGB32);
  // The gutter between the next button and the display is plain bar.
  const int background = twips_.ToPixelsX(
      (layout::kMakeNextTrack.x() + layout::kMakeNextTrack.width() + layout::kPlayerDisplay.x()) / 2);
  const QRect picture = player.SkinPicture()->geometry();
  for (HotSpot* button : {player.MakeBackTrack(), player.MakePlay(), player.MakeStop(), player.MakeNextTrack(),
                          player.PlayerDisplay(), player.MakePlayDrop(), player.MakeOptionsDrop(),
                          player.MakeVolumeDrop(), player.MakeClose()}) {
    SCOPED_TRACE(button->objectName().toStdString());
    const Coverage coverage = CoverageOf(shot, button->geometry() & picture, background);
    EXPECT_GE(coverage.differing, 0.6);
    // The display well is one plain colour inside its rim; buttons carry a symbol.
    EXPECT_GE(coverage.colours, button == player.PlayerDisplay() ? 2 : 3);
  }
}

TEST_P(ShippedSkinOnWindows, EveryPlaylistButtonAndColumnTitleSitsOnButtonArt) {
  TrackList tracks;
  PlaylistWindow playlist(twips_, keys_, tracks);
  playlist.SetGeometryTwips(0, 0, layout::kPlaylistWidth, 6000);
  playlist.PlaylistButtons()->setPixmap(QPixmap::fromImage(skin_.targets.pictures["PlaylistButtons"]));
  for (HotSpot* title : {playlist.ColTrack(), playlist.ColDuration()}) title->setText(QString());
  playlist.ColTrack()->setPixmap(QPixmap::fromImage(skin_.targets.pictures["ColTrack"]));
  playlist.ColDuration()->setPixmap(QPixmap::fromImage(skin_.targets.pictures["ColDuration"]));
  const QImage shot = playlist.grab().toImage().convertToFormat(QImage::Format_RGB32);

  auto inWindow = [&](QWidget* widget) { return QRect(widget->mapTo(&playlist, QPoint(0, 0)), widget->size()); };
  const int background = inWindow(playlist.MakeDelete()).left() - 1;  // the gutter after "Add"
  for (HotSpot* button : {playlist.MakeAdd(), playlist.MakeDelete(), playlist.MakeSort(), playlist.MakeLoad(),
                          playlist.MakeSave()}) {
    SCOPED_TRACE(button->objectName().toStdString());
    const Coverage coverage = CoverageOf(shot, inWindow(button), background);
    EXPECT_GE(coverage.differing, 0.6);
    EXPECT_GE(coverage.colours, 3);
  }
  const QRect list = inWindow(playlist.PlayViewList());
  for (HotSpot* title : {playlist.ColTrack(), playlist.ColDuration()}) {
    SCOPED_TRACE(title->objectName().toStdString());
    const QRect area = inWindow(title) & shot.rect();
    EXPECT_GE(CoverageOf(shot, area, area.left()).colours, 3);  // a face with a caption on it
    // Each title stands over the list, clear of the frame on either side.
    EXPECT_GE(area.left(), list.left());
    EXPECT_LE(area.right(), list.right());
  }
  EXPECT_EQ(inWindow(playlist.ColTrack()).right() + 1, inWindow(playlist.ColDuration()).left());
}

TEST_P(ShippedSkinOnWindows, EveryPixelOfTheBarIsTheSkinsAndItsCaptionReadsOnEitherGround) {
  PlayerWindow player(twips_, keys_);
  player.SetGeometryTwips(0, 0, layout::kPlayerWidth, layout::kPlayerHeight);
  const QImage picture = skin_.targets.pictures["SkinPicture1"].convertToFormat(QImage::Format_RGB32);
  player.SetSkinPicture(QPixmap::fromImage(picture));
  player.PlayerDisplay()->setText(QString());
  const QColor progress = skin_.targets.colours["StripProgress"];
  player.SetProgressColour(progress);
  player.SetTrackProgressWidth(layout::kPlayerDisplay.width() / 2);
  const QImage shot = player.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shot.size(), picture.size());
  const QRect fill = twips_.ToPixels(QRect(layout::kTrackProgress.topLeft(), QSize(layout::kPlayerDisplay.width() / 2,
                                                                                   layout::kTrackProgress.height())));
  int foreign = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x)
      if (!fill.contains(x, y) && shot.pixel(x, y) != picture.pixel(x, y)) ++foreign;
  EXPECT_EQ(foreign, 0);
  EXPECT_EQ(QColor(shot.pixel(fill.center())), progress);

  // The caption stands on the progress fill on the left and on the well on the right.
  const QColor text = skin_.targets.colours["DisplayFore"];
  const QRect display = twips_.ToPixels(layout::kPlayerDisplay);
  const QColor well = picture.pixel(display.right() - 4, display.center().y());
  EXPECT_GE(Contrast(text, progress), 4.5) << text.name().toStdString() << " on " << progress.name().toStdString();
  EXPECT_GE(Contrast(text, well), 4.5) << text.name().toStdString() << " on " << well.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(EachSkin, ShippedSkinOnWindows, ::testing::ValuesIn(test::ShippedSkinNames()),
                         [](const auto& info) { return info.param.toStdString(); });

}  // namespace
}  // namespace zelvo
