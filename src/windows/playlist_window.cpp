#include "windows/playlist_window.h"

#include <QKeyEvent>

#include "base/layout.h"
#include "platform_ui/key_release_guard.h"
#include "platform_ui/plain_buttons.h"
#include "platform_ui/taskbar_entry.h"
#include "playlist/track_list.h"

namespace zelvo {

PlaylistWindow::PlaylistWindow(const Twips& twips, KeyReleaseGuard& keys, TrackList& tracks)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      twips_(twips),
      keys_(keys) {
  setWindowTitle(QStringLiteral("Zelvo Playlist"));
  setObjectName(QStringLiteral("Playlist"));
  // Not by a click: the buttons are labels that take no focus, and a click on
  // one would otherwise hand the focus from the list to the window, where
  // Delete erases nothing.
  setFocusPolicy(Qt::TabFocus);
  setAttribute(Qt::WA_AlwaysShowToolTips);  // also while the bar is the active window

  auto picture = [this](const char* name) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setScaledContents(false);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
  };
  hTexture_ = picture("hTexture");
  vTexture_[0] = picture("vTexture0");
  vTexture_[1] = picture("vTexture1");

  colTrack_ = new HotSpot(twips_, this);
  colTrack_->setObjectName(QStringLiteral("ColTrack"));
  colTrack_->setToolTip(QStringLiteral("Sort By Name (Shift N)"));
  colDuration_ = new HotSpot(twips_, this);
  colDuration_->setObjectName(QStringLiteral("ColDuration"));
  colDuration_->setToolTip(QStringLiteral("Sort By Duration (Shift U)"));

  list_ = new TrackListView(twips_, keys_, this);
  list_->setModel(&tracks.Model());
  list_->setSelectionModel(&tracks.Selection());
  // After a sort the cursor row stays in sight wherever it went.
  connect(&tracks.Model(), &QAbstractItemModel::layoutChanged, list_,
          [this] { list_->scrollTo(list_->currentIndex()); });

  buttonBar_ = new QWidget(this);
  buttonBar_->setObjectName(QStringLiteral("ListButtonFrame"));
  playlistButtons_ = new QLabel(buttonBar_);
  playlistButtons_->setObjectName(QStringLiteral("PlaylistButtons"));
  playlistButtons_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  makeAdd_ = AddButton(layout::kMakeAdd, "Add Songs To Playlist (Shift A)", "MakeAdd");
  makeDelete_ = AddButton(layout::kMakeDelete, "Delete Tracks From Playlist (Key Del)", "MakeDelete");
  makeSort_ = AddButton(layout::kMakeSort, "Sort Playlist (Shift R)", "MakeSort");
  makeLoad_ = AddButton(layout::kMakeLoad, "Load Playlist (Shift L)", "MakeLoad");
  makeSave_ = AddButton(layout::kMakeSave, "Save Playlist (Shift E)", "MakeSave");

  SetListColours(QColor(0xd8, 0xdc, 0xe4), QColor(0x18, 0x1b, 0x21));
  SetGeometryTwips(0, layout::kPlayerHeight, layout::kPlaylistWidth, 6000);
  ShowBuiltInLook();
}

HotSpot* PlaylistWindow::AddButton(const QRect& twipsRect, const QString& tooltip, const char* name) {
  auto* spot = new HotSpot(twips_, buttonBar_);
  spot->setObjectName(QString::fromLatin1(name));
  spot->setToolTip(tooltip);
  spot->setGeometry(twips_.ToPixels(twipsRect));
  return spot;
}

QRectF PlaylistWindow::ButtonBarTwips() const {
  return QRectF(0, geometryTwips_.height() - layout::kButtonBarHeight, geometryTwips_.width(),
                layout::kButtonBarHeight);
}

QRectF PlaylistWindow::ListTwips() const {
  const double height = geometryTwips_.height() - layout::kButtonBarHeight - layout::kHTextureHeight -
                        layout::kColumnTitleHeight;
  return QRectF(layout::kVTextureWidth, layout::kListTop, geometryTwips_.width() - 2 * layout::kVTextureWidth,
                std::max(0.0, height));
}

void PlaylistWindow::SetGeometryTwips(double left, double top, double width, double height) {
  geometryTwips_ = QRectF(left, top, width, height);
  setGeometry(twips_.ToPixelsX(left), twips_.ToPixelsY(top), twips_.ToPixelsX(width), twips_.ToPixelsY(height));
  PlaceChildren();
}

