#include "windows/player_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTextDocument>
#include <QToolTip>

#include "base/layout.h"
#include "base/log.h"
#include "base/player_state.h"
#include "platform_ui/key_release_guard.h"
#include "platform_ui/plain_buttons.h"

namespace zelvo {
namespace {

const QColor kBuiltInProgress(0x1d, 0x4e, 0x89);

// Room between the pointer and a tip beside it, for the pointer's arrow.
constexpr double kTipBesidePointer = 240;

// The tip QToolTip shows right now, if any.
QWidget* ShownTooltip() {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->objectName() == QLatin1String("qtooltip_label") && window->isVisible()) return window;
  return nullptr;
}

// The skin's picture as it is, also while the bar is disabled during a slide:
// a plain label draws its picture greyed then, and the whole bar flashed grey.
class UnfadedPicture : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent*) override { QPainter(this).drawPixmap(0, 0, pixmap()); }
};

}  // namespace

PlayerWindow::PlayerWindow(const Twips& twips, KeyReleaseGuard& keys)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      twips_(twips),
      keys_(keys),
      trackProgressWidth_(layout::kProgressEmpty),
      volumeBarWidth_(layout::kVolumeBarFull) {
  setWindowTitle(QStringLiteral("Zelvo"));
  setObjectName(QStringLiteral("Player"));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  // Qt shows tooltips in the active window only, and a track started from the
  // list leaves the playlist window active: the bar's tooltips went silent.
  setAttribute(Qt::WA_AlwaysShowToolTips);

  skinPicture_ = new UnfadedPicture(this);
  skinPicture_->setObjectName(QStringLiteral("SkinPicture1"));
  skinPicture_->setAttribute(Qt::WA_TransparentForMouseEvents);
  skinPicture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  trackProgress_ = new QFrame(this);
  trackProgress_->setObjectName(QStringLiteral("TrackProgress"));
  trackProgress_->setAutoFillBackground(true);
  trackProgress_->setAttribute(Qt::WA_TransparentForMouseEvents);

  volumeShape_ = new QFrame(this);
  volumeShape_->setObjectName(QStringLiteral("VolumeShape"));
  volumeShape_->setAutoFillBackground(true);
  volumeShape_->setAttribute(Qt::WA_TransparentForMouseEvents);
  volumeShape_->hide();

  makeBackTrack_ = AddHotSpot(layout::kMakeBackTrack, "Previous Track (Key <)");
  makePlay_ = AddHotSpot(layout::kMakePlay, "Play Music Now (Shift P)");
  makeStop_ = AddHotSpot(layout::kMakeStop, "Stop Music Now (Shift S)");
  makeNextTrack_ = AddHotSpot(layout::kMakeNextTrack, "Play Next Track (Key >)");
  playerDisplay_ = AddHotSpot(layout::kPlayerDisplay, "Track Name and Progress (Cursor Keys)");
  playerDisplay_->setAlignment(Qt::AlignCenter);
  // Track names are shown as they are: "<b>Live</b>" is no markup.
  playerDisplay_->setTextFormat(Qt::PlainText);
  playerDisplay_->setText(kIdleTitle);
  playerDisplay_->installEventFilter(this);
  makePlayDrop_ = AddHotSpot(layout::kMakePlayDrop, "Open Drop Down Playlist (Shift D)");
  makeOptionsDrop_ = AddHotSpot(layout::kMakeOptionsDrop, "Zelvo Options (Shift O)");
  makeVolumeDrop_ = AddHotSpot(layout::kMakeVolumeDrop, "Zelvo Volume (Shift V)");
  makeClose_ = AddHotSpot(layout::kMakeClose, "Close Zelvo (Shift C)");
  const std::pair<HotSpot*, const char*> names[] = {
      {makeBackTrack_, "MakeBackTrack"}, {makePlay_, "MakePlay"},         {makeStop_, "MakeStop"},
      {makeNextTrack_, "MakeNextTrack"}, {playerDisplay_, "PlayerDisplay"}, {makePlayDrop_, "MakePlayDrop"},
      {makeOptionsDrop_, "MakeOptionsDrop"}, {makeVolumeDrop_, "MakeVolumeDrop"}, {makeClose_, "MakeClose"}};
  for (const auto& [spot, name] : names) spot->setObjectName(QString::fromLatin1(name));

  // Until a skin says otherwise: light text on a fill dark enough to read it on.
  SetDisplayColour(QColor(0x9c, 0xe0, 0xff));
  SetProgressColour(kBuiltInProgress);
  QPalette volume = volumeShape_->palette();
  volume.setColor(QPalette::Window, QColor(0x3a, 0x8e, 0xc8));
  volumeShape_->setPalette(volume);
  SetGeometryTwips(0, 0, layout::kPlayerWidth, layout::kPlayerHeight);
}

HotSpot* PlayerWindow::AddHotSpot(const QRect& twipsRect, const QString& tooltip) {
  auto* spot = new HotSpot(twips_, this);
  spot->setToolTip(tooltip);
  spot->setGeometry(twips_.ToPixels(twipsRect));
  return spot;
}

