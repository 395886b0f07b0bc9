#!/usr/bin/env bash
# Takes a screenshot of Zelvo wearing each shipped skin, from the real program
# on a private X server, into docs/screenshots/<skin>.png for the README.
# Each skin gets a portable copy of the program holding only that skin, so a
# first start shows it. Usage: scripts/screenshots.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ ! -x "$build/zelvo/zelvo" ] || [ ! -x "$build/tools/screen_grabber/zelvo_screen_grabber" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --parallel "$(nproc)" --target zelvo zelvo_skins zelvo_screen_grabber
fi
grabber="$build/tools/screen_grabber/zelvo_screen_grabber"
out=docs/screenshots
mkdir -p "$out"

source scripts/desktop-session.sh
work=$session_dir
# A screen just larger than the bar, so the pictures show the player, not the desktop.
width=720 height=400
start_x_server ${width}x${height}
# The player wants a sound device.
start_sound_server zelvo_shots

# Where the bar's buttons are: the bar is 640 px wide, centred on the top edge.
bar_left=$(( (width - 640) / 2 ))
gutter_x=$(( bar_left + 149 )) gutter_y=12

for skin_dir in "$build"/zelvo/skins/*/; do
  skin=$(basename "$skin_dir")
  app="$work/$skin"
  mkdir -p "$app/skins"
  cp "$build/zelvo/zelvo" "$build/zelvo/credits.dat" "$build/zelvo/readme.rtf" "$app/"
  cp -r "$skin_dir" "$app/skins/$skin"
  {
    printf '"Quandrell Software - Zelvo Audio Player - Saved Playlist - V2"\r\n'
    printf '"%s"\r\n' \
      "Nightfall Avenue - Harbour Lights|04:12|/music/harbour_lights.mp3|2" \
      "Paper Kites Club - Slow Summer|03:41|/music/slow_summer.mp3|1" \
      "The Lanterns - Northbound|05:03|/music/northbound.mp3|0" \
      "Mira Vale - Glass Garden|03:27|/music/glass_garden.wma|0" \
      "Copper Skyline - Midnight Tram|04:48|/music/midnight_tram.mp3|1" \
      "Juniper Row - Open Windows|02:59|/music/open_windows.mp3|-1"
  } >"$app/AutoSave.zpl"

  "$app/zelvo" >"$work/$skin.log" 2>&1 &
  pid=$!
  session_pids+=($pid)
  shown=""
  for _ in $(seq 100); do
    if xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; then shown=yes; break; fi
    sleep 0.1
  done
  if [ -z "$shown" ]; then
    echo "Zelvo showed no window with the skin $skin; its output:" >&2
    cat "$work/$skin.log" >&2
    exit 1
  fi
  sleep 1
  # The playlist hangs under the bar after start-up. The pointer rests on the
  # bar, so that it does not tuck itself away, and in the gutter between two
  # buttons, where no tooltip comes up.
  xdotool mousemove "$gutter_x" "$gutter_y"
  sleep 2
  "$grabber" "$out/$skin.png" 0 0 "$width" "$height"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "$out/$skin.png"
done