void PlaylistWindow::PlaceChildren() {
  const double width = geometryTwips_.width();
  const QRectF list = ListTwips();
  auto place = [this](QWidget* widget, double left, double top, double w, double h) {
    widget->setGeometry(twips_.ToPixels(QRectF(left, top, w, h).toRect()));
  };
  place(hTexture_, 0, 0, width, layout::kHTextureHeight);
  place(vTexture_[0], 0, 0, layout::kVTextureWidth, layout::kVTextureHeight);
  place(vTexture_[1], width - layout::kVTextureWidth, 0, layout::kVTextureWidth, layout::kVTextureHeight);
  // Each title stands over its column: the duration title starts where the
  // duration column starts and ends with the list, short of the frame.
  const double durationLeft = list.left() + list.width() / 5 * 4;
  const double trackWidth = std::min<double>(layout::kColumnTitleWidth, durationLeft - list.left());
  place(colTrack_, list.left(), layout::kColumnTitleTop, trackWidth, layout::kColumnTitleHeight);
  place(colDuration_, durationLeft, layout::kColumnTitleTop, list.right() - durationLeft, layout::kColumnTitleHeight);
  place(list_, list.left(), list.top(), list.width(), list.height());
  list_->SetColumnWidthsTwips(list.width());
  const QRectF bar = ButtonBarTwips();
  place(buttonBar_, bar.left(), bar.top(), bar.width(), bar.height());
  place(playlistButtons_, 0, 0, bar.width(), bar.height());
  colTrack_->raise();
  colDuration_->raise();
}

void PlaylistWindow::ShowBuiltInLook() {
  // Until a skin is loaded, every button's area is drawn plainly.
  playlistButtons_->setPixmap(PlainButtons(twips_, QSize(layout::kPlaylistWidth, layout::kButtonBarHeight),
                                           {{layout::kMakeAdd, "Add"},
                                            {layout::kMakeDelete, "Delete"},
                                            {layout::kMakeSort, "Sort"},
                                            {layout::kMakeLoad, "Load"},
                                            {layout::kMakeSave, "Save"}}));
  colTrack_->setText(QStringLiteral(" Track Name"));
  colDuration_->setText(QStringLiteral(" Duration"));
  QPalette frame = palette();
  frame.setColor(QPalette::Window, QColor(0x20, 0x24, 0x2c));
  frame.setColor(QPalette::WindowText, QColor(0xb0, 0xb8, 0xc8));
  setPalette(frame);
  setAutoFillBackground(true);
}

void PlaylistWindow::SetListColours(const QColor& text, const QColor& background) {
  QPalette palette = list_->palette();
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::Base, background);
  palette.setColor(QPalette::AlternateBase, background);
  // The scroll bars in the skin's colours too: the system's light grey stood
  // out on dark skins. The handle lies between the text and the background.
  const auto mix = [&](double share) {
    return QColor::fromRgbF(text.redF() * share + background.redF() * (1 - share),
                            text.greenF() * share + background.greenF() * (1 - share),
                            text.blueF() * share + background.blueF() * (1 - share));
  };
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::ButtonText, text);
  palette.setColor(QPalette::Button, mix(0.3));
  palette.setColor(QPalette::Light, mix(0.45));
  palette.setColor(QPalette::Midlight, mix(0.38));
  palette.setColor(QPalette::Mid, mix(0.2));
  palette.setColor(QPalette::Dark, mix(0.12));
  palette.setColor(QPalette::Shadow, mix(0.05));
  list_->setPalette(palette);
}

void PlaylistWindow::GiveKeysToList() {
  if (!isVisible()) return;
  activateWindow();
  if (focusWidget() != list_ && !list_->isAncestorOf(focusWidget())) list_->setFocus(Qt::OtherFocusReason);
}

void PlaylistWindow::keyReleaseEvent(QKeyEvent* event) {
  if (event->isAutoRepeat() || !keys_.TakeRelease(event->key(), this)) return;
  emit KeyReleased(event->key(), PlayerShiftState(event->modifiers()));
}

void PlaylistWindow::showEvent(QShowEvent* event) {
  // Before the window manager sees the window again: the bar is the player's
  // one entry in the taskbar and Alt+Tab.
  KeepOutOfTaskbar(*this);
  QWidget::showEvent(event);
}

}  // namespace zelvo