void PlayerWindow::SetGeometryTwips(double left, double top, double width, double height) {
  geometryTwips_ = QRectF(left, top, width, height);
  setGeometry(twips_.ToPixelsX(left), twips_.ToPixelsY(top), twips_.ToPixelsX(width), twips_.ToPixelsY(height));
  PlaceChildren();
}

QRectF PlayerWindow::GeometryTwips() const { return geometryTwips_; }

void PlayerWindow::PlaceChildren() {
  // The skin picture covers the whole bar from its top-left corner: every
  // pixel of the bar is the skin's.
  skinPicture_->setGeometry(0, 0, twips_.ToPixelsX(geometryTwips_.width()), twips_.ToPixelsY(geometryTwips_.height()));
  skinPicture_->setPixmap(skin_.isNull() ? BuiltInFace() : skin_);
  SetTrackProgressWidth(trackProgressWidth_);
  SetVolumeBarWidth(volumeBarWidth_);
}

void PlayerWindow::SetProgressDimmed(bool dimmed) {
  QPalette bars = trackProgress_->palette();
  QColor fill = bars.color(QPalette::Window);
  fill.setAlpha(dimmed ? 96 : 255);
  bars.setColor(QPalette::Window, fill);
  trackProgress_->setPalette(bars);
}

void PlayerWindow::SetTrackProgressWidth(double twips) {
  trackProgressWidth_ = twips;
  QRect bar = layout::kTrackProgress;
  bar.setWidth(static_cast<int>(std::max(0.0, twips)));
  trackProgress_->setGeometry(twips_.ToPixels(bar));
  trackProgress_->lower();
  skinPicture_->lower();
}

void PlayerWindow::SetVolumeBarWidth(double twips) {
  volumeBarWidth_ = twips;
  QRect bar = layout::kVolumeShape;
  bar.setWidth(static_cast<int>(std::max(0.0, twips)));
  volumeShape_->setGeometry(twips_.ToPixels(bar));
}

void PlayerWindow::SetVolumeBarVisible(bool visible) { volumeShape_->setVisible(visible); }
bool PlayerWindow::VolumeBarVisible() const { return volumeShape_->isVisibleTo(this); }

void PlayerWindow::SetSkinPicture(const QPixmap& picture) {
  skin_ = picture;
  PlaceChildren();
}

void PlayerWindow::SetDisplayColour(const QColor& colour) {
  QPalette palette = playerDisplay_->palette();
  palette.setColor(QPalette::WindowText, colour);
  playerDisplay_->setPalette(palette);
}

void PlayerWindow::SetProgressColour(const QColor& colour) {
  QPalette palette = trackProgress_->palette();
  palette.setColor(QPalette::Window, colour);
  trackProgress_->setPalette(palette);
}

QPixmap PlayerWindow::BuiltInFace() const {
  return PlainButtons(twips_, QSize(layout::kPlayerWidth, layout::kPlayerHeight),
                      {{layout::kMakeBackTrack, "|<"},
                       {layout::kMakePlay, "Play"},
                       {layout::kMakeStop, "Stop"},
                       {layout::kMakeNextTrack, ">|"},
                       {layout::kPlayerDisplay, ""},
                       {layout::kMakePlayDrop, "v"},
                       {layout::kMakeOptionsDrop, "Options"},
                       {layout::kMakeVolumeDrop, "Volume"},
                       {layout::kMakeClose, "X"}});
}

bool PlayerWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != playerDisplay_ || event->type() != QEvent::ToolTip || playerDisplay_->toolTip().isEmpty())
    return QWidget::eventFilter(watched, event);
  ShowDisplayTooltip(static_cast<QHelpEvent*>(event)->globalPos());
  return true;
}

// The display's tip (the whole track name) lies on the bar beside the
// pointer: beneath the pointer, where tips go, it covered the column titles
// of the list hanging under the bar.
void PlayerWindow::ShowDisplayTooltip(const QPoint& pointer) {
  // A tip that looks like markup would be drawn as such: it is shown escaped.
  QString text = playerDisplay_->toolTip();
  if (Qt::mightBeRichText(text)) text = QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped());
  QToolTip::showText(pointer, text, playerDisplay_, playerDisplay_->rect());
  QWidget* tip = ShownTooltip();
  if (!tip) {
    qCWarning(lcApp) << "The display's tooltip was not found; it stays where Qt put it";
    return;
  }
  const int gap = twips_.ToPixelsX(kTipBesidePointer);
  const QRect area = screen()->geometry();
  int left = pointer.x() + gap;
  if (left + tip->width() > area.right()) left = std::max(area.left(), pointer.x() - gap - tip->width());
  tip->move(left, mapToGlobal(QPoint(0, 0)).y());
}

void PlayerWindow::closeEvent(QCloseEvent* event) {
  // Closing the bar by any means quits the player; QuitPlayer ends the
  // process itself once everything is saved.
  event->ignore();
  emit CloseRequested();
}

void PlayerWindow::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat() || !keys_.TakeRelease(event->key(), this)) return;
  emit KeyReleased(event->key(), PlayerShiftState(event->modifiers()));
}

void PlayerWindow::mouseMoveEvent(QMouseEvent*) { emit BareMouseMoved(); }

}  // namespace zelvo
