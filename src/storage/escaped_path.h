#pragma once

#include <QString>

namespace zelvo {

// Paths are stored unquoted inside the one quoted line of a record, so a path
// holding "|", a double quote or a line break (possible outside Windows)
// would cut or shift the fields around it. Such a path is stored as
// "zelvo-escaped:" followed by the path with "%", "|", double quote, CR and
// LF percent-encoded. Any other path is stored as it is, so files stay
// readable by earlier versions, which merely fail to play an escaped path.

// True for the characters that end or split a stored field: "|", the double
// quote, CR and LF.
bool BreaksStoredField(QChar c);

// The path as it is stored in a file.
QString EscapePath(const QString& path);

// The path a stored text stands for; text without the marker is returned as
// it is, and a malformed percent sequence is kept literally.
QString UnescapePath(const QString& stored);

}  // namespace zelvo
