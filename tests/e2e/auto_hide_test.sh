#!/usr/bin/env bash
# The pointer leaves both windows: within 2.5 s the bar has slid off the top
# edge (passing through several places, in under a second) and the strip
# "Zelvo Strip" lies at the top centre. Touching the strip brings the bar back
# and leaves the keyboard with the window that had it. Files dragged from a
# file manager onto the strip bring the bar and the playlist out and are added.
# The list rolls up and drops behind the bar, never over it, and has no
# taskbar entry of its own. Shift+D held for two seconds acts once, on its
# release; Shift+C asks its question once the list has rolled up.
source "$(dirname "$0")/lib.sh"

# The built-in options, with "Animation Effects" (line 22) ticked.
settings=('#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#TRUE#' '#FALSE#'
          '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '#TRUE#'
          '#FALSE#' '#TRUE#' '#TRUE#' '0' '#TRUE#' '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '0' '""')
write_crlf "$folder/config.zcf" "${settings[@]}"

read -r screen_w _ < <(xdotool getdisplaygeometry)
start_player
main=$(wait_window "Zelvo")
playlist=$(wait_window "Zelvo Playlist")
sleep 0.5
xprop -id "$playlist" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR || fail "the list has a taskbar entry"

# With the list the active window (as after a double click on a track), the
# bar's buttons still show their tooltips.
xdotool mousemove --window "$playlist" 100 100 click 1
xdotool mousemove --window "$main" 50 12 sleep 0.1 mousemove --window "$main" 52 13 sleep 1.5
tooltip_shown=
for id in $(xwininfo -root -children | awk '/^ +0x/ { print $1 }'); do
  xwininfo -id "$id" | grep -q IsViewable && xprop -id "$id" _NET_WM_WINDOW_TYPE | grep -q TOOLTIP && tooltip_shown=1
done
[ -n "$tooltip_shown" ] || fail "no tooltip over the play button while the list was the active window"

# "y state" of a window: its top on the screen and whether it is shown. The
# window manager makes a new frame each time a window is shown, so a query may
# catch the old one going and answer nothing.
place_of() {
  xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left Y/ { y = $NF } /Map State/ { s = $NF } END { print y, s }'
}
now_ms() { date +%s%3N; }
map_state() { xwininfo -id "$1" 2>/dev/null | awk '/Map State/ { print $NF }'; }
# While the list is on its way (its top above the bar's bottom edge, 26 px),
# the bar lies above it in the window manager's stacking order (bottom first).
list_under_bar() {
  local at=0 bar_at=-1 list_at=-1 id list_y list_state
  read -r list_y list_state < <(place_of "$playlist") || true
  [ "$list_state" = IsViewable ] && [ "${list_y:-26}" -lt 26 ] || return 0
  for id in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g'); do
    [ "$((id))" = "$main" ] && bar_at=$at
    [ "$((id))" = "$playlist" ] && list_at=$at
    at=$((at + 1))
  done
  [ "$bar_at" -lt 0 ] || [ "$list_at" -lt 0 ] || [ "$bar_at" -gt "$list_at" ]
}

# Away from the bar and from the list hanging beneath it.
xdotool mousemove 20 $(( $(xdotool getdisplaygeometry | cut -d' ' -f2) - 20 ))
parked=$(now_ms)
declare -A seen=()
first_move= gone=
while [ $(( $(now_ms) - parked )) -lt 2500 ]; do
  y= state=
  read -r y state < <(place_of "$main") || true
  t=$(now_ms)
  [ -n "$y" ] && [ -n "$state" ] || continue
  if [ "$state" != IsViewable ]; then gone=$t; break; fi
  list_under_bar || fail "the rolling-up list lay over the bar"
  seen[$y]=1
  [ -z "$first_move" ] && [ "$y" != 0 ] && first_move=$t
done
[ -n "$gone" ] || fail "the bar was still shown 2.5 s after the pointer left (tops seen: ${!seen[*]})"
echo "tops seen while hiding: ${!seen[*]}"
[ "${#seen[@]}" -ge 3 ] || fail "the bar jumped instead of sliding (tops seen: ${!seen[*]})"
[ $(( gone - ${first_move:-$gone} )) -le 1000 ] || fail "the slide took $(( gone - first_move )) ms"

strip=$(wait_window "Zelvo Strip")
geometry=$(xwininfo -id "$strip" 2>/dev/null | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
  /Width/ { w = $NF } /Height/ { h = $NF } END { print x, y, w, h }')
# 6000 x 30 twips at 15 twips a pixel, centred on the top edge.
[ "$geometry" = "$(( screen_w / 2 - 200 )) 0 400 2" ] || fail "the strip lies at $geometry"

# Another window has the keyboard, and keeps it.
cp "$data_dir/tone.ogg" "$work/dropped.ogg"
"$(dirname "$app_dir")/zelvo_drag_source" "$work/dropped.ogg" >"$work/drag.log" 2>&1 &
source_pid=$!
trap 'kill "$source_pid" 2>/dev/null; cleanup' EXIT
source_window=$(wait_window "Drag Source")
xdotool windowactivate --sync "$source_window"

xdotool mousemove "$(( screen_w / 2 ))" 0
for _ in $(seq 50); do
  y= state=
  read -r y state < <(place_of "$main") || true
  [ "$state" = IsViewable ] && [ "$y" = 0 ] && break
  sleep 0.1
done
[ "$state" = IsViewable ] && [ "$y" = 0 ] || fail "touching the strip did not bring the bar back ($y $state)"
[ "$(xwininfo -id "$strip" 2>/dev/null | awk '/Map State/ { print $NF }')" != IsViewable ] || fail "the strip stayed"
sleep 0.3
[ "$(xdotool getactivewindow)" = "$source_window" ] || fail "the bar took the keyboard when it came back"

# Away again, then a drag from the file manager onto the strip.
xdotool mousemove 20 "$(( $(xdotool getdisplaygeometry | cut -d' ' -f2) - 20 ))"
for _ in $(seq 30); do [ "$(place_of "$main" | cut -d' ' -f2)" = IsViewable ] || break; sleep 0.1; done
[ "$(place_of "$main" | cut -d' ' -f2)" != IsViewable ] || fail "the bar did not tuck itself away again"
eval "$(xdotool getwindowgeometry --shell "$source_window")"
xdotool mousemove "$((X + 100))" "$((Y + 100))" mousedown 1
for step in 1 2 3 4 5 6 7 8; do
  xdotool mousemove "$(( X + 100 + (screen_w / 2 - X - 100) * step / 8 ))" "$(( (Y + 100) * (8 - step) / 8 ))"
  sleep 0.1
done
playlist=$(xdotool search --name '^Zelvo Playlist$' | head -n1)
for i in $(seq 50); do
  xdotool mousemove "$(( screen_w / 2 + i % 2 ))" 1  # the drag goes on, over the bar once it is back
  [ "$(place_of "$main" | cut -d' ' -f2)" = IsViewable ] && [ "$(place_of "$playlist" | cut -d' ' -f2)" = IsViewable ] && break
  sleep 0.1
done
[ "$(place_of "$main" | cut -d' ' -f2)" = IsViewable ] || fail "a drag onto the strip did not bring the bar back"
[ "$(place_of "$playlist" | cut -d' ' -f2)" = IsViewable ] || fail "a drag onto the strip did not drop the playlist"
sleep 1.5
[ "$(place_of "$main" | cut -d' ' -f2)" = IsViewable ] || fail "the bar tucked away under a drag"
xdotool mousemove "$(( screen_w / 2 + 40 ))" 10 sleep 0.2 mousemove "$(( screen_w / 2 + 41 ))" 11 sleep 0.2 mouseup 1
for _ in $(seq 50); do grep -q copied "$work/drag.log" && break; sleep 0.1; done
grep -q copied "$work/drag.log" || fail "the drop was not taken: $(cat "$work/drag.log")"
park_pointer_on_bar
sleep 1

xdotool windowactivate --sync "$main"
# The drop left the list down: one Shift+D rolls it up first.
xdotool keydown shift key d keyup shift
for _ in $(seq 100); do [ "$(map_state "$playlist")" != IsViewable ] && break; sleep 0.05; done
sleep 0.5
xdotool keydown shift keydown d
sleep 2
[ "$(map_state "$playlist")" != IsViewable ] || fail "the list dropped while Shift+D was held"
xdotool keyup d keyup shift
for _ in $(seq 100); do
  list_under_bar || fail "the dropping list lay over the bar"
  read -r y state < <(place_of "$playlist") || true
  [ "$state" = IsViewable ] && [ "$y" = "$(( $(place_of "$main" | cut -d' ' -f1) + 26 ))" ] && break
  sleep 0.01
done
sleep 0.5
[ "$(map_state "$playlist")" = IsViewable ] || fail "Shift+D held and released did not drop the list just once"

xdotool keydown shift key c keyup shift
question=$(wait_window "Shift C Pressed ...")
[ "$(map_state "$playlist")" != IsViewable ] || fail "the quit question came before the list had rolled up"
xdotool windowactivate --sync "$question" key n
sleep 0.5
kill -0 "$player_pid" || fail "answering No quit the player"

close_window "$main"
wait_exit || fail "the player ended with an error"
grep -q "|$work/dropped.ogg|" "$folder/AutoSave.zpl" || fail "the dropped file was not added: $(cat "$folder/AutoSave.zpl" "$work/drag.log" "$work/player.log")"
echo "auto-hide: ok"
