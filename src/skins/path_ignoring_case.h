#pragma once

#include <QString>

namespace zelvo {

// folder + "/" + name, where name may differ from the entry on disk in letter
// case only ("skins" and "Skins", "Skininfo.zsk" and "skininfo.zsk"): skins
// made on case-blind file systems keep working here. The exact spelling wins
// when both exist; with no match the plain joined path comes back.
QString PathIgnoringCase(const QString& folder, const QString& name);

}  // namespace zelvo
