#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "base/app_folders.h"
#include "base/boxes.h"
#include "menus/options.h"
#include "menus/replay_gain_menu.h"
#include "base/player_state.h"
#include "windows/motion_windows.h"
#include "windows/player_window.h"
#include "windows/window_views.h"
#include "windows/credits_window.h"
#include "effects/help_and_web.h"
#include "windows/strip_window.h"
#include "effects/window_motion.h"
#include "platform_ui/file_drops.h"
#include "platform_ui/key_release_guard.h"
#include "platform/twips.h"
#include "playback/decoder.h"
#include "playback/playback.h"
#include "playback/playback_display.h"
#include "playback/random_source.h"
#include "adding/add_tracks.h"
#include "playlist/file_deleter.h"
#include "playlist/playlist_keeper.h"
#include "windows/playlist_window.h"
#include "playlist/track_list.h"
#include "storage/listening_settings.h"
#include "skins/skin_chooser.h"
#include "menus/listening_menu.h"
#include "playlist/track_filter.h"
#include "desktop/track_notifier.h"
#include "windows/jump_window.h"

namespace zelvo {

class Desktop;

inline const QString kSettingsName = QStringLiteral("config.zcf");
// The options the old program's settings file has no room for.

// The player: both windows, the track list, the options and the decoder, from
// start-up to quit. It wires the windows' events to the operations of the
// subsystems and holds no logic of its own beyond the order of things.
class Player : public QObject {
  Q_OBJECT
 public:
  // endProcess ends the program at once (after the files are written); tests
  // hand in one that records the call instead.
  // `probe` reads the tags and length of a file being added.
  Player(Desktop& desktop, std::unique_ptr<Decoder> decoder, AppFolders folders, std::function<void()> endProcess,
         TrackAdder::Prober probe = ProbeTagsAndLength);
  ~Player() override;

  // The start-up sequence. False when there is no sound output: the user has
  // been told and the program must end without touching any file.
  bool Start();
  // Writes the settings, then the autosave file, then ends the program.
  // Before start-up is through it ends the program without writing.
  void QuitPlayer();

  // Shift+letter commands and the track list's own keys (Delete, Enter).
  void HandleKeyCommand(int virtualKey, int shift);

  // Sorting: "1" name, "2" duration, "3" path, "4" the previous key again.
  void SortPlaylist(const QString& code);
  void ToggleSortOrder();

  // The options file "config.zcf" in the configuration folder.
  void LoadSettings();
  // Writes the settings file; a failure is told to the user.
  bool SaveSettings();
  QString SettingsPath() const;

  // Brings the bar into view and to the front, as the desktop's media
  // controls and a second start ask of the player.
  void RaiseBar();
  // Places the windows for the screen, in twips.
  void ArrangeWindows();

  // Files, folders and playlists named on the command line (or handed over
  // by a second start): all go to the end of the list and the first row
  // added plays. Without any, the bar is brought into view.
  void OpenArguments(const QStringList& paths);

  Options& options() { return options_; }
  ReplayGainMenu& replayGainMenu() { return *replayGainMenu_; }
  PlayerState& state() { return state_; }
  TrackList& tracks() { return tracks_; }
  Decoder& decoder() { return *decoder_; }
  PlayerWindow& playerWindow() { return player_; }
  PlaylistWindow& playlistWindow() { return playlist_; }
  StripWindow& stripWindow() { return strip_; }
  PlaylistKeeper& keeper() { return keeper_; }
  Playback& playback() { return playback_; }
  SkinChooser& skins() { return skins_; }
  WindowMotion& motion() { return motion_; }
  ListeningMenu& listening() { return listening_; }
  // Zelvo's own options file "zelvo.conf", beside "config.zcf".
  QString ListeningSettingsPath() const;
  const QTimer& automation() const { return motion_.Automation(); }

 signals:
  // The volume or the speed was changed at the bar or through the options menu.
  void SoundSettingsChanged();

 private:
  void ConnectOptions();
  void ConnectPlayerWindow();
  void ConnectPlaylistWindow();
  void ChooseOption(Entry entry);
  void RefreshVolumeBar();
  void ApplyAllOptions();
  void ApplyReplayGain();
  void SetTransparency();
  void SetTrackPriority();
  void RestoreDefaultSettings();
  void ShowTrackMenu(double xTwips, double yTwips);
  void VolumeMoved(int buttons, double xTwips);
  void StepVolume(int notches);
  void SortByTitle(int key);
  void PopUp(QMenu* menu, QWidget& window, double xTwips, double yTwips);
  QPoint ScreenPoint(QWidget& window, double xTwips, double yTwips) const;
  void AskToQuit();
  void PopUpSortMenu();
  void ConnectFileDrops();
  void ReadScreen();
  void PlaceWindows();
  void FollowPrimaryScreen();
  void ConnectListening();
  void OpenJumpWindow();
  void AnnounceTrack();
  void LoadListeningSettings();
  bool SaveListeningSettings();
  void ResumePlace(const ListeningSettings& settings);
  void RememberPlace(ListeningSettings& settings) const;

  Desktop& desktop_;
  const AppFolders folders_;
  std::unique_ptr<Decoder> decoder_;
  std::function<void()> endProcess_;

  PlayerState state_;
  Options options_;
  TrackList tracks_;
  Twips twips_;
  KeyReleaseGuard keys_;
  PlayerWindow player_;
  PlaylistWindow playlist_;
  StripWindow strip_;
  WindowViews views_;
  MotionWindows motionWindows_;
  WindowMotion motion_;
  Boxes boxes_;
  PlaylistKeeper keeper_;
  RandomSource random_;
  Playback playback_;
  PlaybackDisplay display_;
  TrackAdder adder_;
  FileDeleter deleter_;
  SkinChooser skins_;
  HelpAndWeb helpAndWeb_;
  std::unique_ptr<CreditsWindow> credits_;  // made on first use
  FileDropTarget drops_;
  ListeningMenu listening_;
  ReplayGainMenu* replayGainMenu_;  // owned by the listening menu
  TrackFilter filter_;
  std::unique_ptr<JumpWindow> jump_;  // made on first use
  TrackNotifier notifier_;
  std::optional<ListeningSettings> startPlace_;  // read at start, resumed once the list is in
  int sortKey_ = 0;
  bool userSorted_ = false;  // the user has sorted since start-up
  bool startedUp_ = false;
};

}  // namespace zelvo
