#include "app/player.h"

#include <QDir>
#include <QFileInfo>

#include "menus/menu_caption.h"
#include "playback/apply_options.h"
#include "platform/desktop.h"

// The options, volume, sort, delete and track menus: what their entries do.
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
  connect(replayGainMenu_, &ReplayGainMenu::Changed, this, [this] {
    ApplyReplayGain();
    motion_.ResetHoverTimer();
  });
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

void Player::ApplyAllOptions() {
  player_.SetVolumeBarWidth(ApplyOptions(options_, *decoder_));
  emit SoundSettingsChanged();
  ApplyReplayGain();  // the play mode may have changed what Automatic means
  playback_.OptionsChanged();
}

void Player::ApplyReplayGain() {
  const bool shuffled = options_.IsChecked(Entry::ShufflePlay) || options_.IsChecked(Entry::FuzzyPlay);
  decoder_->SetReplayGain(ForPlayMode(replayGainMenu_->Settings(), shuffled));
}

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

void Player::ShowTrackMenu(double xTwips, double yTwips) {
  const int cursor = tracks_.CursorPosition();
  const QString path = tracks_.Has(cursor) ? tracks_.At(cursor).path : QString();
  const QFileInfo file(path);
  options_.Action(Entry::TotalTrackMenu)->setText(QStringLiteral("Total Tracks: %1").arg(tracks_.Count()));
  options_.Action(Entry::FileNameMenu)->setText(QStringLiteral("File: ") + MenuCaption(LastPathPart(path)));
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

}  // namespace zelvo
