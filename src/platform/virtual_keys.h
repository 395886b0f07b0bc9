#pragma once

#include <Qt>

namespace zelvo {

// Key codes as the player's commands name them: letters by their capital's
// code (A = 65), Enter 13, Delete 46. Keys without a code of their own give 0.
inline int VirtualKey(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;  // Qt uses the same codes
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return qtKey;
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Delete: return 46;
  }
  return 0;
}

inline constexpr int kVirtualKeyEnter = 13;
inline constexpr int kVirtualKeyDelete = 46;

}  // namespace zelvo
