#!/usr/bin/env bash
# Two monitors side by side, the primary one on the right: the bar and the
# playlist are centred on the primary monitor. When the left one becomes the
# primary, they move there, and the strip the bar leaves is there too.
source "$(dirname "$0")/lib.sh"
command -v xrandr >/dev/null || { echo "no xrandr"; exit 77; }

read -r screen_w screen_h < <(xdotool getdisplaygeometry)
half=$((screen_w / 2))
monitor() {  # monitor NAME LEFT: a monitor of half the screen's width
  xrandr --setmonitor "$1" "$half/254x$screen_h/286+$2+0" none
}
monitor zelvo-left 0
monitor '*zelvo-right' "$half"
trap '{ xrandr --delmonitor zelvo-left; xrandr --delmonitor zelvo-right; } 2>/dev/null; cleanup' EXIT

left_of() { xwininfo -id "$1" | awk '/Absolute upper-left X/ { print $NF }'; }
# Waits up to 5 s for window $1's left edge to be at $2 pixels.
wait_left() {
  for _ in $(seq 50); do [ "$(left_of "$1")" = "$2" ] && return 0; sleep 0.1; done
  fail "$3 lies at x = $(left_of "$1"), not $2"
}

# The pointer on the bar where it will come up, in the gutter between buttons.
xdotool mousemove "$((half + half / 2 - 320 + 149))" 12
"$folder/zelvo" >"$work/player.log" 2>&1 &
player_pid=$!
main=$(wait_window "Zelvo")
playlist=$(xdotool search --name '^Zelvo Playlist$' | head -n1)
# The bar is 640 pixels wide; the playlist hangs beneath it, a little in.
wait_left "$main" "$((half + half / 2 - 320))" "the bar"
indent=$(( $(left_of "$playlist") - $(left_of "$main") ))
[ "$indent" -gt 0 ] && [ "$indent" -lt 320 ] || fail "the playlist lies $indent pixels right of the bar"

# The left monitor becomes the primary: the windows follow. The pointer is
# no longer on the bar, so it tucks itself away and the strip shows there.
xrandr --delmonitor zelvo-right
xrandr --delmonitor zelvo-left
monitor '*zelvo-left' 0
monitor zelvo-right "$half"
wait_left "$main" "$((half / 2 - 320))" "the bar"
wait_left "$playlist" "$((half / 2 - 320 + indent))" "the playlist"
strip=$(wait_window "Zelvo Strip")
wait_left "$strip" "$((half / 2 - 200))" "the strip"

kill -TERM "$player_pid"  # the bar is tucked away: no title-bar button to press
wait_exit || fail "the player ended with an error"
echo "two monitors: ok"
