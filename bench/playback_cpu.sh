#!/usr/bin/env bash
# CPU of the real program playing a 320 kbit/s MP3 with its windows idle,
# measured over 30 s, beside its anchor: ffplay -nodisp playing the same file
# through the same sound server. Goal: at most 1.5 times the anchor.
# Needs the Debian package ffmpeg (for ffplay and to make the file).
#
#   bash bench/playback_cpu.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
command -v ffplay >/dev/null || { echo "needs ffplay: apt-get install ffmpeg" >&2; exit 1; }
source scripts/desktop-session.sh
source scripts/window-helpers.sh
start_x_server 1920x1080 with-window-manager
start_sound_server zelvo_bench

seconds=30
ffmpeg -hide_banner -loglevel error -f lavfi -i "anoisesrc=c=pink:r=44100:a=0.3:d=$((seconds + 10))" \
  -ac 2 -c:a libmp3lame -b:a 320k "$session_dir/song.mp3"
cp -r "$build/zelvo" "$session_dir/zelvo"
printf '"%s"\r\n' "Quandrell Software - Zelvo Audio Player - Saved Playlist - V2" \
  "Pink Noise|00:40|$session_dir/song.mp3|0" >"$session_dir/zelvo/AutoSave.zpl"

measure() {  # measure PID: CPU seconds used over the next $seconds seconds
  local before; before=$(cpu_of "$1")
  sleep "$seconds"
  awk -v a="$before" -v b="$(cpu_of "$1")" 'BEGIN { printf "%.3f", b - a }'
}

"$session_dir/zelvo/zelvo" >/dev/null 2>&1 &
zelvo=$!
session_pids+=($zelvo)
playlist=$(find_window "Zelvo Playlist" || true)
sleep 1
xdotool windowactivate --sync "$playlist" key Return
sleep 2
zelvo_cpu=$(measure "$zelvo")
kill -9 "$zelvo"

ffplay -nodisp -autoexit -loglevel quiet "$session_dir/song.mp3" &
ffplay=$!
session_pids+=($ffplay)
sleep 2
anchor_cpu=$(measure "$ffplay")
kill "$ffplay"

awk -v z="$zelvo_cpu" -v a="$anchor_cpu" -v s="$seconds" 'BEGIN {
  printf "PlaybackCpu_320kMp3            %6.3f s CPU in %d s (%.2f %% of a core)\n", z, s, 100 * z / s
  printf "PlaybackCpu_Anchor_ffplay      %6.3f s CPU in %d s (%.2f %% of a core)\n", a, s, 100 * a / s
  printf "ratio %.2f (goal: at most 1.5)\n", (a > 0 ? z / a : 0)
}'
