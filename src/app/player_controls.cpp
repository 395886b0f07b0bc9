#include "app/player.h"

#include <QFileInfo>
#include <QMenu>

#include "playback/apply_options.h"
#include "base/layout.h"
#include "platform/virtual_keys.h"
#include "playlist/sort_rows.h"
#include "storage/foreign_playlist.h"

// The bar's and the playlist window's controls, files arriving from outside,
// and sorting.
namespace zelvo {

// ---- the bar ----

void Player::ConnectPlayerWindow() {
  connect(&player_, &PlayerWindow::CloseRequested, this, &Player::QuitPlayer);
  connect(&player_, &PlayerWindow::KeyReleased, this,
          [this](int key, int shift) { HandleKeyCommand(VirtualKey(key), shift); });
  connect(&player_, &PlayerWindow::BareMouseMoved, &motion_, &WindowMotion::ResetHoverTimer);
  connect(player_.MakePlay(), &HotSpot::Clicked, &playback_, &Playback::PlayButton);
  connect(player_.MakeStop(), &HotSpot::Clicked, &playback_, &Playback::StopButton);
  connect(player_.MakeNextTrack(), &HotSpot::Clicked, &playback_, &Playback::NextButton);
  connect(player_.MakeBackTrack(), &HotSpot::Clicked, &playback_, &Playback::PreviousButton);
  connect(player_.MakeClose(), &HotSpot::Clicked, this, &Player::QuitPlayer);
  connect(player_.MakePlayDrop(), &HotSpot::Clicked, &motion_, &WindowMotion::TogglePlaylistDrop);
  connect(&strip_, &StripWindow::MouseMoved, &motion_, &WindowMotion::RevealPlayer);
  for (HotSpot* spot : {player_.MakePlay(), player_.MakeStop(), player_.MakeNextTrack(), player_.MakeBackTrack(),
                        player_.MakeClose(), player_.MakePlayDrop(), player_.MakeOptionsDrop()})
    connect(spot, &HotSpot::MouseMoved, &motion_, &WindowMotion::ResetHoverTimer);
  connect(player_.PlayerDisplay(), &HotSpot::MouseMoved, this, [this](int buttons, int, double x, double) {
    motion_.ResetHoverTimer();
    playback_.DragSeek(Qt::MouseButtons::fromInt(buttons == 0 ? 0 : int(Qt::LeftButton)), static_cast<int>(x));
  });
  connect(player_.PlayerDisplay(), &HotSpot::MouseReleased, this, [this](int button, int, double x, double) {
    if (button > 0) playback_.ReleaseSeek(Qt::LeftButton, static_cast<int>(x));
  });
  connect(player_.MakeOptionsDrop(), &HotSpot::MouseReleased, this, [this](int, int, double x, double y) {
    const QRect button = layout::kMakeOptionsDrop;
    PopUp(options_.OptionsMenu(), player_, button.left() + x, button.top() + y);
  });
  connect(player_.MakeVolumeDrop(), &HotSpot::MouseMoved, this,
          [this](int buttons, int, double x, double) { VolumeMoved(buttons, x); });
  connect(player_.MakeVolumeDrop(), &HotSpot::Wheeled, this, &Player::StepVolume);
  connect(player_.MakeVolumeDrop(), &HotSpot::MouseReleased, this, [this](int button, int, double x, double y) {
    const QRect spot = layout::kMakeVolumeDrop;
    if (button == 2) PopUp(options_.VolumeMenu(), player_, spot.left() + x, spot.top() + y);
  });
}

void Player::VolumeMoved(int buttons, double xTwips) {
  player_.SetVolumeBarVisible(true);
  RefreshVolumeBar();
  if (buttons != 1) return;
  // The scale ends 100 twips short of the button's right edge; the volume is
  // kept between mute and full, where the player's scale lies.
  const double scale = layout::kMakeVolumeDrop.width() - 100;
  const long volume = std::lround(1500.0 / scale * xTwips - 1500.0);
  decoder_->SetVolume(static_cast<int>(std::clamp(volume, long(kMuteVolume), 0L)));
  emit SoundSettingsChanged();
}

void Player::StepVolume(int notches) {
  // Each notch is a fifteenth of the scale; like a drag, it leaves the
  // volume menu's tick where it was.
  constexpr int kVolumeStep = -kMuteVolume / 15;
  player_.SetVolumeBarVisible(true);
  decoder_->SetVolume(std::clamp(decoder_->Volume() + notches * kVolumeStep, kMuteVolume, 0));
  RefreshVolumeBar();
  emit SoundSettingsChanged();
}

void Player::RefreshVolumeBar() {
  player_.SetVolumeBarWidth(std::clamp(VolumeBarWidth(decoder_->Volume()), 0.0, double(layout::kVolumeBarFull)));
}

void Player::PopUp(QMenu* menu, QWidget& window, double xTwips, double yTwips) {
  menu->popup(ScreenPoint(window, xTwips, yTwips));
}

QPoint Player::ScreenPoint(QWidget& window, double xTwips, double yTwips) const {
  return window.mapToGlobal(QPoint(twips_.ToPixelsX(xTwips), twips_.ToPixelsY(yTwips)));
}

// ---- the playlist window ----

void Player::ConnectPlaylistWindow() {
  TrackListView* list = playlist_.PlayViewList();
  connect(&playlist_, &PlaylistWindow::KeyReleased, this,
          [this](int key, int shift) { HandleKeyCommand(VirtualKey(key), shift); });
  connect(list, &TrackListView::KeyPressedDown, this, [this] {
    if (tracks_.Count() > 0) tracks_.SetCueIndex(tracks_.CursorPosition());
  });
  connect(list, &TrackListView::KeyReleased, this, [this](int key, int shift) {
    const int code = VirtualKey(key);
    HandleKeyCommand(code, shift);
    if (code == kVirtualKeyDelete) keeper_.EraseSelectedTracks();
    if (code == kVirtualKeyEnter) playback_.EnterPressed();
  });
  connect(list, &TrackListView::RowDoubleClicked, &playback_, &Playback::DoubleClick);
  connect(list, &TrackListView::MouseReleased, this, [this](int button, double x, double y) {
    if (tracks_.Count() == 0) return;
    tracks_.SetCueIndex(tracks_.CursorPosition());
    if (button == 2) ShowTrackMenu(x, y);
  });
  connect(list, &TrackListView::MouseMoved, &motion_, &WindowMotion::ResetHoverTimer);
  // The buttons take no focus, but a box or dialog they open hands the keys
  // to the bar when it closes: once a button's work is done, the keys go
  // back to the list, where Delete and Enter act.
  const auto thenKeysToList = [this](std::function<void()> action) {
    return [this, action] {
      action();
      playlist_.GiveKeysToList();
    };
  };
  connect(playlist_.MakeAdd(), &HotSpot::MouseReleased, this, thenKeysToList([this] { adder_.AddTracks(); }));
  connect(playlist_.MakeLoad(), &HotSpot::Clicked, this, thenKeysToList([this] { keeper_.OpenPlaylist(); }));
  connect(playlist_.MakeSave(), &HotSpot::Clicked, this, thenKeysToList([this] { keeper_.SavePlaylistAs(); }));
  connect(playlist_.ColTrack(), &HotSpot::Clicked, this, thenKeysToList([this] { SortByTitle(0); }));
  connect(playlist_.ColDuration(), &HotSpot::Clicked, this, thenKeysToList([this] { SortByTitle(1); }));
  const std::pair<HotSpot*, QMenu*> menuButtons[] = {{playlist_.MakeDelete(), options_.DeleteMenu()},
                                                     {playlist_.MakeSort(), options_.SortMenu()}};
  for (const auto& buttonAndMenu : menuButtons) {
    // Named copies: clang before 16 cannot capture structured bindings.
    HotSpot* button = buttonAndMenu.first;
    QMenu* menu = buttonAndMenu.second;
    connect(button, &HotSpot::MouseReleased, this, [this, button, menu](int, int, double x, double y) {
      const QRectF bar = playlist_.ButtonBarTwips();
      // exec() returns once the menu is closed and the chosen entry, with
      // any box it asks, is done.
      menu->exec(ScreenPoint(playlist_, bar.left() + twips_.FromPixelsX(button->x()) + x, bar.top() + y));
      playlist_.GiveKeysToList();
    });
  }
}

// ---- files from outside ----

void Player::ConnectFileDrops() {
  for (QWidget* window : {static_cast<QWidget*>(&player_), static_cast<QWidget*>(&playlist_),
                          playlist_.PlayViewList()->viewport(), static_cast<QWidget*>(&strip_)})
    drops_.Watch(*window);
  connect(&drops_, &FileDropTarget::DragEntered, this, [this](QObject* window) {
    motion_.HoldForDrag(true);
    if (window == &strip_) motion_.RevealForDrop();
  });
  connect(&drops_, &FileDropTarget::DragEnded, this, [this] { motion_.HoldForDrag(false); });
  // Queued: the file manager waits for the drop to end, not for the add.
  connect(&drops_, &FileDropTarget::PathsDropped, this, [this](const QStringList& paths) {
    if (state_.DialogOpen) return;  // an add or a box is up; the windows take nothing meanwhile
    adder_.AddPaths(paths);
  }, Qt::QueuedConnection);
}

void Player::OpenArguments(const QStringList& paths) {
  if (state_.DialogOpen) {
    // A hand-over arrives through the event loop, which also runs under a
    // box or during an add: it waits until that is over.
    QTimer::singleShot(250, this, [this, paths] { OpenArguments(paths); });
    return;
  }
  if (paths.isEmpty()) {
    RaiseBar();
    return;
  }
  const int first = tracks_.Count() + 1;
  // Runs of audio files and folders go in as one add each; playlists in between.
  QStringList audio;
  auto addAudio = [&] {
    if (!audio.isEmpty()) adder_.AddPaths(audio);
    audio.clear();
  };
  for (const QString& path : paths) {
    if (ForeignPlaylistKindOf(path) != ForeignPlaylistKind::None ||
        QFileInfo(path).suffix().compare(QLatin1String("zpl"), Qt::CaseInsensitive) == 0) {
      addAudio();
      if (keeper_.AppendPlaylistFile(path) > 0) keeper_.WriteAutosaveIfRealtime();
    } else {
      audio << path;
    }
  }
  addAudio();
  if (!tracks_.Has(first)) return;
  tracks_.SelectOnly(first);
  playlist_.PlayViewList()->scrollTo(tracks_.Model().index(first - 1, 0));
  tracks_.SetCurrentIndex(first);
  playback_.PlayTrack();
}

// ---- sorting ----

void Player::SortPlaylist(const QString& code) {
  const int key = code.toInt();
  if (key >= 1 && key <= 3) sortKey_ = key - 1;
  SortRows(tracks_, sortKey_, options_.IsChecked(Entry::AscOrder));
  // The sort made while the settings are read comes before the autosave file
  // is read back, and must not overwrite it.
  if (!startedUp_) return;
  userSorted_ = true;
  keeper_.WriteAutosaveIfRealtime();
}

void Player::SortByTitle(int key) {
  // A second click on the title the list is sorted by reverses the order.
  if (userSorted_ && sortKey_ == key)
    ToggleSortOrder();
  else
    SortPlaylist(QString::number(key + 1));
}

void Player::ToggleSortOrder() {
  options_.SetChecked(Entry::AscOrder, !options_.IsChecked(Entry::AscOrder));
  SortPlaylist("4");
}

}  // namespace zelvo
