#include "windows/credits_window.h"

#include <QFile>
#include <QFrame>
#include <QImageReader>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "base/log.h"
#include "platform/regular_file.h"
#include "platform_ui/hot_spot.h"

namespace zelvo {
namespace {

const char* const kPageTexts[] = {
    "Zelvo MP3/WMA Audio Player.",
    "For All 32Bit Windows Versions.",
    "Zelvo, its skins and its help are the work and property of the Zelvo team.",
    "You may use Zelvo free of charge, at home and at work, on as many computers as you like.",
    "You may give Zelvo to others, complete and unchanged, but you may not sell it, "
    "bundle it for sale or pass it off as your own.",
    "Zelvo comes as it is, without warranty of any kind; use it at your own risk.",
    "Made with care by the Zelvo team. Support: support@zelvo.example.org",
};

}  // namespace

CreditsWindow::CreditsWindow(const QString& appFolder, std::function<void()> raisePlaylist,
                             std::function<void()> openWebSite)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint),
      appFolder_(appFolder),
      raisePlaylist_(std::move(raisePlaylist)) {
  setObjectName(QStringLiteral("Credits"));
  setWindowTitle(QStringLiteral("Zelvo Credits Page"));

  auto* layout = new QVBoxLayout(this);
  image1_ = new HotSpot(twips_, this);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->setAlignment(Qt::AlignCenter);
  image1_->setCursor(Qt::PointingHandCursor);
  image1_->setToolTip(QStringLiteral("zelvo.example.org"));
  connect(image1_, &HotSpot::Clicked, this, [openWebSite = std::move(openWebSite)] { openWebSite(); });
  layout->addWidget(image1_);

  auto* kewlBar = new QLabel(QStringLiteral("Thank you for listening with Zelvo"), this);
  kewlBar->setObjectName(QStringLiteral("KewlBar"));
  QFont small(QStringLiteral("Small Fonts"));
  small.setPointSize(7);
  kewlBar->setFont(small);
  kewlBar->setAlignment(Qt::AlignCenter);
  layout->addWidget(kewlBar);

  auto* textBorder = new QFrame(this);
  textBorder->setObjectName(QStringLiteral("TextBorder"));
  textBorder->setFrameShape(QFrame::StyledPanel);
  auto* texts = new QVBoxLayout(textBorder);
  for (const char* text : kPageTexts) {
    auto* line = new QLabel(QString::fromUtf8(text), textBorder);
    line->setObjectName(QStringLiteral("PageInfomation"));
    line->setWordWrap(true);
    texts->addWidget(line);
  }
  layout->addWidget(textBorder);
  setFixedWidth(400);
}

void CreditsWindow::Present() {
  if (!isVisible()) Open();
  show();
  raise();
  activateWindow();
}

void CreditsWindow::Open() {
  // The picture decides the window's size, so it comes first; the window
  // then takes the size its lines need and stands in the middle of the screen.
  LoadPicture();
  adjustSize();
  const QRect screen = (this->screen() ? this->screen() : QGuiApplication::primaryScreen())->availableGeometry();
  move(screen.center() - QPoint(width() / 2, height() / 2));
  raisePlaylist_();
}

void CreditsWindow::LoadPicture() {
  // A missing or unreadable picture leaves the window without one; the credits still open.
  QFile file(appFolder_ + QStringLiteral("/credits.dat"));
  if (std::optional<QString> refused = OpenRegularFile(file)) {
    qCWarning(lcEffects) << "credits picture not read" << file.fileName() << *refused;
    image1_->setPixmap(QPixmap());
    return;
  }
  QImageReader reader(&file);
  reader.setDecideFormatFromContent(true);
  image1_->setPixmap(QPixmap::fromImage(reader.read()));
}

}  // namespace zelvo
