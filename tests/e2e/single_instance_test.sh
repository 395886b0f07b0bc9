#!/usr/bin/env bash
# One Zelvo per program folder: a second start hands its files to the running
# one and ends; a start without files just ends; a copy in another folder
# runs on its own, even when two start at once. Another user's socket gets
# nothing, a peer that never ends its message is let go, and names that are
# no UTF-8 keep their bytes. --help and --version answer on their own, and
# arguments Zelvo cannot play are named on standard error and never become rows.
source "$(dirname "$0")/lib.sh"
export XDG_RUNTIME_DIR=$work/run XDG_CACHE_HOME=$work/cache
mkdir -m 700 "$XDG_RUNTIME_DIR"

mkdir -p "$work/music/Album"
cp "$data_dir/tone.ogg" "$work/music/Album/2 - two.ogg"
cp "$data_dir/tone.flac" "$work/music/Album/10 - ten.flac"
cp "$data_dir/chirp_cbr.mp3" "$work/music/single.mp3"

rm -f "$folder/AutoSave.zpl" "$folder/config.zcf"
start_player
wait_window "Zelvo" >/dev/null

# A later start, from another folder, with a relative path and a file:// URI.
second_start() {  # second_start ARGS...: runs it and fails unless it ends at once with 0
  local rc=0
  (cd "$work" && timeout 10 "$folder/zelvo" "$@") >"$work/second.log" 2>&1 || rc=$?
  [ "$rc" -eq 0 ] || fail "the second start ended with $rc: $(cat "$work/second.log")"
}
second_start music/Album "file://$work/music/single.mp3"
kill -0 "$player_pid" 2>/dev/null || fail "the first Zelvo ended"
[ "$(xdotool search --onlyvisible --name '^Zelvo$' | wc -l)" -eq 1 ] || fail "more than one bar is on screen"

# The running one adds them ("Realtime Playlist" writes the autosave file).
for _ in $(seq 100); do
  [ "$(grep -c '|' "$folder/AutoSave.zpl" 2>/dev/null || true)" -eq 3 ] && break
  sleep 0.1
done
paths=$(cut -d'|' -f3 "$folder/AutoSave.zpl" | tail -n +2 | tr -d '\r')
expected=$(printf '%s\n' "$work/music/Album/2 - two.ogg" "$work/music/Album/10 - ten.flac" "$work/music/single.mp3")
[ "$paths" = "$expected" ] || fail "autosave paths: $paths"
grep -q 'Zelvo Tests - Vorbis Tüne|00:01|' "$folder/AutoSave.zpl" || fail "not named from its tags: $(cat "$folder/AutoSave.zpl")"

# Without arguments: brings the bar back and ends.
second_start

# --help and --version answer on standard output, even without a desktop,
# and hand nothing over.
for option in --help --version; do
  out=$(DISPLAY= timeout 5 "$folder/zelvo" "$option" 2>"$work/info.err") || fail "$option did not exit with 0"
  [ -s "$work/info.err" ] && fail "$option wrote to standard error: $(cat "$work/info.err")"
  case "$option" in
    --help) grep -q '^Usage: zelvo ' <<<"$out" || fail "--help printed: $out" ;;
    --version) [[ "$out" =~ ^Zelvo\ [0-9]+\.[0-9]+ ]] || fail "--version printed: $out" ;;
  esac
done
# A URL, a missing path and a file that is no audio: one line each; the good
# file among them, named in Latin-1 bytes that are no UTF-8, still goes to the
# running Zelvo, plays, and keeps its bytes in the list; nothing else goes.
printf 'not sound' >"$work/notes.mp3"
latin1=$(printf 'caf\xe9.mp3')
cp "$data_dir/chirp_cbr.mp3" "$work/music/$latin1"
second_start https://example.org/a.mp3 "$work/missing.ogg" "$work/notes.mp3" "$work/music/$latin1"
for name in https://example.org/a.mp3 "$work/missing.ogg" "$work/notes.mp3"; do
  [ "$(grep -cF "zelvo: $name: " "$work/second.log")" -eq 1 ] || fail "no single line for $name: $(cat "$work/second.log")"
done
for _ in $(seq 100); do
  [ "$(grep -c '|' "$folder/AutoSave.zpl")" -eq 4 ] && break
  sleep 0.1
done
[ "$(tail -n1 "$folder/AutoSave.zpl" | cut -d'|' -f3)" = "zelvo-escaped:$work/music/caf%E9.mp3" ] || fail "rows: $(cat -A "$folder/AutoSave.zpl")"
grep -q 'notes' "$folder/AutoSave.zpl" && fail "a row was added for a file that is no audio"
[ "$(playerctl -p zelvo status 2>&1)" = Playing ] || fail "the Latin-1 name does not play: $(cat "$work/player.log")"
grep -q 'skipping' "$work/player.log" && fail "a track was skipped: $(cat "$work/player.log")"

# A copy in another folder is another player.
cp -r "$app_dir" "$work/other"
"$work/other/zelvo" >"$work/other.log" 2>&1 &
other_pid=$!
sleep 3
kill -0 "$other_pid" 2>/dev/null || fail "the copy in another folder did not stay: $(cat "$work/other.log")"
kill -TERM "$other_pid"; wait "$other_pid" || true

