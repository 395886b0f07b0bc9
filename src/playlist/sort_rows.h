#pragma once

namespace zelvo {

class TrackList;

// Reorders the rows by the text of one column (name, duration or path),
// compared as text without regard to letter case. Rows with equal texts keep
// their order. The selection is cleared, as the rows it named have moved.
void SortRows(TrackList& tracks, int column, bool ascending);

}  // namespace zelvo
