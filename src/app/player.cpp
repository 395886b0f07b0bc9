#include "app/player.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "app/apply_options.h"
#include "app/window_icon.h"
#include "base/layout.h"
#include "platform/desktop.h"
#include "platform/virtual_keys.h"
#include "playlist/sort_rows.h"
#include "storage/settings_file.h"

namespace zelvo {
namespace {

// Priority texts of the rating entries, in menu order.
const std::pair<const char*, const char*> kRatings[] = {
    {"FuzVHigh", "2"}, {"FuzHigh", "1"}, {"FuzNorm", "0"}, {"FuzLow", "-1"}, {"FuzVLow", "-2"}};

const std::pair<const char*, int> kOpacities[] = {
    {"Trans100", 100}, {"Trans200", 200}, {"Trans150", 150}, {"Trans254", 255}};

QString LastPathPart(const QString& path) { return path.section(QDir::separator(), -1); }

}  // namespace

Player::Player(Desktop& desktop, std::unique_ptr<Decoder> decoder, AppFolders folders,
               std::function<void()> endProcess)
    : desktop_(desktop),
      folders_(std::move(folders)),
      decoder_(std::move(decoder)),
      endProcess_(std::move(endProcess)),
      twips_(desktop.TwipsPerPixelX(), desktop.TwipsPerPixelY()),
      player_(twips_, keys_),
      playlist_(twips_, keys_, tracks_),
      strip_(twips_),
      views_(player_, playlist_, strip_),
      boxes_(desktop_, state_, playlist_),
      keeper_(boxes_, tracks_, state_, options_, folders_.dataFolder, playlist_, [this] { ApplyAllOptions(); }),
      playback_(*decoder_, tracks_, state_, options_, views_, random_),
      adder_(desktop_, *decoder_, tracks_, state_, options_, views_, playback_,
             [this](const QString& name) { return keeper_.CleanName(name); },
             [this] { keeper_.WriteAutosaveIfRealtime(); }),
      skins_(options_, state_, desktop_, views_, folders_.SkinParents(), folders_.dataFolder),
      helpAndWeb_(desktop_, state_, folders_.sharedFolder, [this] { playlist_.show(); }) {
  state_.DisplayText = kIdleTitle;
  // One entry in the taskbar and Alt+Tab: the playlist and the strip belong to the bar.
  for (QWidget* window : {static_cast<QWidget*>(&playlist_), static_cast<QWidget*>(&strip_)})
    window->setParent(&player_, window->windowFlags() | Qt::Tool);
  ConnectOptions();
  ConnectPlayerWindow();
  ConnectPlaylistWindow();
  skins_.ConnectMenuEntries();
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
  state_.TransparencySupported = desktop_.OsMajorVersion() >= 5;
  options_.TransparencyMenu()->menuAction()->setVisible(state_.TransparencySupported);
  const QSizeF screen = desktop_.ScreenSizeTwips();
  state_.ScreenWidth = static_cast<int>(std::lround(screen.width()));
  state_.ScreenHeight = static_cast<int>(std::lround(screen.height()));
  LoadSettings();
  if (state_.LastAddFolder.isEmpty()) state_.LastAddFolder = folders_.startFolder;
  skins_.FillSkinMenu();
  ApplyAllOptions();
  ArrangeWindows();
  skins_.SelectSkin();
  player_.show();
  player_.raise();  // the playlist hangs beneath the bar, never over it
  keeper_.ReadPlaylistFile(folders_.ReadPath(folders_.dataFolder, kAutosaveName));
  if (tracks_.Has(state_.SavedTrackIndex)) {
    tracks_.SelectOnly(state_.SavedTrackIndex);
    playlist_.PlayViewList()->scrollTo(tracks_.Model().index(state_.SavedTrackIndex - 1, 0));
  }
  automation_.start(1000);
  startedUp_ = true;
  return true;
}

void Player::QuitPlayer() {
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
  const double left = state_.ScreenWidth / 2.0 - layout::kPlayerWidth / 2.0;
  player_.SetGeometryTwips(left, 0, layout::kPlayerWidth, layout::kPlayerHeight);
  playlist_.SetGeometryTwips(left + layout::kPlaylistLeftOffset, layout::kPlayerHeight, layout::kPlaylistWidth,
                             state_.ScreenHeight - layout::kPlaylistHeightMargin);
}

// ---- options ----

void Player::ConnectOptions() {
  connect(&options_, &Options::HoverResetRequested, this, &Player::ResetHoverTimer);
  for (const char* code : {"bal", "se", "play", "uni", "vol", "id3", "trn", "skn", "fuz"}) {
    if (QLatin1String(code) == "skn") continue;  // the skin chooser connects its own entries
    for (const QString& name : Options::CategoryEntries(code))
      connect(options_.Action(name), &QAction::triggered, this, [this, name] { ChooseOption(name); });
  }
  // "Realtime Playlist" is set only by the settings file: a click leaves it.
  connect(options_.Action("RealPlayList"), &QAction::triggered, this,
          [this](bool checked) { options_.SetChecked("RealPlayList", !checked); });
  connect(options_.Action("HelpMenu"), &QAction::triggered, this, [this] { helpAndWeb_.OpenHelp(); });
  connect(options_.Action("WebLinkMenu"), &QAction::triggered, this, [this] { helpAndWeb_.OpenWebSite(); });
  connect(options_.Action("AboutMenu"), &QAction::triggered, this, [this] {
    if (!credits_)
      credits_ = std::make_unique<CreditsWindow>(folders_.sharedFolder, [this] { RaisePlaylist(); },
                                                 [this] { helpAndWeb_.OpenWebSite(); });
    credits_->Present();
  });
  connect(options_.Action("DefSetMenu"), &QAction::triggered, this, &Player::RestoreDefaultSettings);
  connect(options_.Action("SaveSetMenu"), &QAction::triggered, this, [this] {
    SaveSettings();
    desktop_.Beep();
  });
  connect(options_.Action("NameSort"), &QAction::triggered, this, [this] { SortPlaylist("1"); });
  connect(options_.Action("TimeSort"), &QAction::triggered, this, [this] { SortPlaylist("2"); });
  connect(options_.Action("PathSort"), &QAction::triggered, this, [this] { SortPlaylist("3"); });
  connect(options_.Action("AscOrder"), &QAction::triggered, this, [this](bool checked) {
    options_.SetChecked("AscOrder", !checked);  // ToggleSortOrder flips it itself
    ToggleSortOrder();
  });
  connect(options_.Action("SelectedDel"), &QAction::triggered, this, [this] { keeper_.EraseSelectedTracks(); });
  connect(options_.Action("EntireDel"), &QAction::triggered, this, [this] { keeper_.ClearEntirePlaylist(); });
  connect(options_.Action("SequenceMenu"), &QAction::triggered, this,
          [this] { playback_.Selector().SequenceSelectedTracks(); });
  connect(options_.Action("RenameFile"), &QAction::triggered, this, [this] {
    const int cursor = tracks_.CursorPosition();
    if (cursor > 0) playlist_.PlayViewList()->edit(tracks_.Model().index(cursor - 1, NameColumn));
  });
  connect(&tracks_.Model(), &TrackListModel::NameEdited, this, [this](int row, const QString& text) {
    // A name of blanks alone is refused and the row keeps its name.
    if (!text.trimmed().isEmpty()) tracks_.Model().SetName(row, text);
    keeper_.WriteAutosaveIfRealtime();
  });
}

void Player::ChooseOption(const QString& name) {
  const QString code = Options::CategoryOf(name);
  options_.SetOption(code);
  options_.SetChecked(name, true);
  if (code == "uni")
    keeper_.UniformPlaylist();
  else if (code == "trn")
    SetTransparency();
  else if (code == "fuz")
    SetTrackPriority();
  else
    ApplyAllOptions();
}

void Player::ApplyAllOptions() { player_.SetVolumeBarWidth(ApplyOptions(options_, *decoder_)); }

void Player::SetTransparency() {
  if (!state_.TransparencySupported) return;
  for (const auto& [name, opacity] : kOpacities) {
    if (!options_.IsChecked(name)) continue;
    for (QWidget* window : {static_cast<QWidget*>(&player_), static_cast<QWidget*>(&playlist_),
                            static_cast<QWidget*>(&strip_)})
      window->setWindowOpacity(opacity / 255.0);
  }
}

void Player::SetTrackPriority() {
  QString value;
  for (const auto& [name, priority] : kRatings)
    if (options_.IsChecked(name)) value = QString::fromLatin1(priority);
  for (int position : tracks_.SelectedPositions()) tracks_.Model().SetPriority(position - 1, value);
}

void Player::RestoreDefaultSettings() {
  static const QStringList kCategories = {"bal", "se", "play", "uni", "vol", "id3", "trn"};
  // Only these check marks: the sort order, "Realtime Playlist", the skin and
  // the ratings stay as they are, and nothing is applied until chosen.
  for (const QString& code : kCategories)
    for (const QString& name : Options::CategoryEntries(code))
      options_.SetChecked(name, Options::CheckedByDefault(name));
  options_.SetChecked("AniEffects", true);
  boxes_.Show(QStringLiteral("Default Options Selected!"), QStringLiteral("Defaults Selected"),
              MessageIcon::Information);
}

// ---- the bar ----

void Player::ConnectPlayerWindow() {
  connect(&player_, &PlayerWindow::CloseRequested, this, &Player::QuitPlayer);
  connect(&player_, &PlayerWindow::KeyReleased, this,
          [this](int key, int shift) { HandleKeyCommand(VirtualKey(key), shift); });
  connect(&player_, &PlayerWindow::BareMouseMoved, this, &Player::ResetHoverTimer);
  connect(player_.MakePlay(), &HotSpot::Clicked, &playback_, &Playback::PlayButton);
  connect(player_.MakeStop(), &HotSpot::Clicked, &playback_, &Playback::StopButton);
  connect(player_.MakeNextTrack(), &HotSpot::Clicked, &playback_, &Playback::NextButton);
  connect(player_.MakeBackTrack(), &HotSpot::Clicked, &playback_, &Playback::PreviousButton);
  connect(player_.MakeClose(), &HotSpot::Clicked, this, &Player::QuitPlayer);
  connect(player_.MakePlayDrop(), &HotSpot::Clicked, this, &Player::TogglePlaylistDrop);
  for (HotSpot* spot : {player_.MakePlay(), player_.MakeStop(), player_.MakeNextTrack(), player_.MakeBackTrack(),
                        player_.MakeClose(), player_.MakePlayDrop(), player_.MakeOptionsDrop()})
    connect(spot, &HotSpot::MouseMoved, this, &Player::ResetHoverTimer);
  connect(player_.PlayerDisplay(), &HotSpot::MouseMoved, this, [this](int buttons, int, double x, double) {
    ResetHoverTimer();
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
}

void Player::RefreshVolumeBar() {
  player_.SetVolumeBarWidth(std::clamp(VolumeBarWidth(decoder_->Volume()), 0.0, double(layout::kVolumeBarFull)));
}

void Player::ResetHoverTimer() {
  automation_.start(1000);
  player_.SetVolumeBarVisible(false);
}

void Player::PopUp(QMenu* menu, QWidget& window, double xTwips, double yTwips) {
  menu->popup(window.mapToGlobal(QPoint(twips_.ToPixelsX(xTwips), twips_.ToPixelsY(yTwips))));
}

// ---- the playlist window ----

void Player::ConnectPlaylistWindow() {
  TrackListView* list = playlist_.PlayViewList();
  connect(&playlist_, &PlaylistWindow::KeyReleased, this,
          [this](int key, int shift) { HandleKeyCommand(VirtualKey(key), shift); });
  connect(list, &TrackListView::KeyPressedDown, this, [this] {
    if (tracks_.Count() > 0) state_.CueIndex = tracks_.CursorPosition();
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
    state_.CueIndex = tracks_.CursorPosition();
    if (button == 2) ShowTrackMenu(x, y);
  });
  connect(list, &TrackListView::MouseMoved, this, &Player::ResetHoverTimer);
  connect(playlist_.MakeAdd(), &HotSpot::MouseReleased, this, [this] { adder_.AddTracks(); });
  connect(playlist_.MakeLoad(), &HotSpot::Clicked, this, [this] { keeper_.OpenPlaylist(); });
  connect(playlist_.MakeSave(), &HotSpot::Clicked, this, [this] { keeper_.SavePlaylistAs(); });
  connect(playlist_.ColTrack(), &HotSpot::Clicked, this, [this] { SortPlaylist("1"); });
  connect(playlist_.ColDuration(), &HotSpot::Clicked, this, [this] { SortPlaylist("2"); });
  const std::pair<HotSpot*, QMenu*> menuButtons[] = {{playlist_.MakeDelete(), options_.DeleteMenu()},
                                                     {playlist_.MakeSort(), options_.SortMenu()}};
  for (const auto& [button, menu] : menuButtons) {
    connect(button, &HotSpot::MouseReleased, this, [this, button, menu](int, int, double x, double y) {
      const QRectF bar = playlist_.ButtonBarTwips();
      PopUp(menu, playlist_, bar.left() + twips_.FromPixelsX(button->x()) + x, bar.top() + y);
    });
  }
}

void Player::ShowTrackMenu(double xTwips, double yTwips) {
  const int cursor = tracks_.CursorPosition();
  const QString path = tracks_.Has(cursor) ? tracks_.At(cursor).path : QString();
  const QFileInfo file(path);
  options_.Action("TotalTrackMenu")->setText(QStringLiteral("Total Tracks: %1").arg(tracks_.Count()));
  options_.Action("FileNameMenu")->setText(QStringLiteral("File: ") + LastPathPart(path));
  options_.Action("FileSizeMenu")
      ->setText(file.exists() ? QStringLiteral("File Size: %1 kb").arg(file.size() / 1024)
                              : QStringLiteral("File Size: (file not found)"));
  const bool single = tracks_.CountSelected() == 1;
  options_.RatingMenu()->setTitle(single ? QStringLiteral("This &Track Is?") : QStringLiteral("These &Tracks Are All?"));
  options_.Action("SequenceMenu")
      ->setText(single ? QStringLiteral("Sequence this track ...") : QStringLiteral("Sequence these tracks ..."));
  options_.SetOption("fuz");
  if (single && tracks_.Has(cursor))
    for (const auto& [name, priority] : kRatings)
      if (tracks_.At(cursor).priority == QLatin1String(priority)) options_.SetChecked(name, true);
  const QRectF list = playlist_.ListTwips();
  PopUp(options_.TrackMenu(), playlist_, list.left() + xTwips, list.top() + yTwips);
}

// ---- sorting ----

void Player::SortPlaylist(const QString& code) {
  const int key = code.toInt();
  if (key >= 1 && key <= 3) sortKey_ = key - 1;
  SortRows(tracks_, sortKey_, options_.IsChecked("AscOrder"));
  // The sort made while the settings are read comes before the autosave file
  // is read back, and must not overwrite it.
  if (startedUp_) keeper_.WriteAutosaveIfRealtime();
}

void Player::ToggleSortOrder() {
  options_.SetChecked("AscOrder", !options_.IsChecked("AscOrder"));
  SortPlaylist("4");
}

// ---- drop-down ----

void Player::DropPlaylist() {
  const QRectF place = playlist_.GeometryTwips();
  playlist_.SetGeometryTwips(place.left(), player_.GeometryTwips().height(), place.width(), place.height());
  playlist_.show();
}

void Player::RaisePlaylist() {
  if (state_.DialogOpen) return;
  playlist_.hide();
}

void Player::RaiseBar() {
  player_.show();
  player_.raise();
  player_.activateWindow();
}

void Player::TogglePlaylistDrop() {
  if (playlist_.isVisible())
    RaisePlaylist();
  else
    DropPlaylist();
}

// ---- keys ----

void Player::HandleKeyCommand(int virtualKey, int shift) {
  if (shift != 1) return;
  switch (virtualKey) {
    case 'A': adder_.AddTracks(); break;
    case 'C': AskToQuit(); break;
    case 'D': TogglePlaylistDrop(); break;
    case 'E': keeper_.SavePlaylistAs(); break;
    case 'L': keeper_.OpenPlaylist(); break;
    case 'O': {
      const QRect button = layout::kMakeOptionsDrop;
      PopUp(options_.OptionsMenu(), player_, button.left(), button.bottom() + 1);
      break;
    }
    case 'S': {
      const QRectF bar = playlist_.ButtonBarTwips();
      PopUp(options_.SortMenu(), playlist_, bar.left() + layout::kMakeSort.left(), bar.top());
      break;
    }
    case 'V': {
      const QRect button = layout::kMakeVolumeDrop;
      PopUp(options_.VolumeMenu(), player_, button.left(), button.bottom() + 1);
      break;
    }
  }
}

void Player::AskToQuit() {
  RaisePlaylist();
  DialogOpenScope open(state_);
  if (desktop_.ShowMessage(QStringLiteral("Are you sure you want to quit Zelvo?"), QStringLiteral("Shift C Pressed ..."),
                           MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes)
    QuitPlayer();
}

// ---- settings ----

QString Player::SettingsPath() const { return QDir(folders_.configFolder).filePath(kSettingsName); }

void Player::LoadSettings() {
  const SettingsReadResult read = ReadSettingsFile(folders_.ReadPath(folders_.configFolder, kSettingsName));
  for (auto it = read.flags.cbegin(); it != read.flags.cend(); ++it) options_.SetChecked(it.key(), it.value());
  if (read.skinNumber) state_.SkinNumber = *read.skinNumber;
  if (read.selectedTrack) state_.SavedTrackIndex = *read.selectedTrack;
  if (read.lastAddFolder) state_.LastAddFolder = *read.lastAddFolder;
  if (read.Complete()) SortPlaylist("4");
}

void Player::SaveSettings() {
  Settings settings;
  for (const QString& name : kSettingsFlagEntries) settings.flags.insert(name, options_.IsChecked(name));
  settings.skinNumber = static_cast<qint16>(state_.SkinNumber);
  const std::vector<int> selected = tracks_.SelectedPositions();
  settings.selectedTrack = selected.empty() ? 0 : selected.front();
  settings.lastAddFolder = state_.LastAddFolder;
  WriteSettingsFile(SettingsPath(), settings);
}

}  // namespace zelvo
