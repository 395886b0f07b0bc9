#pragma once

#include "base/option_entry.h"

namespace zelvo {

// The options as the player's logic reads them: whether an entry of the
// options menu is checked. The menu's check marks are the only copy; the
// logic below the windows sees them through this and never the menu itself.
class OptionValues {
 public:
  virtual ~OptionValues() = default;
  virtual bool IsChecked(Entry entry) const = 0;
};

}  // namespace zelvo
