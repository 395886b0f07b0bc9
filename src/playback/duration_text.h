#pragma once

#include <QString>

namespace zelvo {

// A length or position in seconds as the player writes it: whole seconds
// (halves to the even neighbour), minutes ":" seconds, each at least two
// digits, minutes not limited ("02:05", "00:45", "100:05"). Zero is written
// "00" so that short tracks still sort before longer ones as text.
// Negative or non-finite values read as no time at all, "00:00".
QString DurationText(double seconds);

}  // namespace zelvo
