# Shared steps of the end-to-end tests: a copy of the built program in a
# temporary folder, started under the test X server, driven with xdotool.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/window-helpers.sh"

app_dir=$1
data_dir=$2
work=$(mktemp -d /tmp/zelvo-e2e.XXXXXX)
player_pid=
cleanup() {
  [ -n "$player_pid" ] && kill -9 "$player_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

[ -n "${DISPLAY:-}" ] || { echo "no display: these tests run under scripts/test.sh"; exit 77; }

cp -r "$app_dir" "$work/zelvo"
folder=$work/zelvo

# Writes lines as the player's files hold them: each line ends in CR LF.
write_crlf() { local file=$1; shift; printf '%s\r\n' "$@" >"$file"; }

# The bar tucks itself away a second after the pointer leaves it. Tests that
# are about something else keep the pointer on it, in the gutter between two
# of its buttons where no tooltip comes up (the bar is 640 pixels wide,
# centred on the top edge).
park_pointer_on_bar() {
  local width
  width=$(xdotool getdisplaygeometry | cut -d' ' -f1)
  xdotool mousemove "$((width / 2 - 320 + 149))" 12
}

start_player() {
  park_pointer_on_bar
  "$folder/zelvo" >"$work/player.log" 2>&1 &
  player_pid=$!
}

# The id of the window whose title is exactly $1, waiting up to 10 s for it.
wait_window() { find_window "$1" || fail "no window titled '$1'; player log: $(cat "$work/player.log")"; }

# Closes a window as its title-bar button does (WM_DELETE_WINDOW through the window manager).
close_window() { wmctrl -i -c "$1"; }

wait_exit() {
  for _ in $(seq 100); do
    kill -0 "$player_pid" 2>/dev/null || { wait "$player_pid"; local rc=$?; player_pid=; return $rc; }
    sleep 0.1
  done
  fail "the player did not end"
}
