#!/usr/bin/env bash
# Files that are not what their names say: a list whose rows name a FIFO and
# a link to /dev/zero as ".mp3" files is played through, and WMA files whose
# header objects lie about their sizes are added. The program neither
# crashes nor freezes: every file gets its row, the list is saved, and the
# player closes as usual.
source "$(dirname "$0")/lib.sh"

music=$work/music
mkdir -p "$music"
cp "$data_dir/crash_object_size.wma" "$data_dir/hang_object_cycle.wma" "$data_dir/id3v23.mp3" "$music/"
mkfifo "$music/pipe.mp3"
ln -s /dev/zero "$music/zero.mp3"
settings=('#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#TRUE#' '#FALSE#'
          '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '#TRUE#'
          '#FALSE#' '#FALSE#' '#TRUE#' '0' '#TRUE#' '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '0' "\"$music\"")
write_crlf "$folder/config.zcf" "${settings[@]}"
write_crlf "$folder/AutoSave.zpl" '"Quandrell Software - Zelvo Audio Player - Saved Playlist - V2"' \
  "\"Pipe|03:00|$music/pipe.mp3|0\"" "\"Zero|03:00|$music/zero.mp3|0\""

start_player
playlist=$(wait_window "Zelvo Playlist")
sleep 0.5
# Play: the rows of the FIFO and the device are skipped once a second each.
xdotool windowactivate --sync "$playlist" keydown shift key p keyup shift
sleep 3
kill -0 "$player_pid" 2>/dev/null || fail "the player died while playing: $(cat "$work/player.log")"
xdotool windowactivate --sync "$playlist" keydown shift key a keyup shift
dialog=$(wait_window "Add Audio Files / Folders to Playlist")
xdotool windowactivate --sync "$dialog" \
  type '"crash_object_size.wma" "hang_object_cycle.wma" "id3v23.mp3"'
xdotool key Return
for _ in $(seq 200); do grep -q id3v23.mp3 "$folder/AutoSave.zpl" 2>/dev/null && break; sleep 0.1; done
kill -0 "$player_pid" 2>/dev/null || fail "the player died while adding: $(cat "$work/player.log")"
grep -q id3v23.mp3 "$folder/AutoSave.zpl" 2>/dev/null || fail "the add never finished"
close_window "$(wait_window "Zelvo")"
wait_exit || fail "the player ended with an error"

rows=$(($(wc -l <"$folder/AutoSave.zpl") - 1))
[ "$rows" -eq 5 ] || fail "expected 5 rows: $(cat -A "$folder/AutoSave.zpl")"
for name in crash_object_size.wma hang_object_cycle.wma pipe.mp3 zero.mp3; do
  grep -q "|$music/$name|0\"" "$folder/AutoSave.zpl" || fail "no row for $name: $(cat -A "$folder/AutoSave.zpl")"
done
echo "unusual files: ok"
