#pragma once

#include <QString>
#include <QStringList>

namespace zelvo {

// Where Zelvo's files live. A portable copy (the program's folder can be
// written and is not an installed copy) keeps everything beside the program,
// as it always has. An installed copy, or one in a folder the user cannot
// write, keeps each user's playlist and options in the XDG folders of their
// home and reads the skins, credits picture and help file it ships with from
// its data folder.
struct AppFolders {
  QString programFolder;  // the folder of the executable
  QString dataFolder;     // AutoSave.zpl, and the user's own skins under "skins"
  QString configFolder;   // config.zcf
  QString sharedFolder;   // the shipped "skins", credits.dat and readme.rtf
  QString startFolder;    // where the add-tracks dialog opens on a first start
  QString iconFolder;     // the icon theme folder ("hicolor") holding the program's icons
  bool portable = true;

  // Everything in one folder.
  static AppFolders Portable(const QString& folder);
  // Decides for the program in programFolder. installedDataFolder is where an
  // installed copy's data folder would be (relative to programFolder, or
  // absolute). Makes the user's folders when they are the ones used.
  static AppFolders Locate(const QString& programFolder, const QString& installedDataFolder);

  // The folders holding a "skins" folder, the user's own first: a skin of the
  // same name there is the one used.
  QStringList SkinParents() const;

  // Where to read the user's file `name` kept in `folder`. Until the user has
  // one of their own, a copy that was left beside a program whose folder has
  // since become read-only is read instead, so its list and options carry on.
  QString ReadPath(const QString& folder, const QString& name) const;
};

}  // namespace zelvo
