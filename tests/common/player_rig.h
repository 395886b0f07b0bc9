#pragma once

#include <QTemporaryDir>
#include <memory>

#include "app/player.h"
#include "scripted_decoder.h"
#include "scripted_desktop.h"

namespace zelvo::test {

// A player in a temporary program folder, with a scripted desktop and
// decoder; quitting is recorded instead of ending the test program.
struct PlayerRig {
  QTemporaryDir folder;
  ScriptedDesktop desktop;
  ScriptedDecoder* decoder = nullptr;
  int quits = 0;
  std::unique_ptr<Player> player;

  PlayerRig();
  // Creates the player; files put into the folder before this are what it finds.
  Player& Make();
  QString File(const QString& name) const { return folder.filePath(name); }
  // Waits (up to 3 s) until no window is sliding; false if one still is.
  bool WaitForStillWindows();
  // Messages shown so far, as "title: text".
  QStringList MessageTitles() const;
};

// The names of the ticked entries of a category, in menu order.
QStringList CheckedEntries(const Options& options, Category category);

// A V2 playlist file's bytes for the given "name|duration|path|priority" records.
QByteArray PlaylistBytes(const QStringList& records, const QString& header = {});

}  // namespace zelvo::test
