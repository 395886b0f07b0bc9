#pragma once

#include <QString>
#include <QStringList>

#include "skins/skin_loader.h"

namespace zelvo {

class Options;

// The "Skin &Chooser" submenu: up to ten installed skins (the sub-folders of
// the "skins" folders, by name), other skins from any folder, and the
// information a skin's author wrote about it.
class SkinChooser {
 public:
  // skinParents hold a "skins" folder each; their skins are listed together,
  // and of two skins with one name the first parent's is used. Other skins
  // are looked for from dialogFolder.
  SkinChooser(Options& options, PlayerState& state, Desktop& desktop, SkinTargets& targets,
              const QStringList& skinParents, const QString& dialogFolder);

  // Connects Skin1..Skin10, "&Other Skins ..." and "Skin &Infomation" to the
  // operations below.
  void ConnectMenuEntries();

  // Names and shows one entry per installed skin; run once at start-up.
  void FillSkinMenu();
  // Loads the skin of entry SkinNumber (the first entry when none was chosen)
  // and checks that entry, or none.
  void SelectSkin();
  // The user chose entry `number` (1..10): it becomes the remembered skin.
  void ChooseSkin(int number);
  // Loads a skin from a folder picked through its information file; for this
  // run only, the remembered entry stays.
  void LoadCustomSkin();
  // Shows the information file of entry SkinNumber's skin, if it has one.
  void ShowSkinInformation();

  static constexpr int kEntries = 10;

 private:
  QString EntryFolder(int number) const;

  Options& options_;
  PlayerState& state_;
  Desktop& desktop_;
  SkinTargets& targets_;
  SkinLoader loader_;
  QStringList SkinsFolders() const;

  const QStringList skinParents_;
  const QString dialogFolder_;
};

// The path without its last part and the "/" before it; empty when the path
// has no "/".
QString FolderOfPath(const QString& path);

}  // namespace zelvo
