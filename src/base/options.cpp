#include "base/options.h"

namespace zelvo {
namespace {

struct Category {
  const char* code;
  QStringList entries;
};

const QList<Category>& Categories() {
  static const QList<Category> categories = {
      {"bal", {"BalLeft", "BalLHalf", "BalMiddle", "BalRHalf", "BalRight"}},
      {"se", {"ClassicSE", "NormalSE", "DanceSE"}},
      {"play", {"NormalPlay", "ShufflePlay", "FuzzyPlay"}},
      {"uni", {"UniAllCaps", "UniFirst", "UniLower"}},
      {"vol", {"MuteVol", "LowVol", "MedVol", "HighVol", "FullVol"}},
      {"id3", {"ID3Possible", "ID3Disable"}},
      {"trn", {"Trans100", "Trans200", "Trans150", "Trans254"}},
      {"skn", {"Skin1", "Skin2", "Skin3", "Skin4", "Skin5", "Skin6", "Skin7", "Skin8", "Skin9", "Skin10"}},
      {"fuz", {"FuzVHigh", "FuzHigh", "FuzNorm", "FuzLow", "FuzVLow"}},
  };
  return categories;
}

}  // namespace

Options::Options(QObject* parent) : QObject(parent) {
  Build();
  SetBuiltInDefaults();
}

Options::~Options() = default;

QStringList Options::CategoryEntries(const QString& code) {
  for (const Category& category : Categories())
    if (code == QLatin1String(category.code)) return category.entries;
  return {};
}

QString Options::CategoryOf(const QString& name) {
  for (const Category& category : Categories())
    if (category.entries.contains(name)) return QString::fromLatin1(category.code);
  return {};
}

QAction* Options::Action(const QString& name) const {
  QAction* action = actions_.value(name);
  Q_ASSERT_X(action, "Options::Action", qPrintable(name));
  return action;
}

void Options::SetOption(const QString& code) {
  for (const QString& name : CategoryEntries(code)) Action(name)->setChecked(false);
  emit HoverResetRequested();
}

QAction* Options::Add(QMenu* menu, const QString& name, const QString& caption, bool checkable) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  action->setCheckable(checkable);
  menu->addAction(action);
  actions_.insert(name, action);
  return action;
}

