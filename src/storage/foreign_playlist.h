#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "base/track_rows.h"

namespace zelvo {

// Playlists written by other players: M3U and M3U8 (a path per line,
// "#EXTINF:seconds,name" before it in the extended form) and PLS (an INI
// file with FileN, TitleN and LengthN keys). Zelvo reads both and writes M3U8.

enum class ForeignPlaylistKind { None, M3u, Pls };

// The kind a playlist file is by its extension (".m3u", ".m3u8", ".pls",
// any case); None for anything else, Zelvo's own files included.
ForeignPlaylistKind ForeignPlaylistKindOf(const QString& path);

// One entry as the playlist gives it. The name and length are the
// playlist's own, when it states them.
struct ListedTrack {
  QString path;                  // absolute, "/" separated
  QString title;                 // empty when not given
  std::optional<double> seconds; // absent when not given or unknown (-1)
};

// Reads a playlist of either kind. Paths are taken relative to the
// playlist's folder unless absolute; "file:" URIs are decoded byte for byte
// (a relative one, "file:name", against the playlist's folder too); Windows
// separators become "/". A UTF-8 byte-order mark, CR LF line ends, blank
// lines and comments are passed over; entries of other URI schemes (streams)
// are skipped with a warning. Missing files keep their entries. Empty
// optional when the file cannot be read.
std::optional<std::vector<ListedTrack>> ReadForeignPlaylist(const QString& path, ForeignPlaylistKind kind);

// Writes the rows as an extended M3U in UTF-8: "#EXTM3U", then for each row
// "#EXTINF:seconds,name" and its path, as a percent-encoded "file://" URI
// when a plain line would not read back as the same path. Replaces the file atomically; false
// with the reason in error on failure.
bool WriteM3u8File(const QString& path, const TrackRows& rows, QString* error = nullptr);

}  // namespace zelvo
