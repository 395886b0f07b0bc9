#!/usr/bin/env bash
# How soon a change asked of the playing program is heard through the sound
# server (goal: within 200 ms, also under load): pause, play again and a lower
# volume, asked over MPRIS while a tone plays; a seek into the silence at the
# tone file's end and back into the tone (MPRIS SetPosition); and the balance
# "&Left Only", chosen as a user does from the options menu (Shift+O, then A
# for "&Audio Balance", then L) until the right channel falls silent. The
# balance figure starts when the choosing key (L) is sent: opening the menu
# and its submenu comes before it and is not counted; xdotool's own start is,
# as dbus-send's is in the others. The anchor beside them is the sound
# server's own path: a paplay stream started (heard) and killed (gone),
# measured the same way. Each figure is the median of five tries, idle and
# then with two busy processes at the same priority.
# Needs the Debian package ffmpeg (to make the tone) and a build of the
# targets zelvo and zelvo_skins (without skins the playlist window stays
# away).
#
#   bash bench/responsiveness.sh [build folder]
source "$(dirname "$0")/sound_session.sh"
# Ten minutes: a tone for nine, then a minute of silence to seek into.
ffmpeg -hide_banner -loglevel error -y -f lavfi -i "sine=frequency=440:sample_rate=44100:duration=540" \
  -af volume=0.5,apad=whole_dur=600 -ac 2 -c:a libmp3lame -b:a 192k "$session_dir/tone.mp3"
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
track=$("${mpris[@]}" org.freedesktop.DBus.Properties.Get "string:$player" string:Metadata |
  grep -A1 '"mpris:trackid"' | grep -o '/org/[^"]*')
seek=($player.SetPosition "objpath:$track")
# The options menu's "&Audio Balance" submenu, opened from the playlist window
# as a user does; its entries then answer to their letters.
balance_menu() {
  xdotool windowactivate --sync "$playlist" keydown shift key o keyup shift
  sleep 0.3
  xdotool key a
  sleep 0.3
}
# A change not heard within 2 s counts as "never" and is left out of the median.
heard() { python3 "$here/bench/heard_within.py" "$@" | awk '{print $2}' || true; }
median() { grep -E '^[0-9]+$' | sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
declare -A tries
timed() {  # timed WHAT CHANGE COMMAND...: one try, its figure kept under WHAT
  tries[$1]+="$(heard "$1" zelvo_bench "${@:2}") "
}

measure() {  # measure LOAD: five tries of each change, the median printed
  tries=()
  for _ in 1 2 3 4 5; do
    timed pause silent "${mpris[@]}" $player.Pause
    timed play loud "${mpris[@]}" $player.Play
    timed quieter quieter "${mpris[@]}" "${volume[@]}" variant:double:0.2
    "${mpris[@]}" "${volume[@]}" variant:double:1.0 >/dev/null
    balance_menu
    timed balance right-silent xdotool key l
    balance_menu
    xdotool key m
    timed seek silent "${mpris[@]}" "${seek[@]}" int64:570000000
    timed seek_back loud "${mpris[@]}" "${seek[@]}" int64:10000000
    "${mpris[@]}" $player.Pause >/dev/null
    sleep 0.5
    # The stream's id is kept so that only this paplay is killed.
    timed started loud sh -c 'echo $$ >"$0"; exec paplay -d zelvo_bench "$1"' "$session_dir/paplay.pid" \
      "$session_dir/tone.wav"
    timed gone silent kill -9 "$(cat "$session_dir/paplay.pid")"
    "${mpris[@]}" $player.Play >/dev/null
    sleep 0.5
  done
  for what in pause play quieter balance seek seek_back started gone; do
    printf '%-40s %4s ms   (tries: %s)\n' "Responsiveness_${1}_$what" \
      "$(printf '%s\n' ${tries[$what]} | median)" "${tries[$what]% }"
  done
}

measure idle
yes >/dev/null & busy1=$!
yes >/dev/null & busy2=$!
session_pids+=("$busy1" "$busy2")  # stopped with the session, however it ends
measure under_load
