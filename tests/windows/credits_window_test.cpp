#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "windows/credits_window.h"
#include "platform_ui/hot_spot.h"
#include "test_support.h"

namespace zelvo {
namespace {

class CreditsWindowTest : public ::testing::Test {
 protected:
  QLabel* Picture() const { return credits_.findChild<QLabel*>("Image1"); }

  int raised_ = 0;
  int webVisits_ = 0;
  CreditsWindow credits_{ZELVO_APP_DIR, [this] { ++raised_; }, [this] { ++webVisits_; }};
};

TEST_F(CreditsWindowTest, OpensWithItsCaptionPictureAndNoticesAndRaisesThePlaylist) {
  credits_.Present();
  ASSERT_TRUE(test::WaitFor([&] { return credits_.isVisible(); }));
  EXPECT_EQ(credits_.windowTitle(), "Zelvo Credits Page");
  const QImage picture(ZELVO_APP_DIR "/credits.dat");
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(Picture()->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
            picture.convertToFormat(QImage::Format_RGB32));
  const QList<QLabel*> lines = credits_.findChildren<QLabel*>("PageInfomation");
  ASSERT_GE(lines.size(), 5);
  EXPECT_EQ(lines[0]->text(), "Zelvo MP3/WMA Audio Player.");
  EXPECT_EQ(lines[1]->text(), "For All 32Bit Windows Versions.");
  EXPECT_EQ(raised_, 1);
}

TEST_F(CreditsWindowTest, FirstOpeningFitsThePictureAndEveryLineAndStandsInTheMiddle) {
  credits_.Present();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&credits_, 5000));
  // Every line and the picture lie whole inside the window, one under the other.
  QList<QWidget*> parts{Picture()};
  for (QLabel* line : credits_.findChildren<QLabel*>("PageInfomation")) parts << line;
  int bottom = -1;
  for (QWidget* part : parts) {
    SCOPED_TRACE(part->objectName().toStdString());
    const QRect place(part->mapTo(&credits_, QPoint(0, 0)), part->size());
    EXPECT_TRUE(credits_.rect().contains(place));
    EXPECT_GE(part->height(), part->heightForWidth(part->width()) > 0 ? part->heightForWidth(part->width())
                                                                      : part->sizeHint().height());
    EXPECT_GT(place.top(), bottom);
    bottom = place.bottom();
  }
  EXPECT_GE(Picture()->height(), Picture()->pixmap().height());
  const QPoint middle = credits_.screen()->availableGeometry().center();
  EXPECT_LE((credits_.geometry().center() - middle).manhattanLength(), 4);
}

TEST_F(CreditsWindowTest, RaisesThePlaylistOnEveryOpeningButNotWhenBroughtUpAgain) {
  credits_.Present();
  credits_.Present();
  EXPECT_EQ(raised_, 1);
  credits_.close();
  credits_.Present();
  EXPECT_EQ(raised_, 2);
}

TEST_F(CreditsWindowTest, ClickOnThePictureVisitsTheWebSite) {
  credits_.Present();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&credits_, 5000));
  QTest::mouseClick(Picture(), Qt::LeftButton);
  EXPECT_EQ(webVisits_, 1);
}

TEST(CreditsWindow, OpensWithoutAPictureWhenTheFileIsMissingOrAFifo) {
  QTemporaryDir folder;
  int raised = 0;
  CreditsWindow credits(folder.path(), [&] { ++raised; }, [] {});
  credits.Present();
  EXPECT_TRUE(credits.isVisible());
  EXPECT_TRUE(credits.findChild<QLabel*>("Image1")->pixmap().isNull());
  EXPECT_EQ(raised, 1);
  credits.close();
  ASSERT_EQ(::mkfifo(QFile::encodeName(folder.filePath("credits.dat")).constData(), 0600), 0);
  credits.Present();  // would wait for a writer for ever
  EXPECT_TRUE(credits.findChild<QLabel*>("Image1")->pixmap().isNull());
}

}  // namespace
}  // namespace zelvo
