#include "player_rig.h"

#include <QDir>
#include <QFile>

#include "storage/playlist_file.h"

namespace zelvo::test {

PlayerRig::PlayerRig() {
  desktop.screenTwips = QSizeF(19200, 11520);
  // The program's folder as it ships: with its skins.
  const QDir shipped(QStringLiteral(ZELVO_APP_DIR "/skins"));
  for (const QString& skin : shipped.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    QDir().mkpath(File("skins/" + skin));
    for (const QString& file : QDir(shipped.filePath(skin)).entryList(QDir::Files))
      QFile::copy(shipped.filePath(skin + "/" + file), File("skins/" + skin + "/" + file));
  }
}

Player& PlayerRig::Make() {
  auto scripted = std::make_unique<ScriptedDecoder>();
  decoder = scripted.get();
  player = std::make_unique<Player>(desktop, std::move(scripted), folder.path(), [this] { ++quits; });
  return *player;
}

QStringList PlayerRig::MessageTitles() const {
  QStringList titles;
  for (const ScriptedDesktop::Message& message : desktop.messages) titles << message.title;
  return titles;
}

QByteArray PlaylistBytes(const QStringList& records, const QString& header) {
  QByteArray bytes = "\"" + (header.isEmpty() ? kPlaylistHeaderV2 : header).toUtf8() + "\"\r\n";
  for (const QString& record : records) bytes += "\"" + record.toUtf8() + "\"\r\n";
  return bytes;
}

}  // namespace zelvo::test
