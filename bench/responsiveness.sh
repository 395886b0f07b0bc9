#!/usr/bin/env bash
# How soon a change asked of the playing program is heard through the sound
# server (goal: within 200 ms, also under load): pause, play again and a lower
# volume, asked over MPRIS while a tone plays. The anchor beside them is the
# sound server's own path: a paplay stream started (heard) and killed (gone),
# measured the same way. Each figure is the median of five tries, idle and then
# with two busy processes at the same priority.
# Needs the Debian package ffmpeg (to make the tone).
#
#   bash bench/responsiveness.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
here=$(pwd)
source scripts/desktop-session.sh
source scripts/window-helpers.sh
start_x_server 1920x1080 with-window-manager
start_sound_server zelvo_bench
ffmpeg -hide_banner -loglevel error -y -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=600" \
  -af volume=0.5 -ac 2 -c:a libmp3lame -b:a 192k "$session_dir/tone.mp3"
ffmpeg -hide_banner -loglevel error -y -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=60" \
  -af volume=0.5 -ac 2 "$session_dir/tone.wav"

cp -r "$build/zelvo" "$session_dir/zelvo"
printf '"%s"\r\n"Tone|10:00|%s|0"\r\n' "Quandrell Software - Zelvo Audio Player - Saved Playlist - V2" \
  "$session_dir/tone.mp3" >"$session_dir/zelvo/AutoSave.zpl"
"$session_dir/zelvo/zelvo" >/dev/null 2>&1 &
zelvo=$!
trap 'kill -9 $zelvo 2>/dev/null; end_session' EXIT
playlist=$(find_window "Zelvo Playlist")
sleep 1
xdotool windowactivate --sync "$playlist" key Home key Return
sleep 1

mpris=(dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.zelvo /org/mpris/MediaPlayer2)
player=org.mpris.MediaPlayer2.Player
volume=(org.freedesktop.DBus.Properties.Set "string:$player" string:Volume)
# A change not heard within 2 s counts as "never" and is left out of the median.
heard() { python3 "$here/bench/heard_within.py" "$@" | awk '{print $2}' || true; }
median() { grep -E '^[0-9]+$' | sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

measure() {  # measure LOAD: five tries of each change, the median printed
  local pause=() play=() quieter=() started=() gone=()
  for _ in 1 2 3 4 5; do
    pause+=("$(heard pause zelvo_bench silent "${mpris[@]}" $player.Pause)")
    play+=("$(heard play zelvo_bench loud "${mpris[@]}" $player.Play)")
    quieter+=("$(heard volume zelvo_bench quieter "${mpris[@]}" "${volume[@]}" variant:double:0.2)")
    "${mpris[@]}" "${volume[@]}" variant:double:1.0 >/dev/null
    "${mpris[@]}" $player.Pause >/dev/null
    sleep 0.5
    started+=("$(heard anchor zelvo_bench loud paplay -d zelvo_bench "$session_dir/tone.wav")")
    gone+=("$(heard anchor zelvo_bench silent pkill -9 -x paplay)")
    "${mpris[@]}" $player.Play >/dev/null
    sleep 0.5
  done
  for what in pause play quieter started gone; do
    local -n tries=$what
    printf '%-40s %4s ms   (tries: %s)\n' "Responsiveness_${1}_$what" "$(printf '%s\n' "${tries[@]}" | median)" "${tries[*]}"
  done
}

measure idle
yes >/dev/null & busy1=$!
yes >/dev/null & busy2=$!
measure under_load
kill "$busy1" "$busy2"
