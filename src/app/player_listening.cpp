#include <QDir>
#include <QGuiApplication>
#include <algorithm>

#include "app/player.h"
#include "base/log.h"
#include "playback/replay_gain.h"
#include "playback/track_tags.h"

// The "Listening" entries: jumping to a track, the notice when a track starts,
// resuming where the last run stopped and the choice of sound output.
namespace zelvo {
namespace {

const QString kResumePath = QStringLiteral("ResumePath");
const QString kResumeRow = QStringLiteral("ResumeRow");
const QString kResumeSeconds = QStringLiteral("ResumeSeconds");

}  // namespace

void Player::ConnectListening() {
  connect(listening_.JumpToTrack(), &QAction::triggered, this, &Player::OpenJumpWindow);
  connect(&listening_, &ListeningMenu::Chose, this, [this](const QString& key, const QString& value) {
    if (key == ListeningMenu::kOutputDevice) decoder_->SetOutputDevice(value);
  });
  connect(&playback_, &Playback::TrackStarted, this, &Player::AnnounceTrack);
}

QString Player::ListeningSettingsPath() const {
  return QDir(folders_.configFolder).filePath(kListeningSettingsName);
}

void Player::LoadListeningSettings() {
  ListeningSettings settings;
  settings.Load(folders_.ReadPath(folders_.configFolder, kListeningSettingsName));
  listening_.Load(settings);
  replayGainMenu_->Show(LoadReplayGainSettings(settings));
  decoder_->SetOutputDevice(listening_.Chosen(ListeningMenu::kOutputDevice));
  if (!startedUp_) startPlace_ = settings;
}

bool Player::SaveListeningSettings() {
  ListeningSettings settings;
  listening_.Store(settings);
  SaveReplayGainSettings(settings, replayGainMenu_->Settings());
  RememberPlace(settings);
  QString error;
  if (settings.Save(ListeningSettingsPath(), &error)) return true;
  boxes_.Show(QStringLiteral("Zelvo could not save the settings to ") + ListeningSettingsPath() +
                  QStringLiteral(":\r") + error + QStringLiteral("\rThe settings written before stay as they were."),
              QStringLiteral("Settings Not Saved"), MessageIcon::Exclamation);
  return false;
}

// ---- jump to track ----

void Player::OpenJumpWindow() {
  if (state_.DialogOpen) return;
  if (!jump_) {
    jump_ = std::make_unique<JumpWindow>(filter_, tracks_.Model(), &player_);
    connect(jump_.get(), &JumpWindow::PlayChosen, this, [this](int position) {
      tracks_.SelectOnly(position);
      playlist_.PlayViewList()->scrollTo(tracks_.Model().index(position - 1, 0));
      playback_.DoubleClick();
    });
    connect(jump_.get(), &JumpWindow::QueueChosen, this, [this](int position) {
      tracks_.SelectOnly(position);
      playback_.Selector().SequenceSelectedTracks();
    });
  }
  // Over the top of the list, as wide as the list and a third of the screen high.
  RaiseBar();
  const QRectF list = playlist_.ListTwips();
  const QPoint topLeft = playlist_.mapToGlobal(QPoint(twips_.ToPixelsX(list.left()), twips_.ToPixelsY(list.top())));
  const QRect place(topLeft, QSize(twips_.ToPixelsX(list.width()), twips_.ToPixelsY(state_.ScreenHeight / 3.0)));
  DialogOpenScope open(state_);
  jump_->Ask(place);
}

// ---- a word when the track changes ----

void Player::AnnounceTrack() {
  if (!listening_.IsOn(ListeningMenu::kNotifyTrackChange) || !tracks_.Has(tracks_.CurrentIndex())) return;
  // The bar shows the track itself while it is in view and Zelvo is in front.
  if (motion_.State() != WindowState::TuckedAway && QGuiApplication::applicationState() == Qt::ApplicationActive)
    return;
  const TrackEntry& track = tracks_.At(tracks_.CurrentIndex());
  notifier_.Announce(track.name, ReadTrackTags(track.path));
}

// ---- resume at start ----

void Player::RememberPlace(ListeningSettings& settings) const {
  const int playState = decoder_->PlayState();
  const bool playing = playState == play_state::Playing || playState == play_state::Paused;
  const bool keep = listening_.IsOn(ListeningMenu::kResumeAtStart) && playing && tracks_.Has(tracks_.CurrentIndex());
  settings.SetValue(kResumeRow, keep ? tracks_.CurrentIndex() : 0);
  settings.SetValue(kResumePath, keep ? tracks_.At(tracks_.CurrentIndex()).path : QString());
  settings.SetValue(kResumeSeconds, keep ? decoder_->CurrentPosition().value_or(0) : 0.0);
}

void Player::ResumePlace(const ListeningSettings& settings) {
  if (!listening_.IsOn(ListeningMenu::kResumeAtStart)) return;
  // The row is found by its path: the list may have changed since.
  const QString path = settings.Value(kResumePath).toString();
  int row = settings.Value(kResumeRow).toInt();
  if (path.isEmpty()) return;
  if (!tracks_.Has(row) || tracks_.At(row).path != path) {
    const TrackRows& entries = tracks_.Model().Entries();
    size_t found = 0;
    while (found < entries.size() && entries.Path(found) != path) ++found;
    if (found == entries.size()) {
      qCWarning(lcApp) << "the track to resume is no longer in the list:" << path;
      return;
    }
    row = static_cast<int>(found) + 1;
  }
  tracks_.SelectOnly(row);
  playlist_.PlayViewList()->scrollTo(tracks_.Model().index(row - 1, 0));
  tracks_.SetCurrentIndex(row);
  playback_.PlayTrack();
  if (const double seconds = settings.Value(kResumeSeconds).toDouble(); seconds > 0) playback_.SeekTo(seconds);
  if (listening_.IsOn(ListeningMenu::kStartPaused)) playback_.PlayButton();
}

}  // namespace zelvo
