#include "player_rig.h"

#include "skin_folders.h"
#include "storage/playlist_file.h"
#include "test_support.h"

namespace zelvo::test {

PlayerRig::PlayerRig() {
  desktop.screenTwips = QSizeF(19200, 11520);
  // The program's folder as it ships: with its skins.
  for (const QString& skin : ShippedSkinNames()) CopySkin(ShippedSkin(skin), File("skins/" + skin));
}

Player& PlayerRig::Make() {
  auto scripted = std::make_unique<ScriptedDecoder>();
  decoder = scripted.get();
  player = std::make_unique<Player>(desktop, std::move(scripted), AppFolders::Portable(folder.path()), [this] { ++quits; },
                                    [this](const QString& path) { return decoder->Probe(path); });
  return *player;
}

bool PlayerRig::WaitForStillWindows() {
  return WaitFor([this] { return !player->motion().Sliding(); }, 3000);
}

QStringList PlayerRig::MessageTitles() const {
  QStringList titles;
  for (const ScriptedDesktop::Message& message : desktop.messages) titles << message.title;
  return titles;
}

QStringList CheckedEntries(const Options& options, Category category) {
  QStringList checked;
  for (Entry entry : CategoryEntries(category))
    if (options.IsChecked(entry)) checked << EntryName(entry);
  return checked;
}

QByteArray PlaylistBytes(const QStringList& records, const QString& header) {
  QByteArray bytes = "\"" + (header.isEmpty() ? kPlaylistHeaderV2 : header).toUtf8() + "\"\r\n";
  for (const QString& record : records) bytes += "\"" + record.toUtf8() + "\"\r\n";
  return bytes;
}

}  // namespace zelvo::test