kill -TERM "$player_pid"
wait_exit || fail "the player ended with an error"

# The player ends at once on quit and leaves its socket file behind: the next
# start must not mistake it for a running Zelvo. It takes a Latin-1 name as a
# URI with the byte escaped.
park_pointer_on_bar
"$folder/zelvo" "file://$work/music/caf%E9.mp3" >"$work/player.log" 2>&1 &
player_pid=$!
sleep 3
kill -0 "$player_pid" 2>/dev/null || fail "a start after a quit did not stay: $(cat "$work/player.log")"
second_start "$work/music/single.mp3"
for _ in $(seq 100); do
  [ "$(grep -c '|' "$folder/AutoSave.zpl")" -eq 6 ] && break
  sleep 0.1
done
[ "$(grep -c '|' "$folder/AutoSave.zpl")" -eq 6 ] || fail "the restarted player did not take the hand-over"
[ "$(grep -c "|zelvo-escaped:$work/music/caf%E9.mp3|" "$folder/AutoSave.zpl")" -eq 2 ] || fail "URI: $(cat -A "$folder/AutoSave.zpl")"
kill -TERM "$player_pid"
wait_exit || fail "the player ended with an error"

rows() { cat "$folder/AutoSave.zpl" 2>/dev/null | grep -c '|' || true; }
wait_rows() { for _ in $(seq 100); do [ "$(rows)" -eq "$1" ] && return 0; sleep 0.1; done; return 1; }

# Started at the same instant, each with a file: one ends, the other has both.
# The last round has no runtime folder and uses a private one in the cache.
for round in 1 2 3; do
  rm -f "$folder/AutoSave.zpl"
  [ "$round" -eq 3 ] && unset XDG_RUNTIME_DIR
  "$folder/zelvo" "$work/music/single.mp3" >"$work/a.log" 2>&1 & a=$!
  "$folder/zelvo" "$work/music/Album/2 - two.ogg" >"$work/b.log" 2>&1 & b=$!
  for _ in $(seq 100); do kill -0 "$a" 2>/dev/null && kill -0 "$b" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$a" 2>/dev/null && kill -0 "$b" 2>/dev/null && { kill -9 "$a" "$b"; fail "round $round: both run"; }
  wait_rows 2 || fail "round $round: the list has $(rows) rows, not 2"
  kill -TERM "$a" "$b" 2>/dev/null || true
  wait "$a" && wait "$b" || fail "round $round: a start failed: $(cat "$work/a.log" "$work/b.log")"
done
[ "$(stat -c %a "$work/cache/zelvo-sockets")" = 700 ] || fail "the socket folder in the cache is not private"
export XDG_RUNTIME_DIR=$work/run

start_player
wait_window "Zelvo" >/dev/null
sock=$(echo "$XDG_RUNTIME_DIR"/zelvo-*)
[ -S "$sock" ] || fail "no socket in the runtime folder"
# A peer that never stops sending is cut off, and the player still takes hand-overs.
flood=$(python3 -c 'import socket, sys
s = socket.socket(socket.AF_UNIX); s.connect(sys.argv[1])
try: s.sendall(bytes(20 << 20)); print("all sent")
except OSError: print("cut off")' "$sock")
[ "$flood" = "cut off" ] || fail "20 MB went in: $flood"
grep -q "more than 16777216 bytes" "$work/player.log" || fail "no warning for the flood: $(cat "$work/player.log")"
# Peers that connect and end no message, saying nothing or half of one, are let go.
python3 -c 'import socket, sys
peers = [socket.socket(socket.AF_UNIX) for _ in range(2)]
for p in peers: p.connect(sys.argv[1]); p.settimeout(30)
peers[1].sendall(b"\0\0")
print([len(p.recv(1)) for p in peers])' "$sock" >"$work/idle.out" || fail "idle peers were kept"
[ "$(grep -c "did not end its message" "$work/player.log")" -eq 2 ] || fail "not two warnings: $(cat "$work/player.log")"
second_start "$work/music/Album/10 - ten.flac"
wait_rows 3 || fail "no hand-over after the flood"

# Another user listens in its place: the later start tells it nothing and runs itself.
rm "$sock"
python3 -c 'import os, socket, sys
s = socket.socket(socket.AF_UNIX); s.bind(sys.argv[1]); os.setgid(65534); os.setuid(65534); s.listen()
c, _ = s.accept(); print(len(c.recv(1 << 20)))' "$sock" >"$work/foreign.out" & foreign=$!
sleep 1
"$folder/zelvo" "$work/music/single.mp3" >"$work/b.log" 2>&1 & b=$!
sleep 3
kill -0 "$b" 2>/dev/null || fail "the start beside another user's socket ended: $(cat "$work/b.log")"
[ "$(grep -c "belongs to another user" "$work/b.log")" -eq 1 ] || fail "not one warning: $(cat "$work/b.log")"
wait "$foreign"
[ "$(cat "$work/foreign.out")" = 0 ] || fail "the other user's socket got $(cat "$work/foreign.out") bytes"
kill -TERM "$b"; wait "$b" || fail "the second player ended with an error"
kill -TERM "$player_pid"
wait_exit || fail "the player ended with an error"
echo "single instance: ok"
