#include "windows/window_views.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QThread>
#include <QWindow>

#include "base/layout.h"
#include "windows/player_window.h"
#include "windows/strip_window.h"
#include "windows/playlist_window.h"

namespace zelvo {

WindowViews::WindowViews(PlayerWindow& player, PlaylistWindow& playlist, StripWindow& strip)
    : player_(player),
      playlist_(playlist),
      strip_(strip),
      stripLine_(0x3a, 0x8e, 0xc8),
      stripBack_(0x20, 0x24, 0x2c),
      listText_(playlist.PlayViewList()->palette().color(QPalette::Text)),
      listBack_(playlist.PlayViewList()->palette().color(QPalette::Base)) {}

void WindowViews::SetDisplayCaption(const QString& text) { player_.PlayerDisplay()->setText(text); }
void WindowViews::SetDisplayTooltip(const QString& text) { player_.PlayerDisplay()->setToolTip(text); }

void WindowViews::SetDisplayAlignment(DisplayAlignment alignment) {
  player_.PlayerDisplay()->setAlignment(alignment == DisplayAlignment::Left ? Qt::AlignLeft | Qt::AlignVCenter
                                                                             : Qt::AlignCenter);
}

int WindowViews::DisplayWidth() const { return layout::kPlayerDisplay.width(); }
void WindowViews::SetTrackProgressWidth(int twips) { player_.SetTrackProgressWidth(twips); }

void WindowViews::SetPausedLook(bool paused) { player_.SetProgressDimmed(paused); }
void WindowViews::SetStripProgress(int x2Twips) { strip_.SetProgress(x2Twips); }
int WindowViews::StripWidth() const { return layout::kStripWidth; }
void WindowViews::HidePlaylist() { playlist_.hide(); }
void WindowViews::ShowPlaylist() { playlist_.show(); }

void WindowViews::SetPlaylistBusyCursor(bool busy) {
  if (busy)
    playlist_.setCursor(Qt::WaitCursor);
  else
    playlist_.unsetCursor();
}

void WindowViews::SetPlayerEnabled(bool enabled) { player_.setEnabled(enabled); }
void WindowViews::LetEventsRun() { QCoreApplication::processEvents(); }

void WindowViews::DrawNow() {
  constexpr int kLongestWaitMs = 500;
  constexpr auto kOnlyDrawing = QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers;
  const auto onScreen = [](const QWidget& window) {
    return window.windowHandle() != nullptr && window.windowHandle()->isExposed();
  };
  QElapsedTimer waited;
  waited.start();
  while (!(onScreen(player_) && onScreen(playlist_)) && waited.elapsed() < kLongestWaitMs) {
    QCoreApplication::processEvents(kOnlyDrawing);
    QThread::msleep(2);
  }
  player_.repaint();
  playlist_.repaint();
}

void WindowViews::SetHTexture(const QImage& picture) { playlist_.HTexture()->setPixmap(QPixmap::fromImage(picture)); }
void WindowViews::SetVTexture(int index, const QImage& picture) {
  playlist_.VTexture(index)->setPixmap(QPixmap::fromImage(picture));
}
void WindowViews::SetColTrack(const QImage& picture) {
  playlist_.ColTrack()->setText({});
  playlist_.ColTrack()->setPixmap(QPixmap::fromImage(picture));
}
void WindowViews::SetColDuration(const QImage& picture) {
  playlist_.ColDuration()->setText({});
  playlist_.ColDuration()->setPixmap(QPixmap::fromImage(picture));
}
void WindowViews::SetPlaylistButtons(const QImage& picture) {
  playlist_.PlaylistButtons()->setPixmap(QPixmap::fromImage(picture));
}
void WindowViews::SetSkinPicture(const QImage& picture) { player_.SetSkinPicture(QPixmap::fromImage(picture)); }
void WindowViews::SetDisplayForeColor(const QColor& colour) { player_.SetDisplayColour(colour); }

void WindowViews::SetTrackListForeColor(const QColor& colour) {
  listText_ = colour;
  playlist_.SetListColours(listText_, listBack_);
}

void WindowViews::SetTrackListBackColor(const QColor& colour) {
  listBack_ = colour;
  playlist_.SetListColours(listText_, listBack_);
}

void WindowViews::SetStripProgressColor(const QColor& colour) {
  // One progress colour for the bar's fill and the strip's line.
  player_.SetProgressColour(colour);
  stripLine_ = colour;
  strip_.SetColours(stripLine_, stripBack_);
}

void WindowViews::SetStripBackColor(const QColor& colour) {
  stripBack_ = colour;
  strip_.SetColours(stripLine_, stripBack_);
}

void WindowViews::SetPlaylistVisible(bool visible) { playlist_.setVisible(visible); }

}  // namespace zelvo
