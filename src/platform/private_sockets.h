#pragma once

#include <QString>
#include <optional>
#include <sys/types.h>

namespace zelvo {

// A folder only this user can enter, for local sockets no other user may
// take: $XDG_RUNTIME_DIR when it is such a folder, otherwise "zelvo-sockets"
// under the cache folder, made (0700) on first use. Nothing when neither is
// private; reason then says why.
std::optional<QString> PrivateSocketFolder(QString* reason);

// The user at the other end of a connected local socket, from the kernel.
std::optional<uid_t> PeerUser(qintptr socketDescriptor);

}  // namespace zelvo
