#pragma once

namespace zelvo {

// An X server repeats a held key as release and press pairs, and Qt marks a
// pair as repeated only when the press has come in together with the release;
// on a busy machine it often has not, and a held Shift+D toggled the list over
// and over. Asked to, the server repeats the press alone and sends one release
// when the key really goes up. Other windowing systems mark repeats reliably,
// and there this does nothing.
void AskForOneReleasePerKeystroke();

}  // namespace zelvo
