#pragma once

#include <QString>

namespace zelvo {

// A name from outside (a file, a skin folder, a sound device) as a menu
// entry's caption: each "&" doubled, so that it shows as typed instead of
// turning into an accelerator and vanishing.
QString MenuCaption(const QString& name);

// The name a caption made by MenuCaption stands for.
QString NameOfMenuCaption(const QString& caption);

}  // namespace zelvo
