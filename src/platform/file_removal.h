#pragma once

#include <QString>
#include <optional>

namespace zelvo {

// Removes a file from the disk for good (no trash folder). A file that is
// already gone counts as removed. Returns nothing on success, otherwise the
// system's reason ("Permission denied", "Is a directory" ...). A folder is
// never removed, even an empty one.
std::optional<QString> RemoveFileForever(const QString& path);

}  // namespace zelvo
