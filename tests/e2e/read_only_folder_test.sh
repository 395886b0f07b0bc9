#!/usr/bin/env bash
# The program run from a folder it cannot write: it reads its skins from there
# and keeps the user's playlist and options in the XDG folders, writing both
# back there at quit and nothing into its own folder. A playlist and options
# left in the folder from when it could be written carry on until the user
# has files of their own.
source "$(dirname "$0")/lib.sh"

export XDG_DATA_HOME=$work/data XDG_CONFIG_HOME=$work/config
settings=('#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#TRUE#'
          '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '#FALSE#' '#FALSE#' '#TRUE#' '#FALSE#' '#TRUE#'
          '#FALSE#' '#FALSE#' '#TRUE#' '2' '#TRUE#' '#FALSE#' '#TRUE#' '#FALSE#' '#FALSE#' '1' '"/music"')
write_crlf "$work/config.expected" "${settings[@]}"
write_crlf "$folder/config.zcf" "${settings[@]}"
write_crlf "$folder/AutoSave.zpl" \
  '"Quandrell Software - Zelvo Audio Player - Saved Playlist - V2"' \
  '"Left Beside The Program|02:00|/music/left.mp3|1"'
cp "$folder/AutoSave.zpl" "$work/left.expected"
(cd "$folder" && find . | sort) >"$work/folder.before"

# Runs the program from its folder made read-only for real: as a user, without
# write permission on the folder; as root (who may write anyway), through a
# read-only bind mount in a mount namespace of the program's own, which goes
# away with it. Then closes it as the user would.
run_read_only() {
  if [ "$(id -u)" -ne 0 ]; then
    chmod a-w "$folder"
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
  close_window "$main"
  wait_exit || fail "the player ended with an error: $(cat "$work/player.log")"
  chmod u+w "$folder"
  grep -q "no program icon" "$work/player.log" && fail "the icon beside the program was not found"
  (cd "$folder" && find . | sort) | diff "$work/folder.before" - || fail "the program's folder changed"
}

# First start: the files left in the folder are read, and written to the user's folders.
run_read_only
cmp "$work/left.expected" "$XDG_DATA_HOME/zelvo/AutoSave.zpl" || fail "the left playlist did not carry on"
cmp "$work/config.expected" "$XDG_CONFIG_HOME/zelvo/config.zcf" || fail "the left options did not carry on"

# From then on the user's own files are the ones read and written.
write_crlf "$XDG_DATA_HOME/zelvo/AutoSave.zpl" \
  '"Quandrell Software - Zelvo Audio Player - Saved Playlist - V2"' \
  '"Kept Track|01:00|/music/kept.mp3|2"'
cp "$XDG_DATA_HOME/zelvo/AutoSave.zpl" "$work/playlist.expected"
run_read_only
cmp "$work/playlist.expected" "$XDG_DATA_HOME/zelvo/AutoSave.zpl" || fail "the user's playlist was not kept"
cmp "$work/config.expected" "$XDG_CONFIG_HOME/zelvo/config.zcf" || fail "the options were not kept: $(cat -A "$XDG_CONFIG_HOME/zelvo/config.zcf")"
cmp "$work/left.expected" "$folder/AutoSave.zpl" || fail "the playlist beside the program changed"
echo "read-only folder: ok"
