#pragma once

#include <QString>
#include <ostream>

// Test failures show texts as text, not as the bytes of a QString. Every test
// file gets this first (see tests/CMakeLists.txt), so all agree on it.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& value, std::ostream* out) { *out << '"' << value.toStdString() << '"'; }
QT_END_NAMESPACE
