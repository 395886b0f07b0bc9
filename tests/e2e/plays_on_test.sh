#!/usr/bin/env bash
# Two real tracks in the list: the user starts the first with Enter, and the
# second follows by itself without a gap (under 150 ms) after the first one's
# end, heard on the sound server. Each file is opened once on its way: the
# first when it starts, the second when it is made ready to follow.
source "$(dirname "$0")/lib.sh"
[ -n "${ZELVO_TEST_SINK:-}" ] || { echo "no test sound server: runs under scripts/test.sh"; exit 77; }

cp "$data_dir/chirp_cbr.mp3" "$data_dir/chirp.wma" "$work/"
write_crlf "$folder/AutoSave.zpl" \
  '"Quandrell Software - Zelvo Audio Player - Saved Playlist - V2"' \
  "\"First|00:05|$work/chirp_cbr.mp3|0\"" \
  "\"Second|00:05|$work/chirp.wma|0\""
settings=('#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#TRUE#' '#FALSE#'
          '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '#FALSE#' '#FALSE#' '#FALSE#' '#TRUE#' '#TRUE#'
          '#FALSE#' '#FALSE#' '#TRUE#' '0' '#TRUE#' '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '1' '""')
write_crlf "$folder/config.zcf" "${settings[@]}"

parec -d "$ZELVO_TEST_SINK.monitor" --raw --format=s16le --rate=44100 --channels=2 >"$work/heard.raw" &
recorder=$!
# A fresh null sink records late until it has been suspended once.
sleep 0.3
pactl suspend-sink "$ZELVO_TEST_SINK" 1
pactl suspend-sink "$ZELVO_TEST_SINK" 0

export QT_LOGGING_RULES="zelvo.opens.debug=true"
start_player
playlist=$(wait_window "Zelvo Playlist")
sleep 0.5
xdotool windowactivate --sync "$playlist" key Return
sleep 9
close_window "$(wait_window "Zelvo")"
wait_exit || fail "the player ended with an error"
kill "$recorder"; wait "$recorder" 2>/dev/null || true

read -r first_start gap < <(python3 "$(dirname "$0")/gap_between_tracks.py" "$work/heard.raw" 5.07) ||
  fail "the first track was not heard to its end"
echo "first track heard from ${first_start} s; silence before the second: ${gap} s"
python3 -c "import sys; sys.exit(0 if float('$gap') < 0.15 else 1)" || fail "the second track came ${gap} s late"
for name in chirp_cbr.mp3 chirp.wma; do
  opens=$(grep -c "opening \"$work/$name\"" "$work/player.log" || true)
  [ "$opens" = 1 ] || fail "$name was opened $opens times: $(grep 'zelvo.opens' "$work/player.log")"
done
! grep -q "probing" "$work/player.log" || fail "a playing file was probed besides: $(grep probing "$work/player.log")"
echo "plays on: ok"
