#!/usr/bin/env bash
# A user selects two rows, chooses "Delete this File Forever" from the delete
# button's menu and answers Yes twice: both files leave the disk and the
# playlist, the autosave file says so at once, and the third file stays.
source "$(dirname "$0")/lib.sh"

music="$work/my music"
mkdir -p "$music"
for name in "first song" "second song" "third song"; do cp "$data_dir/id3v23.mp3" "$music/$name.mp3"; done
write_crlf "$folder/AutoSave.zpl" \
  '"Quandrell Software - Zelvo Audio Player - Saved Playlist - V2"' \
  "\"First Song|00:01|$music/first song.mp3|0\"" \
  "\"Second Song|00:01|$music/second song.mp3|0\"" \
  "\"Third Song|00:01|$music/third song.mp3|0\""

start_player
playlist=$(wait_window "Zelvo Playlist")
# The pointer rests on the playlist, so that the bar does not tuck itself away.
xdotool mousemove --window "$playlist" 200 200
bar=$(wait_window "Zelvo")
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$playlist")"
# Pixels at 96 dpi: the list starts 19 px down, the button bar is the bottom 25 px.
xdotool mousemove --window "$playlist" 60 26 click 1
xdotool keydown shift key Down keyup shift
# The delete button opens its menu where it is released; D picks the last entry.
xdotool mousemove --window "$playlist" 90 $((HEIGHT - 12)) click 1
sleep 0.5
xdotool key d
first=$(wait_window "Physically Delete Files\\?")  # a title is a pattern here
xdotool windowactivate --sync "$first" key y
second=$(wait_window "Delete Confirmation")
xdotool windowactivate --sync "$second" key y
for _ in $(seq 100); do
  [ ! -e "$music/first song.mp3" ] && [ ! -e "$music/second song.mp3" ] && ! grep -q "Second Song" "$folder/AutoSave.zpl" && break
  sleep 0.1
done
[ ! -e "$music/first song.mp3" ] || fail "the first selected file is still there"
[ ! -e "$music/second song.mp3" ] || fail "the second selected file is still there"
[ -e "$music/third song.mp3" ] || fail "the unselected file was deleted"
write_crlf "$work/playlist.expected" \
  '"Quandrell Software - Zelvo Audio Player - Saved Playlist - V2"' \
  "\"Third Song|00:01|$music/third song.mp3|0\""
cmp "$work/playlist.expected" "$folder/AutoSave.zpl" || fail "AutoSave.zpl differs: $(cat -A "$folder/AutoSave.zpl")"

close_window "$bar"
wait_exit || fail "the player ended with an error"
cmp "$work/playlist.expected" "$folder/AutoSave.zpl" || fail "AutoSave.zpl at quit differs: $(cat -A "$folder/AutoSave.zpl")"
echo "delete files: ok"
