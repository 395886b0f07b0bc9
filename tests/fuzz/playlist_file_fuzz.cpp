// The playlist reader on any bytes; the rows it takes from them are written
// and must read back as the writer promises: the same rows, with "|", double
// quotes and line breaks in names, durations and priorities turned into
// their look-alikes.

#include "fuzz_support.h"
#include "storage/playlist_file.h"

namespace {

QString LookAlike(QString field) {
  return field.replace(u'|', u'\u00A6').replace(u'"', u'\u201D').replace(u'\r', u' ').replace(u'\n', u' ');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using zelvo::fuzz::Require;
  if (size == 0) return 0;
  const zelvo::UniformCase mode{.allCaps = (data[0] & 1) != 0, .lower = (data[0] & 2) != 0,
                                .firstLetter = (data[0] & 4) != 0};
  const QString path = zelvo::fuzz::WriteInput(QStringLiteral("list.zpl"), data + 1, size - 1);
  const zelvo::PlaylistReadResult read = zelvo::ReadPlaylistFile(path, mode);
  const bool readable = read.status == zelvo::PlaylistReadResult::V1 || read.status == zelvo::PlaylistReadResult::V2;
  Require(readable || read.rows.empty(), "an unreadable file gives no rows");

  const QString copy = zelvo::fuzz::ScratchFolder().filePath(QStringLiteral("copy.zpl"));
  Require(zelvo::WritePlaylistFile(copy, read.rows), "the rows can be written");
  const zelvo::PlaylistReadResult again = zelvo::ReadPlaylistFile(copy, mode);
  Require(again.status == zelvo::PlaylistReadResult::V2, "a written file is a current playlist");
  Require(!again.cut, "a written file ends with its line end");
  Require(again.rows.size() == read.rows.size(), "every row reads back");
  for (std::size_t i = 0; i < read.rows.size(); ++i) {
    const zelvo::TrackEntry& before = read.rows[i];
    const zelvo::TrackEntry& after = again.rows[i];
    Require(after.name == zelvo::UniformName(LookAlike(before.name), mode), "the name reads back");
    Require(after.duration == LookAlike(before.duration), "the duration reads back");
    Require(after.path == before.path, "the path reads back unchanged");
    Require(after.priority == LookAlike(before.priority), "the priority reads back");
  }
  return 0;
}
