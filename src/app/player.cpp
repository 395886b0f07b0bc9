#include "app/player.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

#include "windows/window_icon.h"
#include "base/layout.h"
#include "base/log.h"
#include "platform/desktop.h"
#include "platform_ui/taskbar_entry.h"
#include "storage/settings_file.h"
#include "playback/sdl_audio_sink.h"

namespace zelvo {
namespace {
// About 50,000 rows: below that, the list is in before one could tell.
constexpr qint64 kLongAutosaveBytes = 4 << 20;
}  // namespace

Player::Player(Desktop& desktop, std::unique_ptr<Decoder> decoder, AppFolders folders,
               std::function<void()> endProcess, TrackAdder::Prober probe)
    : desktop_(desktop),
      folders_(std::move(folders)),
      decoder_(std::move(decoder)),
      endProcess_(std::move(endProcess)),
      twips_(desktop.TwipsPerPixelX(), desktop.TwipsPerPixelY()),
      player_(twips_, keys_),
      playlist_(twips_, keys_, tracks_),
      strip_(twips_),
      views_(player_, playlist_, strip_),
      motionWindows_(player_, playlist_, strip_, options_),
      motion_(motionWindows_, desktop_, state_, options_, twips_),
      boxes_(desktop_, state_, playlist_),
      keeper_(boxes_, tracks_, state_, options_, folders_.dataFolder, playlist_, [this] { ApplyAllOptions(); }),
      playback_(*decoder_, tracks_, state_, options_, views_, random_),
      display_(playback_, views_),
      adder_(desktop_, std::move(probe), tracks_, state_, options_, views_, playback_,
             [this](const QString& name) { return keeper_.CleanName(name); },
             [this] { keeper_.WriteAutosaveIfRealtime(); }),
      deleter_(boxes_, tracks_, state_, keeper_, playlist_, [this] { decoder_->Stop(); }),
      skins_(options_, state_, desktop_, views_, folders_.SkinParents(), folders_.dataFolder),
      helpAndWeb_(desktop_, state_, folders_.sharedFolder, [this] { playlist_.show(); }),
      listening_(*options_.OptionsMenu(), [] { return SdlAudioSink::DeviceNames(); }),
      replayGainMenu_(new ReplayGainMenu(listening_.Menu())),
      filter_(tracks_.Model()),
      notifier_(ZelvoIconFile(folders_.iconFolder)) {
  state_.DisplayText = kIdleTitle;
  // One entry in the taskbar and Alt+Tab: the strip belongs to the bar. The
  // playlist keeps out of the taskbar by itself where it can: window managers
  // keep a window that belongs to the bar above the bar, and the list must
  // slide out from behind it.
  strip_.setParent(&player_, strip_.windowFlags() | Qt::Tool);
  if (!WindowsCanSkipTheTaskbar()) playlist_.setParent(&player_, playlist_.windowFlags() | Qt::Tool);
  // Coming into view leaves the keyboard with the user's window: the bar
  // takes it when clicked. The strip never takes it.
  for (QWidget* window : {static_cast<QWidget*>(&player_), static_cast<QWidget*>(&playlist_),
                          static_cast<QWidget*>(&strip_)})
    window->setAttribute(Qt::WA_ShowWithoutActivating);
  strip_.setWindowFlag(Qt::WindowDoesNotAcceptFocus);
  ConnectOptions();
  ConnectPlayerWindow();
  ConnectPlaylistWindow();
  ConnectFileDrops();
  ConnectListening();
  skins_.ConnectMenuEntries();
  keeper_.SetListedTrackNamer([this](const ListedTrack& listed) { return adder_.DescribeListed(listed); });
}

Player::~Player() = default;

bool Player::Start() {
  player_.hide();
  QApplication::setWindowIcon(ZelvoIcon(folders_.iconFolder));
  QGuiApplication::setDesktopFileName(QStringLiteral("zelvo"));
  if (!decoder_->IsSoundCardEnabled()) {
    desktop_.ShowMessage(QStringLiteral("Not Sound Card Detected ... Zelvo is Quitting"), QString(),
                         MessageIcon::Critical, MessageButtons::Ok);
    return false;
  }
  state_.TransparencySupported = desktop_.TranslucentWindowsPossible();
  options_.TransparencyMenu()->menuAction()->setVisible(state_.TransparencySupported);
  ReadScreen();
  LoadSettings();
  if (state_.LastAddFolder.isEmpty()) state_.LastAddFolder = folders_.startFolder;
  skins_.FillSkinMenu();
  ApplyAllOptions();
  ArrangeWindows();
  skins_.SelectSkin();
  player_.show();
  playlist_.show();  // a window of its own: showing the bar does not show it
  player_.raise();   // the playlist hangs beneath the bar, never over it
  player_.activateWindow();  // started by the user: ready for keys
  FollowPrimaryScreen();
  const QString autosave = folders_.ReadPath(folders_.dataFolder, kAutosaveName);
  // A long list takes a moment to read in: the player is on screen first.
  if (QFileInfo(autosave).size() >= kLongAutosaveBytes) views_.DrawNow();
  keeper_.ReadPlaylistFile(autosave);
  if (tracks_.Has(state_.SavedTrackIndex)) {
    tracks_.SelectOnly(state_.SavedTrackIndex);
    playlist_.PlayViewList()->scrollTo(tracks_.Model().index(state_.SavedTrackIndex - 1, 0));
  }
  if (startPlace_) ResumePlace(*startPlace_);
  startPlace_.reset();
  motion_.StartAutomation();
  startedUp_ = true;
  return true;
}

void Player::QuitPlayer() {
  // A quit while start-up still waits on a box (the session ends while the
  // sound-card or the skin box is up) comes before the autosave is read back:
  // writing then would put an empty list, and perhaps the built-in options,
  // over the user's own. The user has changed nothing yet, so both files are
  // left as they are.
  if (!startedUp_) {
    qCWarning(lcApp) << "quit during start-up: left as they were"
                     << folders_.ReadPath(folders_.dataFolder, kAutosaveName) << SettingsPath();
    return endProcess_();
  }
  SaveSettings();
  keeper_.WriteAutosave();
  endProcess_();
}

void Player::ArrangeWindows() {
  // The strip stays hidden until the bar tucks itself away: a window of no
  // size cannot be shown here.
  for (QWidget* window : {static_cast<QWidget*>(&player_), static_cast<QWidget*>(&playlist_)}) {
    window->setWindowFlag(Qt::WindowStaysOnTopHint);
    window->show();
  }
  PlaceWindows();
}

void Player::ReadScreen() {
  const QSizeF screen = desktop_.ScreenSizeTwips();
  state_.ScreenLeft = static_cast<int>(std::lround(desktop_.ScreenLeftTwips()));
  state_.ScreenWidth = static_cast<int>(std::lround(screen.width()));
  state_.ScreenHeight = static_cast<int>(std::lround(screen.height()));
  state_.ScreenTop = static_cast<int>(std::lround(desktop_.ScreenTopTwips()));
}

void Player::PlaceWindows() {
  // Centred on the primary monitor, from the top of its free area, so a
  // panel on the top edge leaves the strip within reach.
  const double left = state_.ScreenLeft + state_.ScreenWidth / 2.0 - layout::kPlayerWidth / 2.0;
  const double top = state_.ScreenTop;
  player_.SetGeometryTwips(left, top, layout::kPlayerWidth, layout::kPlayerHeight);
  playlist_.SetGeometryTwips(left + layout::kPlaylistLeftOffset, top + layout::kPlayerHeight,
                             layout::kPlaylistWidth, state_.ScreenHeight - layout::kPlaylistHeightMargin);
  if (strip_.isVisible()) {
    strip_.SetGeometryTwips(left + (layout::kPlayerWidth - layout::kStripWidth) / 2.0, top, layout::kStripWidth,
                            layout::kStripHeight);
  }
}

void Player::FollowPrimaryScreen() {
  // Monitors plugged in or out, or a new resolution: the windows move to
  // wherever the primary monitor now is.
  auto follow = [this] {
    ReadScreen();
    PlaceWindows();
  };
  auto watch = [this, follow](QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this, follow);
    connect(screen, &QScreen::availableGeometryChanged, this, follow);
  };
  for (QScreen* screen : QGuiApplication::screens()) watch(screen);
  connect(qGuiApp, &QGuiApplication::screenAdded, this, [follow, watch](QScreen* screen) {
    watch(screen);
    follow();
  });
  connect(qGuiApp, &QGuiApplication::screenRemoved, this, follow);
  connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, follow);
}

