#include "skins/skin_chooser.h"

#include <QAction>
#include <QDir>

#include "base/boxes.h"
#include "menus/menu_caption.h"
#include "menus/options.h"
#include "base/player_state.h"
#include "platform/desktop.h"
#include "skins/path_ignoring_case.h"
#include "skins/skin_targets.h"
#include "storage/text_codec.h"

namespace zelvo {
SkinChooser::SkinChooser(Options& options, PlayerState& state, Desktop& desktop, SkinTargets& targets,
                         const QStringList& skinParents, const QString& dialogFolder)
    : options_(options),
      state_(state),
      desktop_(desktop),
      targets_(targets),
      loader_(targets, state, desktop),
      skinParents_(skinParents),
      dialogFolder_(dialogFolder) {}

void SkinChooser::ConnectMenuEntries() {
  for (int number = 1; number <= kEntries; ++number)
    QObject::connect(options_.Action(SkinEntry(number)), &QAction::triggered, [this, number] { ChooseSkin(number); });
  QObject::connect(options_.Action(Entry::OtherSkinsMenu), &QAction::triggered, [this] { LoadCustomSkin(); });
  QObject::connect(options_.Action(Entry::SkinMenu), &QAction::triggered, [this] { ShowSkinInformation(); });
}

QStringList SkinChooser::SkinsFolders() const {
  QStringList folders;
  for (const QString& parent : skinParents_) folders << PathIgnoringCase(parent, QStringLiteral("skins"));
  return folders;
}

void SkinChooser::FillSkinMenu() {
  QStringList folders;
  for (const QString& skinsFolder : SkinsFolders())
    for (const QString& name : QDir(skinsFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
      if (!folders.contains(name)) folders << name;
  folders.sort(Qt::CaseInsensitive);
  for (int number = 1; number <= kEntries && number <= folders.size(); ++number)
    options_.Action(SkinEntry(number))->setText(MenuCaption(folders[number - 1]));
  for (int number = 1; number <= kEntries; ++number) {
    QAction* entry = options_.Action(SkinEntry(number));
    if (!entry->text().isEmpty()) entry->setVisible(true);
  }
}

QString SkinChooser::EntryFolder(int number) const {
  const QString name = NameOfMenuCaption(options_.Action(SkinEntry(number))->text());
  const QStringList skinsFolders = SkinsFolders();
  for (const QString& skinsFolder : skinsFolders)
    if (QDir(skinsFolder).exists(name)) return skinsFolder + QLatin1Char('/') + name;
  return skinsFolders.first() + QLatin1Char('/') + name;
}

void SkinChooser::SelectSkin() {
  const int number = state_.SkinNumber;
  if (number == 0) loader_.LoadSkin(EntryFolder(1));
  if (number >= 1 && number <= kEntries) loader_.LoadSkin(EntryFolder(number));
  options_.SetOption(Category::Skin);
  if (number >= 1 && number <= kEntries) options_.SetChecked(SkinEntry(number), true);
}

void SkinChooser::ChooseSkin(int number) {
  options_.SetOption(Category::Skin);
  options_.SetChecked(SkinEntry(number), true);
  state_.SkinNumber = number;
  SelectSkin();
}

void SkinChooser::LoadCustomSkin() {
  DialogOpenScope open(state_);
  FileDialogRequest request;
  request.title = QStringLiteral("Load Custom Skin ...");
  request.initialFolder = dialogFolder_;
  request.filter = QStringLiteral("Zelvo Skin Files (skininfo.zsk)|skininfo.zsk|All Files (*.*)|*.*");
  request.filterIndex = 1;
  request.mustExist = true;
  // The chosen file only marks its folder; it is not read.
  const std::optional<QStringList> chosen = desktop_.AskOpenFiles(request);
  if (chosen && !chosen->isEmpty()) loader_.LoadSkin(FolderOfPath(chosen->first()));
}

void SkinChooser::ShowSkinInformation() {
  QString text;
  const int number = state_.SkinNumber;
  if (number >= 1 && number <= kEntries) {
    // Authors wrote these files on Windows, in Windows-1252, before UTF-8.
    const QString path = PathIgnoringCase(EntryFolder(number), QStringLiteral("Skininfo.zsk"));
    text = ReadTextFile(path, kSmallFileLimit).value_or(QString());
  }
  targets_.SetPlaylistVisible(false);
  {
    DialogOpenScope open(state_);
    if (!text.isEmpty())
      desktop_.ShowMessage(text, QStringLiteral("Skin Infomation"), MessageIcon::Information, MessageButtons::Ok);
  }
  targets_.SetPlaylistVisible(true);
}

QString FolderOfPath(const QString& path) {
  const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
  return slash < 0 ? QString() : path.left(slash);
}

}  // namespace zelvo
