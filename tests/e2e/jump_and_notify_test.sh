#!/usr/bin/env bash
# Ctrl+J on the bar opens "Jump to Track": words typed in any order and
# without their accents find a row, Shift+Return queues it and Return plays
# another and closes the window. With the bar tucked away, the next track is
# told to the desktop's notification service on the session bus (watched with
# dbus-monitor), the row's name standing in for a missing title tag; nothing
# is sent while the bar is in view and Zelvo in front.
[ -n "${ZELVO_PRIVATE_BUS:-}" ] || { command -v dbus-run-session >/dev/null || exit 77;
  ZELVO_PRIVATE_BUS=1 exec dbus-run-session -- bash "$0" "$@"; }
source "$(dirname "$0")/lib.sh"
[ -n "${ZELVO_TEST_SINK:-}" ] || { echo "no test sound server: runs under scripts/test.sh"; exit 77; }
command -v playerctl >/dev/null || { echo "no playerctl"; exit 77; }

for name in one two three; do cp "$data_dir/no_title.mp3" "$work/$name.mp3"; done
write_crlf "$folder/AutoSave.zpl" \
  '"Quandrell Software - Zelvo Audio Player - Saved Playlist - V2"' \
  "\"Café Del Mar|00:05|$work/one.mp3|0\"" \
  "\"Jóga|00:05|$work/two.mp3|0\"" \
  "\"Été Indien|00:05|$work/three.mp3|0\""

title() { playerctl -p zelvo metadata xesam:title 2>/dev/null || true; }
wait_title() {
  for _ in $(seq 50); do [ "$(title)" = "$1" ] && return 0; sleep 0.1; done
  fail "playing '$(title)', not '$1'"
}

dbus-monitor --session "interface='org.freedesktop.Notifications'" >"$work/notices.log" 2>&1 &
monitor=$!
trap 'kill "$monitor" 2>/dev/null; cleanup' EXIT

export QT_LOGGING_RULES="zelvo.opens.debug=true"
start_player
bar=$(wait_window "Zelvo")
sleep 0.5
xdotool windowactivate --sync "$bar" keydown ctrl key j keyup ctrl
jump=$(wait_window "Jump to Track")
xdotool windowactivate --sync "$jump" type --delay 30 "indien ete"
sleep 0.3
xdotool keydown shift key Return keyup shift
xdotool keydown ctrl key a keyup ctrl
xdotool type --delay 30 "mar cafe"
sleep 0.3
xdotool key Return
wait_title "Café Del Mar"
sleep 0.5
xdotool search --onlyvisible --name '^Jump to Track$' >/dev/null && fail "the jump window stayed open"
grep -q 'member=Notify' "$work/notices.log" && fail "a notice came while the bar was in view: $(cat "$work/notices.log")"

# The pointer leaves; once the bar is tucked away the next track is told.
xdotool mousemove 5 400
find_window "Zelvo Strip" >/dev/null || fail "the bar did not tuck itself away"
sleep 0.5  # the slide ends
playerctl -p zelvo next
wait_title "Été Indien"  # the queued row comes next
for _ in $(seq 50); do grep -q 'member=Notify' "$work/notices.log" && break; sleep 0.1; done
grep -A12 'member=Notify' "$work/notices.log" >"$work/notice.txt" || fail "no notice on the bus"
grep -q 'string "Zelvo"' "$work/notice.txt" || fail "the notice does not name Zelvo: $(cat "$work/notice.txt")"
grep -q 'string "Été Indien"' "$work/notice.txt" || fail "the notice does not name the track: $(cat "$work/notice.txt")"
grep -q 'zelvo' <(sed -n 4p "$work/notice.txt") || fail "no icon in the notice: $(cat "$work/notice.txt")"
# A track read for the media widget is not read again for the notice.
twice=$(grep -o 'reading the tags of .*' "$work/player.log" | uniq -d)
[ -z "$twice" ] || fail "the tags of one start were read twice: $twice"

dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.zelvo /org/mpris/MediaPlayer2 \
  org.mpris.MediaPlayer2.Quit >/dev/null || fail "Quit was not answered"
wait_exit || fail "the player ended with an error: $(cat "$work/player.log")"
[ "$(grep -c $'\r$' "$folder/config.zcf")" -eq 31 ] || fail "config.zcf is not 31 lines"
grep -q '^NotifyTrackChange=true' "$folder/zelvo.conf" || fail "zelvo.conf: $(cat "$folder/zelvo.conf")"
