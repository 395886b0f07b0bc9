#!/usr/bin/env bash
# The program run from a folder it cannot write: it reads its skins from there
# and keeps the user's playlist and options in the XDG folders, writing both
# back there at quit and nothing into its own folder.
source "$(dirname "$0")/lib.sh"

export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_DATA_HOME/zelvo" "$XDG_CONFIG_HOME/zelvo"
write_crlf "$XDG_DATA_HOME/zelvo/AutoSave.zpl" \
  '"Quandrell Software - Zelvo Audio Player - Saved Playlist - V2"' \
  '"Kept Track|01:00|/music/kept.mp3|2"'
settings=('#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#TRUE#'
          '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#TRUE#'
          '#FALSE#' '#FALSE#' '#TRUE#' '2' '#TRUE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '1' '"/music"')
write_crlf "$XDG_CONFIG_HOME/zelvo/config.zcf" "${settings[@]}"
cp "$XDG_DATA_HOME/zelvo/AutoSave.zpl" "$work/playlist.expected"
cp "$XDG_CONFIG_HOME/zelvo/config.zcf" "$work/config.expected"
(cd "$folder" && find . | sort) >"$work/folder.before"

# Read-only for real: as a user, no write permission on the folder; as root
# (who may write anyway), a read-only bind mount in a mount namespace of the
# program's own, which goes away with it.
if [ "$(id -u)" -ne 0 ]; then
  chmod a-w "$folder"
  trap 'chmod u+w "$folder"; cleanup' EXIT
  start_player
elif unshare -m true 2>/dev/null; then
  unshare -m --propagation private sh -c \
    'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && exec "$1/zelvo"' sh "$folder" \
    >"$work/player.log" 2>&1 &
  player_pid=$!
else
  echo "cannot make a read-only folder here"; exit 77
fi

main=$(wait_window "Zelvo")
sleep 0.5
xdotool search --name "^Playlist Not Saved\$" >/dev/null 2>&1 && fail "a box said the playlist was not saved"
close_window "$main"
wait_exit || fail "the player ended with an error: $(cat "$work/player.log")"

cmp "$work/playlist.expected" "$XDG_DATA_HOME/zelvo/AutoSave.zpl" || fail "the playlist was not kept in the data folder"
cmp "$work/config.expected" "$XDG_CONFIG_HOME/zelvo/config.zcf" || fail "the options were not kept: $(cat -A "$XDG_CONFIG_HOME/zelvo/config.zcf")"
(cd "$folder" && find . | sort) | diff "$work/folder.before" - || fail "the program's folder changed"
grep -q "no program icon" "$work/player.log" && fail "the icon beside the program was not found"
echo "read-only folder: ok"