void Player::RaiseBar() {
  motion_.RevealPlayer();
  player_.show();
  player_.raise();
  player_.activateWindow();
}

// ---- keys ----

void Player::HandleKeyCommand(int virtualKey, int shift) {
  // Beyond the Shift commands, Ctrl+Q quits as the close button does.
  if (shift == 2 && virtualKey == 'Q') return QuitPlayer();
  if (shift == 2 && virtualKey == 'J') return OpenJumpWindow();
  if (shift != 1) return;
  // A dialog asked from the list leaves the keys with the bar as it closes:
  // they go back to the list, as after the list's own buttons.
  const bool fromList = playlist_.isActiveWindow();
  const auto thenKeysBack = [this, fromList] {
    if (fromList) playlist_.GiveKeysToList();
  };
  switch (virtualKey) {
    case 'A': adder_.AddTracks(); thenKeysBack(); break;
    case 'C': AskToQuit(); break;
    case 'D': motion_.TogglePlaylistDrop(); break;
    case 'E': keeper_.SavePlaylistAs(); thenKeysBack(); break;
    case 'L': keeper_.OpenPlaylist(); thenKeysBack(); break;
    case 'O': {
      const QRect button = layout::kMakeOptionsDrop;
      PopUp(options_.OptionsMenu(), player_, button.left(), button.bottom() + 1);
      break;
    }
    case 'S':
      // The menu opens over the sort button: a rolled-up list drops first,
      // or the menu would float beneath the bar with nothing under it.
      if (playlist_.isVisible())
        PopUpSortMenu();
      else
        motion_.DropPlaylist([this] { PopUpSortMenu(); });
      break;
    case 'V': {
      const QRect button = layout::kMakeVolumeDrop;
      PopUp(options_.VolumeMenu(), player_, button.left(), button.bottom() + 1);
      break;
    }
  }
}

