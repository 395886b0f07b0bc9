#pragma once

class QMessageBox;

namespace zelvo {

// A box's text may name any number of files, one a line, and paths of any
// length. When the text would make the box taller than half the screen's free
// area, the text moves into a scrolling view of the same box that wraps long
// lines anywhere, so the box and its buttons stay on the screen. Call once the
// box has its text, icon and buttons.
void FitMessageToScreen(QMessageBox& box);

}  // namespace zelvo
