#pragma once

#include <QString>

namespace zelvo {

// Qt's file dialogs read a folder's names as UTF-8 and show each byte that is
// none as U+FFFD, and answer with those names: the file they stand for can
// then never be opened. Finds the real name again: each part of the path that
// holds U+FFFD is looked up among its folder's entries, read as bytes, and the
// one entry Qt would show the same way gives the bytes (see
// platform/path_bytes.h). A path without U+FFFD is returned as it is; one
// whose part matches no entry, or several, is returned unchanged with the
// reason in problem.
QString RecoverLossyPath(const QString& shown, QString* problem = nullptr);

}  // namespace zelvo