void Options::Build() {
  optionsMenu_ = std::make_unique<QMenu>(QStringLiteral("Options"));
  QMenu* options = optionsMenu_.get();
  auto submenu = [&](const QString& name, const QString& caption) {
    QMenu* sub = options->addMenu(caption);
    sub->setObjectName(name);
    return sub;
  };

  QMenu* balance = submenu("AudioBalanceMenu", "&Audio Balance");
  Add(balance, "BalLeft", "&Left Only", true);
  Add(balance, "BalLHalf", "Left Half", true);
  Add(balance, "BalMiddle", "&Middle", true);
  Add(balance, "BalRHalf", "Right Half", true);
  Add(balance, "BalRight", "&Right Only", true);
  options->addSeparator();

  QMenu* effects = submenu("SEMenu", "&Special Effects");
  Add(effects, "ClassicSE", "&Classic Mode", true);
  Add(effects, "NormalSE", "&Normal Effects", true);
  Add(effects, "DanceSE", "&Dance Mode", true);
  effects->addSeparator();
  Add(effects, "AniEffects", "Animation Effects", true);

  transparencyMenu_ = submenu("TransparencyMenu", "&Transparency (2k/XP only)");
  Add(transparencyMenu_, "Trans254", "Off", true);
  Add(transparencyMenu_, "Trans200", "A Little", true);
  Add(transparencyMenu_, "Trans150", "Half Way", true);
  Add(transparencyMenu_, "Trans100", "Very", true);
  options->addSeparator();

  QMenu* playMode = submenu("PlayModeMenu", "Play &Mode");
  Add(playMode, "NormalPlay", "&Normal", true);
  Add(playMode, "ShufflePlay", "&Shuffle", true);
  Add(playMode, "FuzzyPlay", "&Fuzzy Logic", true);

  QMenu* uniform = submenu("PlaylistUniformMenu", "&Play List Uniformation");
  Add(uniform, "UniAllCaps", "&ALL CAPITALS", true);
  Add(uniform, "UniFirst", "&First Letter Only", true);
  Add(uniform, "UniLower", "all &lower case", true);
  uniform->addSeparator();
  Add(uniform, "RealPlayList", "Realtime Playlist", true);
  options->addSeparator();

  QMenu* tags = submenu("ID3Menu", "ID&3 Tags (v1+v2)");
  Add(tags, "ID3Possible", "&Use When Possible", true);
  Add(tags, "ID3Disable", "&Disable IDTags", true);
  options->addSeparator();

  QMenu* skins = submenu("SkinsMenu", "Skin &Chooser");
  Add(skins, "Skin1", "(Skin List)", true);
  for (int k = 2; k <= 10; ++k) Add(skins, QString("Skin%1").arg(k), QString(), true)->setVisible(false);
  skins->addSeparator();
  Add(skins, "OtherSkinsMenu", "&Other Skins ...", false);
  Add(options, "SkinMenu", "Skin &Infomation", false);
  options->addSeparator();

  Add(options, "WebLinkMenu", "&Web Site (zelvo.example.org)", false);
  Add(options, "AboutMenu", "&About Zelvo ...", false);
  Add(options, "HelpMenu", "&Help (Readme.rtf)", false);
  options->addSeparator();
  Add(options, "SaveSetMenu", "Save Settings", false);
  Add(options, "DefSetMenu", "Default Settings", false);

  volumeMenu_ = std::make_unique<QMenu>(QStringLiteral("Volume"));
  QMenu* volume = volumeMenu_.get();
  Add(volume, "MuteVol", "M&ute", true);
  volume->addSeparator();
  Add(volume, "LowVol", "&Low", true);
  Add(volume, "MedVol", "&Medium", true);
  Add(volume, "HighVol", "&High", true);
  volume->addSeparator();
  Add(volume, "FullVol", "&Full", true);

  sortMenu_ = std::make_unique<QMenu>(QStringLiteral("(&Sort)"));
  QMenu* sort = sortMenu_.get();
  Add(sort, "NameSort", "By &Track Name", false);
  Add(sort, "TimeSort", "By &Duration", false);
  Add(sort, "PathSort", "By &Path", false);
  Add(sort, "PriorSort", "By P&riority", false);
  sort->addSeparator();
  Add(sort, "AscOrder", "Ascending &Order", true);

  deleteMenu_ = std::make_unique<QMenu>(QStringLiteral("(&Delete)"));
  QMenu* erase = deleteMenu_.get();
  Add(erase, "SelectedDel", "&Erase from Playlist (Del)", false);
  Add(erase, "EntireDel", "&Clear this entire Playlist", false);
  erase->addSeparator();
  Add(erase, "DeleteFile", "&Delete this File Forever", false);

  trackMenu_ = std::make_unique<QMenu>(QStringLiteral("(&PlaylistDD)"));
  QMenu* track = trackMenu_.get();
  ratingMenu_ = track->addMenu(QStringLiteral("This &Track Is?"));
  ratingMenu_->setObjectName("ManFuzzMenu");
  Add(ratingMenu_, "FuzVHigh", "Brilliant", true);
  Add(ratingMenu_, "FuzHigh", "Nice", true);
  Add(ratingMenu_, "FuzNorm", "Ok", true);
  Add(ratingMenu_, "FuzLow", "Bearable.", true);
  Add(ratingMenu_, "FuzVLow", "Rubbish.", true);
  Add(track, "SequenceMenu", "Sequence this track ...", false);
  track->addSeparator();
  Add(track, "TotalTrackMenu", "Total Tracks:", false);
  Add(track, "FileNameMenu", "File Name:", false);
  Add(track, "FileSizeMenu", "File Size:", false);
  track->addSeparator();
  Add(track, "RenameFile", "&Rename this Track", false);
}

bool Options::CheckedByDefault(const QString& name) {
  static const QStringList kCheckedByDefault = {
      "BalMiddle", "NormalSE", "NormalPlay", "UniFirst",    "MedVol", "ID3Possible",
      "AniEffects", "AscOrder", "RealPlayList", "Trans200", "Skin1"};
  return kCheckedByDefault.contains(name);
}

void Options::SetBuiltInDefaults() {
  for (auto it = actions_.cbegin(); it != actions_.cend(); ++it)
    if (it.value()->isCheckable()) it.value()->setChecked(CheckedByDefault(it.key()));
}

}  // namespace zelvo
