#include "menus/options.h"

#include <algorithm>

namespace zelvo {

Options::Options(QObject* parent) : QObject(parent) {
  Build();
  SetBuiltInDefaults();
}

Options::~Options() = default;

void Options::SetOption(Category category) {
  for (Entry entry : CategoryEntries(category)) Action(entry)->setChecked(false);
  emit HoverResetRequested();
}

QAction* Options::Add(QMenu* menu, Entry entry, const QString& caption, bool checkable) {
  auto* action = new QAction(caption, this);
  action->setObjectName(EntryName(entry));
  action->setCheckable(checkable);
  menu->addAction(action);
  actions_[static_cast<size_t>(entry)] = action;
  return action;
}

QMenu* Options::AddSubmenu(const QString& name, const QString& caption) {
  QMenu* sub = optionsMenu_->addMenu(caption);
  sub->setObjectName(name);
  return sub;
}

void Options::Build() {
  optionsMenu_ = std::make_unique<QMenu>(QStringLiteral("Options"));
  BuildSoundAndLookEntries();
  BuildListAndSkinEntries();
  BuildVolumeMenu();
  BuildPlaylistMenus();
  BuildTrackMenu();
}

// Balance, effects, transparency and play mode: the first half of the options menu.
void Options::BuildSoundAndLookEntries() {
  QMenu* options = optionsMenu_.get();

  QMenu* balance = AddSubmenu("AudioBalanceMenu", "&Audio Balance");
  Add(balance, Entry::BalLeft, "&Left Only", true);
  Add(balance, Entry::BalLHalf, "Left Half", true);
  Add(balance, Entry::BalMiddle, "&Middle", true);
  Add(balance, Entry::BalRHalf, "Right Half", true);
  Add(balance, Entry::BalRight, "&Right Only", true);
  options->addSeparator();

  QMenu* effects = AddSubmenu("SEMenu", "&Special Effects");
  Add(effects, Entry::ClassicSE, "&Classic Mode", true);
  Add(effects, Entry::NormalSE, "&Normal Effects", true);
  Add(effects, Entry::DanceSE, "&Dance Mode", true);
  effects->addSeparator();
  Add(effects, Entry::AniEffects, "Animation Effects", true);

  transparencyMenu_ = AddSubmenu("TransparencyMenu", "&Transparency (2k/XP only)");
  Add(transparencyMenu_, Entry::Trans254, "Off", true);
  Add(transparencyMenu_, Entry::Trans200, "A Little", true);
  Add(transparencyMenu_, Entry::Trans150, "Half Way", true);
  Add(transparencyMenu_, Entry::Trans100, "Very", true);
  options->addSeparator();

  QMenu* playMode = AddSubmenu("PlayModeMenu", "Play &Mode");
  Add(playMode, Entry::NormalPlay, "&Normal", true);
  Add(playMode, Entry::ShufflePlay, "&Shuffle", true);
  Add(playMode, Entry::FuzzyPlay, "&Fuzzy Logic", true);
}

// Uniformation, tags, skins and the stand-alone entries: the rest of the options menu.
void Options::BuildListAndSkinEntries() {
  QMenu* options = optionsMenu_.get();

  QMenu* uniform = AddSubmenu("PlaylistUniformMenu", "&Play List Uniformation");
  Add(uniform, Entry::UniAllCaps, "&ALL CAPITALS", true);
  Add(uniform, Entry::UniFirst, "&First Letter Only", true);
  Add(uniform, Entry::UniLower, "all &lower case", true);
  uniform->addSeparator();
  Add(uniform, Entry::RealPlayList, "Realtime Playlist", true);
  options->addSeparator();

  QMenu* tags = AddSubmenu("ID3Menu", "ID&3 Tags (v1+v2)");
  Add(tags, Entry::ID3Possible, "&Use When Possible", true);
  Add(tags, Entry::ID3Disable, "&Disable IDTags", true);
  options->addSeparator();

  QMenu* skins = AddSubmenu("SkinsMenu", "Skin &Chooser");
  Add(skins, Entry::Skin1, "(Skin List)", true);
  for (int k = 2; k <= 10; ++k) Add(skins, SkinEntry(k), QString(), true)->setVisible(false);
  skins->addSeparator();
  Add(skins, Entry::OtherSkinsMenu, "&Other Skins ...", false);
  Add(options, Entry::SkinMenu, "Skin &Infomation", false);
  options->addSeparator();

  Add(options, Entry::WebLinkMenu, "&Web Site (zelvo.example.org)", false);
  // B: "&Audio Balance" holds the A, and a shared letter only moves the highlight.
  Add(options, Entry::AboutMenu, "A&bout Zelvo ...", false);
  Add(options, Entry::HelpMenu, "&Help (Readme.rtf)", false);
  options->addSeparator();
  Add(options, Entry::SaveSetMenu, "Save Settings", false);
  Add(options, Entry::DefSetMenu, "Default Settings", false);
}

void Options::BuildVolumeMenu() {

  volumeMenu_ = std::make_unique<QMenu>(QStringLiteral("Volume"));
  QMenu* volume = volumeMenu_.get();
  Add(volume, Entry::MuteVol, "M&ute", true);
  volume->addSeparator();
  Add(volume, Entry::LowVol, "&Low", true);
  Add(volume, Entry::MedVol, "&Medium", true);
  Add(volume, Entry::HighVol, "&High", true);
  volume->addSeparator();
  Add(volume, Entry::FullVol, "&Full", true);
}

// The sort and delete menus of the playlist window's buttons.
void Options::BuildPlaylistMenus() {

  sortMenu_ = std::make_unique<QMenu>(QStringLiteral("(&Sort)"));
  QMenu* sort = sortMenu_.get();
  Add(sort, Entry::NameSort, "By &Track Name", false);
  Add(sort, Entry::TimeSort, "By &Duration", false);
  Add(sort, Entry::PathSort, "By &Path", false);
  Add(sort, Entry::PriorSort, "By P&riority", false);
  sort->addSeparator();
  Add(sort, Entry::AscOrder, "Ascending &Order", true);

  deleteMenu_ = std::make_unique<QMenu>(QStringLiteral("(&Delete)"));
  QMenu* erase = deleteMenu_.get();
  Add(erase, Entry::SelectedDel, "&Erase from Playlist (Del)", false);
  Add(erase, Entry::EntireDel, "&Clear this entire Playlist", false);
  erase->addSeparator();
  Add(erase, Entry::DeleteFile, "&Delete this File Forever", false);
}

void Options::BuildTrackMenu() {

  trackMenu_ = std::make_unique<QMenu>(QStringLiteral("(&PlaylistDD)"));
  QMenu* track = trackMenu_.get();
  ratingMenu_ = track->addMenu(QStringLiteral("This &Track Is?"));
  ratingMenu_->setObjectName("ManFuzzMenu");
  Add(ratingMenu_, Entry::FuzVHigh, "Brilliant", true);
  Add(ratingMenu_, Entry::FuzHigh, "Nice", true);
  Add(ratingMenu_, Entry::FuzNorm, "Ok", true);
  Add(ratingMenu_, Entry::FuzLow, "Bearable.", true);
  Add(ratingMenu_, Entry::FuzVLow, "Rubbish.", true);
  Add(track, Entry::SequenceMenu, "Sequence this track ...", false);
  track->addSeparator();
  Add(track, Entry::TotalTrackMenu, "Total Tracks:", false);
  Add(track, Entry::FileNameMenu, "File Name:", false);
  Add(track, Entry::FileSizeMenu, "File Size:", false);
  track->addSeparator();
  Add(track, Entry::RenameFile, "&Rename this Track", false);
}

bool Options::CheckedByDefault(Entry entry) {
  using enum Entry;
  static const Entry kCheckedByDefault[] = {BalMiddle,  NormalSE, NormalPlay,   UniFirst, MedVol, ID3Possible,
                                            AniEffects, AscOrder, RealPlayList, Trans200, Skin1};
  return std::find(std::begin(kCheckedByDefault), std::end(kCheckedByDefault), entry) != std::end(kCheckedByDefault);
}

void Options::SetBuiltInDefaults() {
  for (size_t i = 0; i < actions_.size(); ++i)
    if (actions_[i]->isCheckable()) actions_[i]->setChecked(CheckedByDefault(static_cast<Entry>(i)));
}

}  // namespace zelvo
