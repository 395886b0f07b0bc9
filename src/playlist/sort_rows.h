#pragma once

namespace zelvo {

class TrackList;

// Reorders the rows by the text of one column (name, duration or path),
// compared as text without regard to letter case. Rows with equal texts keep
// their order. Only the order changes: selected rows stay selected and the
// cursor stays on its row, wherever the rows go.
void SortRows(TrackList& tracks, int column, bool ascending);

}  // namespace zelvo