void Player::PopUpSortMenu() {
  const QRectF bar = playlist_.ButtonBarTwips();
  PopUp(options_.SortMenu(), playlist_, bar.left() + layout::kMakeSort.left(), bar.top());
}

void Player::AskToQuit() {
  // The question comes once the list has rolled up, not over the moving list.
  motion_.RaisePlaylist([this] {
    DialogOpenScope open(state_);
    if (desktop_.ShowMessage(QStringLiteral("Are you sure you want to quit Zelvo?"),
                             QStringLiteral("Shift C Pressed ..."), MessageIcon::Question,
                             MessageButtons::YesNo) == MessageAnswer::Yes)
      QuitPlayer();
  });
}

// ---- settings ----

QString Player::SettingsPath() const { return QDir(folders_.configFolder).filePath(kSettingsName); }

void Player::LoadSettings() {
  const SettingsReadResult read = ReadSettingsFile(folders_.ReadPath(folders_.configFolder, kSettingsName));
  for (auto it = read.flags.cbegin(); it != read.flags.cend(); ++it) options_.SetChecked(*EntryNamed(it.key()), it.value());
  if (read.skinNumber) state_.SkinNumber = *read.skinNumber;
  if (read.selectedTrack) state_.SavedTrackIndex = *read.selectedTrack;
  if (read.lastAddFolder) state_.LastAddFolder = *read.lastAddFolder;
  if (read.Complete()) SortPlaylist("4");
  LoadListeningSettings();
}

bool Player::SaveSettings() {
  const bool listeningSaved = SaveListeningSettings();
  Settings settings;
  for (const QString& name : kSettingsFlagEntries) settings.flags.insert(name, options_.IsChecked(*EntryNamed(name)));
  settings.skinNumber = static_cast<qint16>(state_.SkinNumber);
  const std::vector<int> selected = tracks_.SelectedPositions();
  settings.selectedTrack = selected.empty() ? 0 : selected.front();
  settings.lastAddFolder = state_.LastAddFolder;
  QString error;
  if (WriteSettingsFile(SettingsPath(), settings, &error)) return listeningSaved;
  boxes_.Show(QStringLiteral("Zelvo could not save the settings to ") + SettingsPath() + QStringLiteral(":\r") +
                  error + QStringLiteral("\rThe settings written before stay as they were."),
              QStringLiteral("Settings Not Saved"), MessageIcon::Exclamation);
  return false;
}

}  // namespace zelvo
