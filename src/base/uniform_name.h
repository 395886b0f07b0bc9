#pragma once

#include <QString>

namespace zelvo {

// The case styles of the "uni" option category. More than one may be ticked
// (a settings file can leave them so); each ticked style is applied in turn,
// capitals first, then lower case, then first letters.
struct UniformCase {
  bool allCaps = false;
  bool lower = false;
  bool firstLetter = false;
};

// Cleans a track name for the list: dashes that touch a space become " - "
// (and then every other dash of the name too), "#" goes, brackets and
// underscores become spaces, runs of spaces fold to one, "&" becomes "and",
// and the chosen case styles are applied. A style trims spaces at both ends;
// with no style ticked the name is not trimmed. Case mapping covers every
// letter Unicode maps, accented ones included. Cleaning a cleaned name
// changes nothing. Never fails; "" stays "".
// Taken by value: a caller handing over a temporary saves a copy.
QString UniformName(QString name, const UniformCase& mode);

// True when UniformName would give the name back as it is. Most names read
// back from a list are clean already and need no copy to be cleaned.
bool IsUniform(QStringView name, const UniformCase& mode);

}  // namespace zelvo
