#!/usr/bin/env bash
# The player on a private D-Bus session bus, driven as media keys and desktop
# media widgets drive it (MPRIS through playerctl and dbus-send): play/pause
# starts and pauses the sound heard on the sound server, next moves on and
# counts as a skip, the metadata names the track and its length as the file
# has it, every change is announced,
# a sort while a track plays keeps it playing and named, with next going on
# from its new place, and quit saves both files. Calls sent without waiting for a reply (as key
# bindings send them) act too; Raise brings back a tucked-away bar; OpenUri
# adds and plays. Without a session bus it plays on as before.
[ -n "${ZELVO_PRIVATE_BUS:-}" ] || { command -v dbus-run-session >/dev/null || exit 77;
  ZELVO_PRIVATE_BUS=1 exec dbus-run-session -- bash "$0" "$@"; }
source "$(dirname "$0")/lib.sh"
[ -n "${ZELVO_TEST_SINK:-}" ] || { echo "no test sound server: runs under scripts/test.sh"; exit 77; }
command -v playerctl >/dev/null || { echo "no playerctl"; exit 77; }

cp "$data_dir/chirp_cbr.mp3" "$data_dir/chirp.wma" "$data_dir/tone.ogg" "$work/"
cp "$data_dir/chirp_cbr.mp3" "$work/chirp_copy.mp3"
write_crlf "$folder/AutoSave.zpl" \
  '"Quandrell Software - Zelvo Audio Player - Saved Playlist - V2"' \
  "\"Charlie|00:05|$work/chirp_cbr.mp3|0\"" \
  "\"Alpha|00:09|$work/chirp.wma|0\"" \
  "\"Bravo|00:05|$work/chirp_copy.mp3|0\""

mpris() { playerctl -p zelvo "$@" 2>/dev/null || true; }
# A method call that waits for no reply: dbus-send without --print-reply.
call() { dbus-send --session --type=method_call --dest=org.mpris.MediaPlayer2.zelvo /org/mpris/MediaPlayer2 "$@"; }
# Waits up to 5 s for `playerctl ARGS` to print the expected text.
wait_for() {
  local expected=$1; shift
  for _ in $(seq 50); do [ "$(mpris "$@")" = "$expected" ] && return 0; sleep 0.1; done
  fail "playerctl $* printed '$(mpris "$@")', not '$expected'"
}

dbus-monitor --session "type='signal',interface='org.freedesktop.DBus.Properties',member='PropertiesChanged'" \
  >"$work/announced.log" 2>&1 &
monitor=$!
parec -d "$ZELVO_TEST_SINK.monitor" --raw --format=s16le --rate=44100 --channels=2 >"$work/heard.raw" &
recorder=$!
trap 'kill "$monitor" "$recorder" 2>/dev/null; cleanup' EXIT
sleep 0.3
pactl suspend-sink "$ZELVO_TEST_SINK" 1
pactl suspend-sink "$ZELVO_TEST_SINK" 0

start_player
wait_window "Zelvo" >/dev/null
wait_for Stopped status
[ -z "$(mpris metadata xesam:title)" ] || fail "a track was named before any was played"

call org.mpris.MediaPlayer2.Player.PlayPause
wait_for Playing status
wait_for "Chirp CBR" metadata xesam:title  # from the tags, not the row's name
[ "$(mpris metadata xesam:artist)" = "Zelvo Tests" ] || fail "artist: $(mpris metadata xesam:artist)"
[ "$(mpris metadata xesam:url)" = "file://$work/chirp_cbr.mp3" ] || fail "url: $(mpris metadata xesam:url)"
sleep 1.5
mpris play-pause
wait_for Paused status
sleep 1.2
mpris play-pause
wait_for Playing status
call org.mpris.MediaPlayer2.Player.Next
wait_for "WMA Title" metadata xesam:title
wait_for Playing status
# The length is the file's, told once the decoder has it open, not the row's 00:09.
for _ in $(seq 50); do
  length=$(mpris metadata mpris:length)
  [ "${length:-0}" -gt 4900000 ] && [ "$length" -lt 5100000 ] && break
  sleep 0.1
