#!/usr/bin/env bash
# Silence heard from the real program through the sound server, recorded from
# the null sink's monitor and counted in 1 ms blocks:
#  - at the joins of a 440 Hz tone split into four MP3 files (LAME headers,
#    normal mode; goal at most 5 ms each), and of one split into two WMA files;
#  - dropouts inside a 60 s track while two busy processes (one per core) run
#    at the same priority (goal: none over 2 ms), beside the anchor, ffplay
#    -nodisp playing the same file under the same load; then both again under
#    a heavier load: the two busy processes plus a C++ compile over and over.
# Needs the Debian package ffmpeg (to make the files, and ffplay).
#
#   bash bench/gapless_and_dropouts.sh [build folder]
source "$(dirname "$0")/sound_session.sh"
ff() { ffmpeg -hide_banner -loglevel error -y "$@"; }
tone="sine=frequency=440:sample_rate=44100"

# The pieces: cut from one decoded tone, so only the player can add a gap.
ff -f lavfi -i "$tone:duration=12" -af volume=0.5 -ac 2 "$session_dir/tone.wav"
for i in 0 1 2 3; do
  ff -ss "$((i * 3))" -t 3 -i "$session_dir/tone.wav" -c:a libmp3lame -b:a 192k "$session_dir/piece$i.mp3"
done
for i in 0 1; do
  ff -ss "$((i * 3))" -t 3 -i "$session_dir/tone.wav" -c:a wmav2 -b:a 128k "$session_dir/piece$i.wma"
done
ff -f lavfi -i "$tone:duration=60" -af volume=0.5 -ac 2 -c:a libmp3lame -b:a 192k "$session_dir/long.mp3"

record() {  # record FILE: starts parec on the sink's monitor
  parec -d zelvo_bench.monitor --raw --format=s16le --rate=44100 --channels=2 >"$1" &
  recorder=$!
  sleep 0.3
  pactl suspend-sink zelvo_bench 1
  pactl suspend-sink zelvo_bench 0
}
stop_recording() { kill "$recorder"; wait "$recorder" 2>/dev/null || true; }

play_list() {  # play_list SECONDS FILE...: the program plays the files as a list
  local seconds=$1; shift
  rm -rf "$session_dir/zelvo"
  cp -r "$build/zelvo" "$session_dir/zelvo"
  { printf '"%s"\r\n' "Quandrell Software - Zelvo Audio Player - Saved Playlist - V2"
    for f in "$@"; do printf '"%s|00:03|%s|0"\r\n' "$(basename "$f")" "$f"; done
  } >"$session_dir/zelvo/AutoSave.zpl"
  "$session_dir/zelvo/zelvo" >/dev/null 2>&1 &
  local zelvo=$!
  local playlist
  playlist=$(find_window "Zelvo Playlist" || true)
  sleep 1
  xdotool windowactivate --sync "$playlist" key Home key Return
  sleep "$seconds"
  kill -9 "$zelvo"
}

busy() { yes >/dev/null & busy1=$!; yes >/dev/null & busy2=$!; compiler=; }
compiling() {  # a compile of standard headers, again and again, beside the busy loops
  busy
  printf '#include <regex>\n#include <map>\n#include <iostream>\nint main() { std::regex r("a+b"); std::map<int, std::string> m; std::cout << std::regex_match("aab", r) << m.size(); }\n' \
    >"$session_dir/load.cpp"
  ( while :; do g++ -O2 -o "$session_dir/load" "$session_dir/load.cpp"; done ) >/dev/null 2>&1 &
  compiler=$!
}
idle() {
  kill "$busy1" "$busy2" ${compiler:+"$compiler"}
  wait "$busy1" "$busy2" ${compiler:+"$compiler"} 2>/dev/null || true
}

report() {  # report NAME RAW
  read -r longest runs heard < <(python3 "$here/bench/silence_in_music.py" "$2")
  printf '%-44s longest silence %4d ms, silences over 2 ms: %3d, heard %6.2f s\n' "$1" "$longest" "$runs" "$heard"
}

# Four rows, but stop after the fourth: the list wraps to row 1 after 12 s.
record "$session_dir/mp3.raw"; play_list 13.5 "$session_dir"/piece{0,1,2,3}.mp3; stop_recording
report "Joins_4xMp3_normal" "$session_dir/mp3.raw"
record "$session_dir/wma.raw"; play_list 7.0 "$session_dir"/piece{0,1}.wma; stop_recording
report "Join_2xWma_normal" "$session_dir/wma.raw"

dropouts() {  # dropouts NAME LOAD: Zelvo, then its anchor ffplay, under the load
  record "$session_dir/$1.raw"; $2; play_list 63 "$session_dir/long.mp3"; idle; stop_recording
  report "Dropouts_60s_$1_zelvo" "$session_dir/$1.raw"
  record "$session_dir/$1_anchor.raw"; $2
  ffplay -nodisp -autoexit -loglevel quiet "$session_dir/long.mp3"
  idle; stop_recording
  report "Dropouts_60s_$1_ffplay" "$session_dir/$1_anchor.raw"
}
dropouts under_load busy
dropouts under_load_and_compile compiling
