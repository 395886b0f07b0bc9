#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zelvo::test {

// A skin the build drew into the program's folder.
QString ShippedSkin(const QString& name);
// The names of the shipped skins, in the chooser's order.
QStringList ShippedSkinNames();

// Copies every file of a skin folder into `to`, creating it.
void CopySkin(const QString& from, const QString& to);

// Files this process holds open whose path starts with `folder`.
QStringList FilesOpenUnder(const QString& folder);

}  // namespace zelvo::test
