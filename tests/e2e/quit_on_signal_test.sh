#!/usr/bin/env bash
# The desktop session ending (SIGTERM, or SIGHUP from a closing terminal)
# quits the player as its close button does: both files are written.
source "$(dirname "$0")/lib.sh"

for signal in TERM HUP; do
  rm -f "$folder/config.zcf"
  write_crlf "$folder/AutoSave.zpl" \
    '"Quandrell Software - Zelvo Audio Player - Saved Playlist - V2"' \
    "\"Kept Track|01:00|/music/kept.mp3|2\""
  cp "$folder/AutoSave.zpl" "$work/playlist.expected"
  start_player
  wait_window "Zelvo" >/dev/null
  sleep 0.5
  kill -s "$signal" "$player_pid"
  wait_exit || fail "SIG$signal: the player ended with an error"
  cmp "$work/playlist.expected" "$folder/AutoSave.zpl" || fail "SIG$signal: the playlist was not kept"
  [ "$(grep -c $'\r$' "$folder/config.zcf")" -eq 31 ] || fail "SIG$signal: the settings were not written"
done
echo "quit on signal: ok"
