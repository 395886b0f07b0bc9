#!/usr/bin/env bash
# A user's old playlist and settings: the program upgrades the playlist, says
# so once, and on quit writes both files back exactly.
source "$(dirname "$0")/lib.sh"

write_crlf "$folder/AutoSave.zpl" \
  '"Quandrell Software - Zelvo Audio Player - Saved Playlist"' \
  '"the band - first song|03:41|/music/first.mp3"' \
  '"[live]_at_home|00:59|/music/live.mp3"' \
  '"rock & roll|12:05|/music/rock.mp3"'
settings=('#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#TRUE#'
          '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#TRUE#'
          '#FALSE#' '#FALSE#' '#TRUE#' '2' '#TRUE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '3' '"/music, old"')
write_crlf "$folder/config.zcf" "${settings[@]}"
cp "$folder/config.zcf" "$work/config.expected"

start_player
notice=$(wait_window "Playlist Upgraded")
xdotool windowactivate --sync "$notice" key Return
main=$(wait_window "Zelvo")
sleep 0.5
close_window "$main"
wait_exit || fail "the player ended with an error"

write_crlf "$work/playlist.expected" \
  '"Quandrell Software - Zelvo Audio Player - Saved Playlist - V2"' \
  '"The Band - First Song|03:41|/music/first.mp3|0"' \
  '"Live At Home|00:59|/music/live.mp3|0"' \
  '"Rock And Roll|12:05|/music/rock.mp3|0"'
cmp "$work/playlist.expected" "$folder/AutoSave.zpl" || fail "AutoSave.zpl differs: $(cat -A "$folder/AutoSave.zpl")"
cmp "$work/config.expected" "$folder/config.zcf" || fail "config.zcf differs: $(cat -A "$folder/config.zcf")"
echo "upgrade and quit: ok"
