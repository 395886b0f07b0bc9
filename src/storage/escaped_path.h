#pragma once

#include <QString>
#include <QStringView>
#include <string_view>

namespace zelvo {

// Paths are stored unquoted inside the one quoted line of a record, so a path
// holding "|", a double quote or a line break (possible outside Windows)
// would cut or shift the fields around it, and the bytes of a file name that
// are not UTF-8 (see platform/path_bytes.h) would be taken for Windows-1252
// text when read back. Such a path is stored as "zelvo-escaped:" followed by
// the path with "%", "|", double quote, CR, LF and each such byte
// percent-encoded. Any other path is stored as it is, so files stay readable
// by earlier versions, which merely fail to play an escaped path.

// True when text ends or splits a stored field: it holds "|", the double
// quote, CR or LF. The writers ask this of every field of every row; a
// library search per character is far faster than one loop testing four.
bool HoldsFieldBreak(QStringView text);
// The same for UTF-8: all four are ASCII, and UTF-8 uses no ASCII byte
// inside another character.
bool HoldsFieldBreak(std::string_view utf8);

// True when a path, given as UTF-8, is stored as it is (EscapePath would
// return it unchanged) as far as its text goes; its bytes that are not UTF-8
// the writer asks about apart. Lets a writer check the bytes it has just encoded.
bool IsStoredAsIs(std::string_view utf8Path);

// The path as it is stored in a file.
QString EscapePath(const QString& path);

// True when a stored text is an escaped path.
bool IsStoredEscaped(QStringView stored);

// The path a stored text stands for; text without the marker is returned as
// it is, and a malformed percent sequence is kept literally.
QString UnescapePath(const QString& stored);

}  // namespace zelvo
