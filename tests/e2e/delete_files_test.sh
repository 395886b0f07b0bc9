#!/usr/bin/env bash
# A user selects two rows, chooses "Delete this File Forever" from the delete
# button's menu and answers Yes twice: both files leave the disk and the
# playlist, the autosave file says so at once, and the third file stays.
# Asked about all 83 rows first (one with a very long path), the box fits the
# screen and its Yes button takes a click. After whatever the sort, delete,
# add, load and save buttons open is closed, Delete still erases the selected row.
source "$(dirname "$0")/lib.sh"

music="$work/my music"
mkdir -p "$music"
for name in "first song" "second song" "third song"; do cp "$data_dir/id3v23.mp3" "$music/$name.mp3"; done
header='"Quandrell Software - Zelvo Audio Player - Saved Playlist - V2"'
more=("\"Far Away|00:01|/nowhere/$(printf 'long%.0s' $(seq 100))/far away.mp3|0\"")
for i in $(seq 2 80); do more+=("\"Elsewhere $i|00:01|/nowhere/elsewhere $i.mp3|0\""); done
write_crlf "$folder/AutoSave.zpl" "$header" \
  "\"First Song|00:01|$music/first song.mp3|0\"" \
  "\"Second Song|00:01|$music/second song.mp3|0\"" \
  "\"Third Song|00:01|$music/third song.mp3|0\"" "${more[@]}"

start_player
playlist=$(wait_window "Zelvo Playlist")
# The pointer rests on the playlist, so that the bar does not tuck itself away.
xdotool mousemove --window "$playlist" 200 200
bar=$(wait_window "Zelvo")
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$playlist")"
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
# Pixels at 96 dpi: the list starts 19 px down, the button bar is the bottom 25 px.
xdotool mousemove --window "$playlist" 60 26 click 1
xdotool key ctrl+a
xdotool mousemove --window "$playlist" 90 $((HEIGHT - 12)) click 1
sleep 0.5
xdotool key d
box=$(wait_window "Physically Delete Files\\?")
sleep 0.3
frame=$(xwininfo -frame -id "$box" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
  /Width/ { w = $NF } /Height/ { h = $NF } END { print x, y, w, h }')
read -r box_x box_y box_w box_h <<<"$frame"
[ "$box_x" -ge 0 ] && [ "$box_y" -ge 0 ] && [ $((box_x + box_w)) -le "$screen_w" ] &&
  [ $((box_y + box_h)) -le "$screen_h" ] || fail "the box with 83 paths lies at $frame, off the ${screen_w}x$screen_h screen"
# Yes is the left one of the two buttons in the bottom right corner (80 px wide).
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove --window "$box" $((WIDTH - 140)) $((HEIGHT - 22)) click 1
wait_window "Delete Confirmation" >/dev/null
xdotool key n
playlist=$(wait_window "Zelvo Playlist")
eval "$(xdotool getwindowgeometry --shell "$playlist")"
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
write_crlf "$work/playlist.expected" "$header" "\"Third Song|00:01|$music/third song.mp3|0\"" "${more[@]}"
cmp "$work/playlist.expected" "$folder/AutoSave.zpl" || fail "AutoSave.zpl differs: $(cat -A "$folder/AutoSave.zpl")"

# Whatever a playlist button opens, once it is closed the keys are back in
# the list: Delete erases the row clicked before the button, each time.
rows=("\"Third Song|00:01|$music/third song.mp3|0\"" "${more[@]}")
answer() { local window; window=$(wait_window "$1"); xdotool windowactivate --sync "$window" key "$2"; }
erase_after() {
  local what=$1 x=$2; shift 2
  playlist=$(wait_window "Zelvo Playlist")
  xdotool mousemove --window "$playlist" 60 26 click 1
  [ "$x" = keys ] || xdotool mousemove --window "$playlist" "$x" $((HEIGHT - 12)) click 1
  sleep 0.5
  "$@"
  sleep 0.5
  xdotool key Delete
  rows=("${rows[@]:1}")
  write_crlf "$work/playlist.expected" "$header" "${rows[@]}"
  for _ in $(seq 30); do cmp -s "$work/playlist.expected" "$folder/AutoSave.zpl" && break; sleep 0.1; done
  cmp "$work/playlist.expected" "$folder/AutoSave.zpl" ||
    fail "Delete after $what erased nothing: $(head -c 300 "$folder/AutoSave.zpl")"
}
erase_after "the sort menu closed unused" 160 xdotool key Escape
erase_after "No to the clear question" 90 eval 'xdotool key c; answer "Clear Playlist\\?" n'
erase_after "the add dialog cancelled" 30 answer "Add Audio Files / Folders to Playlist" Escape
erase_after "the load dialog cancelled" 220 answer "Load Playlist ..." Escape
erase_after "the save dialog cancelled" 280 answer "Save As ... Playlist" Escape
erase_after "Shift+L in the list cancelled" keys eval 'xdotool keydown shift key l keyup shift; answer "Load Playlist ..." Escape'

close_window "$bar"
wait_exit || fail "the player ended with an error"
cmp "$work/playlist.expected" "$folder/AutoSave.zpl" || fail "AutoSave.zpl at quit differs: $(cat -A "$folder/AutoSave.zpl")"
echo "delete files: ok"