done
[ "${length:-0}" -gt 4900000 ] && [ "$length" -lt 5100000 ] || fail "length: '$length' microseconds"
# A click on the "Track Name" title sorts the list under the playing track:
# Alpha Bravo Charlie. Alpha plays on as row 1, and next plays Bravo.
playlist=$(wait_window "Zelvo Playlist")
xdotool mousemove --window "$playlist" 60 9 click 1
wait_for "'/org/zelvo/Track/1'" metadata mpris:trackid
[ "$(mpris metadata xesam:url)" = "file://$work/chirp.wma" ] || fail "after the sort, $(mpris metadata xesam:url) is named"
mpris next
wait_for "file://$work/chirp_copy.mp3" metadata xesam:url
sleep 0.5
# The pointer leaves: the bar tucks itself away, and Raise brings it back.
xdotool mousemove 5 500
for _ in $(seq 100); do xdotool search --onlyvisible --name '^Zelvo$' >/dev/null || break; sleep 0.1; done
xdotool search --onlyvisible --name '^Zelvo$' >/dev/null && fail "the bar did not tuck itself away"
call org.mpris.MediaPlayer2.Raise
find_window "Zelvo" >/dev/null || fail "Raise did not bring the bar back"
park_pointer_on_bar

call org.mpris.MediaPlayer2.Player.OpenUri "string:file://$work/tone.ogg"
wait_for "Vorbis Tüne" metadata xesam:title
dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.zelvo /org/mpris/MediaPlayer2 \
  org.mpris.MediaPlayer2.Quit >/dev/null || fail "Quit was not answered"
wait_exit || fail "the player ended with an error: $(cat "$work/player.log")"
kill "$recorder" "$monitor"; wait "$recorder" "$monitor" 2>/dev/null || true
trap cleanup EXIT

# Heard for a while, silent for about 1.2 s, then heard again.
read -r heard silence < <(python3 "$(dirname "$0")/pause_in_sound.py" "$work/heard.raw") ||
  fail "play-pause did not play, pause and resume the sound"
echo "heard ${heard} s, then silence for ${silence} s"
python3 -c "import sys; sys.exit(0 if $heard > 0.6 and 0.8 < $silence < 3 else 1)" ||
  fail "heard ${heard} s, then silence for ${silence} s"

for announced in '"Playing"' '"Paused"' '"Chirp CBR"' '"WMA Title"'; do
  grep -q "string $announced" "$work/announced.log" || fail "no PropertiesChanged with $announced"
done
# The skipped tracks lost a point, and quitting wrote the sorted list and the options.
write_crlf "$work/playlist.expected" \
  '"Quandrell Software - Zelvo Audio Player - Saved Playlist - V2"' \
  "\"Alpha|00:09|$work/chirp.wma|-1\"" \
  "\"Bravo|00:05|$work/chirp_copy.mp3|0\"" \
  "\"Charlie|00:05|$work/chirp_cbr.mp3|-1\"" \
  "\"Zelvo Tests - Vorbis Tüne|00:01|$work/tone.ogg|0\""
cmp "$work/playlist.expected" "$folder/AutoSave.zpl" || fail "the playlist was not saved: $(cat -A "$folder/AutoSave.zpl")"
[ "$(grep -c $'\r$' "$folder/config.zcf")" -eq 31 ] || fail "the options were not saved"

# Without a session bus the player runs as before, and says so once.
DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus start_player
close_window "$(wait_window "Zelvo")"
wait_exit || fail "without a bus, the player ended with an error: $(cat "$work/player.log")"
[ "$(grep -c "no D-Bus session bus" "$work/player.log")" -eq 1 ] || fail "no word of the missing bus: $(cat "$work/player.log")"
cmp "$work/playlist.expected" "$folder/AutoSave.zpl" || fail "without a bus, the playlist was not kept"
echo "media controls: ok"
