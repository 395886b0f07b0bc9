#pragma once

#include <QString>
#include <vector>

#include "base/track_rows.h"
#include "base/uniform_name.h"

namespace zelvo {

// Playlist files (the autosave file and the user's ".zpl" files): a header
// line, then one "name|duration|path|priority" record per track, every line a
// double-quoted string ending in CR LF. Files are written in UTF-8; earlier
// versions wrote Windows-1252, which is still read.
inline const QString kPlaylistHeaderV2 = QStringLiteral("Quandrell Software - Zelvo Audio Player - Saved Playlist - V2");
// The first format, without priorities; read, never written.
inline const QString kPlaylistHeaderV1 = QStringLiteral("Quandrell Software - Zelvo Audio Player - Saved Playlist");

// Writes the rows in V2 form, replacing the file atomically: on failure the
// old file is untouched and false is returned with the reason in error.
// A "|" or double quote in a name, duration or priority is written as its
// look-alike ("¦", "”") and a line break as a space, so no field can cut or
// shift another when read back; a path holding such characters is stored
// escaped (see escaped_path.h). Any other text is written unchanged. An
// empty list writes the header line only. There is no limit on the row count.
bool WritePlaylistFile(const QString& path, const TrackRows& rows, QString* error = nullptr);

struct PlaylistReadResult {
  enum Status {
    Missing,  // no such file, empty or unreadable: nothing to tell the user
    Invalid,  // the first line is neither header (compared exactly)
    V1,       // read; the caller rewrites it in V2 form and tells the user once
    V2,
  };
  Status status = Missing;
  // Rows in file order; empty unless the status is V1 or V2.
  TrackRows rows;
  // The last line has no line end: the file was cut short while written.
  bool cut = false;

  bool NeedsUpgrade() const { return status == V1; }
};

// Reads a playlist file. Every name passes through UniformName with the given
// case styles; durations and priorities are taken as they are; escaped paths
// are decoded. V1 rows get priority "0". A record without any "|" adds no
// row; a record with too few fields gives a row with the fields it has (the
// missing ones empty, priority "0"). A record with more fields than its
// version has is taken to be a name holding "|" (which earlier versions wrote
// unchanged) as far as that puts a duration in the duration column; any
// surplus left stays with the last field, so no field shifts.
PlaylistReadResult ReadPlaylistFile(const QString& path, const UniformCase& mode);

}  // namespace zelvo
