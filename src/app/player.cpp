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
#include "storage/foreign_playlist.h"
#include "storage/settings_file.h"

namespace zelvo {
namespace {

// Priority texts of the rating entries, in menu order.
const std::pair<Entry, const char*> kRatings[] = {{Entry::FuzVHigh, "2"},
                                                  {Entry::FuzHigh, "1"},
                                                  {Entry::FuzNorm, "0"},
                                                  {Entry::FuzLow, "-1"},
                                                  {Entry::FuzVLow, "-2"}};

const std::pair<Entry, int> kOpacities[] = {
    {Entry::Trans100, 100}, {Entry::Trans200, 200}, {Entry::Trans150, 150}, {Entry::Trans254, 255}};

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
      motionWindows_(player_, playlist_, strip_, options_),
      motion_(motionWindows_, desktop_, state_, options_, twips_),
      boxes_(desktop_, state_, playlist_),
      keeper_(boxes_, tracks_, state_, options_, folders_.dataFolder, playlist_, [this] { ApplyAllOptions(); }),
      playback_(*decoder_, tracks_, state_, options_, views_, random_),
      adder_(desktop_, *decoder_, tracks_, state_, options_, views_, playback_,
             [this](const QString& name) { return keeper_.CleanName(name); },
             [this] { keeper_.WriteAutosaveIfRealtime(); }),
      deleter_(boxes_, tracks_, state_, keeper_, playlist_, [this] { decoder_->Stop(); }),
      skins_(options_, state_, desktop_, views_, folders_.SkinParents(), folders_.dataFolder),
      helpAndWeb_(desktop_, state_, folders_.sharedFolder, [this] { playlist_.show(); }) {
  state_.DisplayText = kIdleTitle;
  // One entry in the taskbar and Alt+Tab: the playlist and the strip belong to the bar.
  for (QWidget* window : {static_cast<QWidget*>(&playlist_), static_cast<QWidget*>(&strip_)})
    window->setParent(&player_, window->windowFlags() | Qt::Tool);
  ConnectOptions();
  ConnectPlayerWindow();
  ConnectPlaylistWindow();
  ConnectFileDrops();
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
  const QSizeF screen = desktop_.ScreenSizeTwips();
  state_.ScreenWidth = static_cast<int>(std::lround(screen.width()));
  state_.ScreenHeight = static_cast<int>(std::lround(screen.height()));
  state_.ScreenTop = static_cast<int>(std::lround(desktop_.ScreenTopTwips()));
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
  motion_.StartAutomation();
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
  // From the top of the free area, so a panel on the top edge leaves the
  // strip within reach.
  const double top = state_.ScreenTop;
  player_.SetGeometryTwips(left, top, layout::kPlayerWidth, layout::kPlayerHeight);
  playlist_.SetGeometryTwips(left + layout::kPlaylistLeftOffset, top + layout::kPlayerHeight,
                             layout::kPlaylistWidth, state_.ScreenHeight - layout::kPlaylistHeightMargin);
}

// ---- options ----

void Player::ConnectOptions() {
  connect(&options_, &Options::HoverResetRequested, &motion_, &WindowMotion::ResetHoverTimer);
  using enum Category;
  // The skin chooser connects the skin entries itself.
  for (Category category : {Balance, Effects, PlayMode, Uniform, Volume, Tags, Transparency, Rating})
    for (Entry entry : CategoryEntries(category))
      connect(options_.Action(entry), &QAction::triggered, this, [this, entry] { ChooseOption(entry); });
  // "Realtime Playlist" is set only by the settings file: a click leaves it.
  connect(options_.Action(Entry::RealPlayList), &QAction::triggered, this,
          [this](bool checked) { options_.SetChecked(Entry::RealPlayList, !checked); });
  connect(options_.Action(Entry::HelpMenu), &QAction::triggered, this, [this] { helpAndWeb_.OpenHelp(); });
  connect(options_.Action(Entry::WebLinkMenu), &QAction::triggered, this, [this] { helpAndWeb_.OpenWebSite(); });
  connect(options_.Action(Entry::AboutMenu), &QAction::triggered, this, [this] {
    if (!credits_)
      credits_ = std::make_unique<CreditsWindow>(folders_.sharedFolder, [this] { motion_.RaisePlaylist(); },
                                                 [this] { helpAndWeb_.OpenWebSite(); });
    credits_->Present();
  });
  connect(options_.Action(Entry::DefSetMenu), &QAction::triggered, this, &Player::RestoreDefaultSettings);
  connect(options_.Action(Entry::SaveSetMenu), &QAction::triggered, this, [this] {
    if (SaveSettings()) desktop_.Beep();
  });
  connect(options_.Action(Entry::NameSort), &QAction::triggered, this, [this] { SortPlaylist("1"); });
  connect(options_.Action(Entry::TimeSort), &QAction::triggered, this, [this] { SortPlaylist("2"); });
  connect(options_.Action(Entry::PathSort), &QAction::triggered, this, [this] { SortPlaylist("3"); });
  connect(options_.Action(Entry::AscOrder), &QAction::triggered, this, [this](bool checked) {
    options_.SetChecked(Entry::AscOrder, !checked);  // ToggleSortOrder flips it itself
    ToggleSortOrder();
  });
  connect(options_.Action(Entry::SelectedDel), &QAction::triggered, this, [this] { keeper_.EraseSelectedTracks(); });
  connect(options_.Action(Entry::EntireDel), &QAction::triggered, this, [this] { keeper_.ClearEntirePlaylist(); });
  connect(options_.Action(Entry::DeleteFile), &QAction::triggered, this, [this] { deleter_.DeleteSelectedFiles(); });
  connect(options_.Action(Entry::SequenceMenu), &QAction::triggered, this,
          [this] { playback_.Selector().SequenceSelectedTracks(); });
  connect(options_.Action(Entry::RenameFile), &QAction::triggered, this, [this] {
    const int cursor = tracks_.CursorPosition();
    if (cursor > 0) playlist_.PlayViewList()->edit(tracks_.Model().index(cursor - 1, NameColumn));
  });
  connect(&tracks_.Model(), &TrackListModel::NameEdited, this, [this](int row, const QString& text) {
    // A name of blanks alone is refused and the row keeps its name.
    if (!text.trimmed().isEmpty()) tracks_.Model().SetName(row, text);
    keeper_.WriteAutosaveIfRealtime();
  });
}

void Player::ChooseOption(Entry entry) {
  const Category category = *CategoryOf(entry);
  options_.SetOption(category);
  options_.SetChecked(entry, true);
  if (category == Category::Uniform)
    keeper_.UniformPlaylist();
  else if (category == Category::Transparency)
    SetTransparency();
  else if (category == Category::Rating)
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
  using enum Category;
  // Only these check marks: the sort order, "Realtime Playlist", the skin and
  // the ratings stay as they are, and nothing is applied until chosen.
  for (Category category : {Balance, Effects, PlayMode, Uniform, Volume, Tags, Transparency})
    for (Entry entry : CategoryEntries(category)) options_.SetChecked(entry, Options::CheckedByDefault(entry));
  options_.SetChecked(Entry::AniEffects, true);
  boxes_.Show(QStringLiteral("Default Options Selected!"), QStringLiteral("Defaults Selected"),
              MessageIcon::Information);
}

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
}

void Player::StepVolume(int notches) {
  // Each notch is a fifteenth of the scale; like a drag, it leaves the
  // volume menu's tick where it was.
  constexpr int kVolumeStep = -kMuteVolume / 15;
  player_.SetVolumeBarVisible(true);
  decoder_->SetVolume(std::clamp(decoder_->Volume() + notches * kVolumeStep, kMuteVolume, 0));
  RefreshVolumeBar();
}

void Player::RefreshVolumeBar() {
  player_.SetVolumeBarWidth(std::clamp(VolumeBarWidth(decoder_->Volume()), 0.0, double(layout::kVolumeBarFull)));
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
  connect(list, &TrackListView::MouseMoved, &motion_, &WindowMotion::ResetHoverTimer);
  connect(playlist_.MakeAdd(), &HotSpot::MouseReleased, this, [this] { adder_.AddTracks(); });
  connect(playlist_.MakeLoad(), &HotSpot::Clicked, this, [this] { keeper_.OpenPlaylist(); });
  connect(playlist_.MakeSave(), &HotSpot::Clicked, this, [this] { keeper_.SavePlaylistAs(); });
  connect(playlist_.ColTrack(), &HotSpot::Clicked, this, [this] { SortByTitle(0); });
  connect(playlist_.ColDuration(), &HotSpot::Clicked, this, [this] { SortByTitle(1); });
  const std::pair<HotSpot*, QMenu*> menuButtons[] = {{playlist_.MakeDelete(), options_.DeleteMenu()},
                                                     {playlist_.MakeSort(), options_.SortMenu()}};
  for (const auto& buttonAndMenu : menuButtons) {
    // Named copies: clang before 16 cannot capture structured bindings.
    HotSpot* button = buttonAndMenu.first;
    QMenu* menu = buttonAndMenu.second;
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
  options_.Action(Entry::TotalTrackMenu)->setText(QStringLiteral("Total Tracks: %1").arg(tracks_.Count()));
  options_.Action(Entry::FileNameMenu)->setText(QStringLiteral("File: ") + LastPathPart(path));
  options_.Action(Entry::FileSizeMenu)
      ->setText(file.exists() ? QStringLiteral("File Size: %1 kb").arg(file.size() / 1024)
                              : QStringLiteral("File Size: (file not found)"));
  const bool single = tracks_.CountSelected() == 1;
  options_.RatingMenu()->setTitle(single ? QStringLiteral("This &Track Is?") : QStringLiteral("These &Tracks Are All?"));
  options_.Action(Entry::SequenceMenu)
      ->setText(single ? QStringLiteral("Sequence this track ...") : QStringLiteral("Sequence these tracks ..."));
  options_.SetOption(Category::Rating);
  if (single && tracks_.Has(cursor))
    for (const auto& [name, priority] : kRatings)
      if (tracks_.At(cursor).priority == QLatin1String(priority)) options_.SetChecked(name, true);
  const QRectF list = playlist_.ListTwips();
  PopUp(options_.TrackMenu(), playlist_, list.left() + xTwips, list.top() + yTwips);
}

// ---- files from outside ----

void Player::ConnectFileDrops() {
  for (QWidget* window : {static_cast<QWidget*>(&player_), static_cast<QWidget*>(&playlist_),
                          playlist_.PlayViewList()->viewport()})
    drops_.Watch(*window);
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
  state_.CurrentIndex = first;
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
  if (shift != 1) return;
  switch (virtualKey) {
    case 'A': adder_.AddTracks(); break;
    case 'C': AskToQuit(); break;
    case 'D': motion_.TogglePlaylistDrop(); break;
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
  motion_.RaisePlaylist();
  DialogOpenScope open(state_);
  if (desktop_.ShowMessage(QStringLiteral("Are you sure you want to quit Zelvo?"), QStringLiteral("Shift C Pressed ..."),
                           MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes)
    QuitPlayer();
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
}

bool Player::SaveSettings() {
  Settings settings;
  for (const QString& name : kSettingsFlagEntries) settings.flags.insert(name, options_.IsChecked(*EntryNamed(name)));
  settings.skinNumber = static_cast<qint16>(state_.SkinNumber);
  const std::vector<int> selected = tracks_.SelectedPositions();
  settings.selectedTrack = selected.empty() ? 0 : selected.front();
  settings.lastAddFolder = state_.LastAddFolder;
  QString error;
  if (WriteSettingsFile(SettingsPath(), settings, &error)) return true;
  boxes_.Show(QStringLiteral("Zelvo could not save the settings to ") + SettingsPath() + QStringLiteral(":\r") +
                  error + QStringLiteral("\rThe settings written before stay as they were."),
              QStringLiteral("Settings Not Saved"), MessageIcon::Exclamation);
  return false;
}

}  // namespace zelvo
