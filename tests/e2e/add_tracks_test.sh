#!/usr/bin/env bash
# A user adds two real files through the add dialog (Shift+A, names typed
# into the dialog): each row is named from its tags and timed by the decoder,
# and the playlist and the dialog's folder are kept.
source "$(dirname "$0")/lib.sh"

music=$work/music
mkdir -p "$music"
cp "$data_dir/id3v23.mp3" "$data_dir/chirp.wma" "$music/"
settings=('#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#TRUE#' '#FALSE#'
          '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '#TRUE#'
          '#FALSE#' '#FALSE#' '#TRUE#' '0' '#TRUE#' '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '0' "\"$music\"")
write_crlf "$folder/config.zcf" "${settings[@]}"

start_player
playlist=$(wait_window "Zelvo Playlist")
sleep 0.5
# Shift held around the letter: the command acts on the key's release.
xdotool windowactivate --sync "$playlist" keydown shift key a keyup shift
dialog=$(wait_window "Add Audio Files / Folders to Playlist")
xdotool windowactivate --sync "$dialog" type '"id3v23.mp3" "chirp.wma"'
xdotool key Return
# "Realtime Playlist" writes the list as soon as the add is done.
for _ in $(seq 100); do grep -q chirp.wma "$folder/AutoSave.zpl" 2>/dev/null && break; sleep 0.1; done
close_window "$(wait_window "Zelvo")"
wait_exit || fail "the player ended with an error"

write_crlf "$work/playlist.expected" \
  '"Quandrell Software - Zelvo Audio Player - Saved Playlist - V2"' \
  "\"Motörhead - Ace Of Spädes|00:01|$music/id3v23.mp3|0\"" \
  "\"Wma Author - Wma Title|00:05|$music/chirp.wma|0\""
cmp "$work/playlist.expected" "$folder/AutoSave.zpl" || fail "AutoSave.zpl differs: $(cat -A "$folder/AutoSave.zpl")"
[ "$(sed -n 31p "$folder/config.zcf" | tr -d "\r")" = "\"$music/\"" ] || fail "the add folder was not kept: $(sed -n 31p "$folder/config.zcf")"
echo "add tracks: ok"
