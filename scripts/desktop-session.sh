# A private desktop for the tests, the screenshots and the benchmarks: an X
# server (Xvfb, 96 dpi) with a window manager, and a PulseAudio server with a
# null sink. Source this file; everything it starts is stopped when the
# sourcing script ends, however it ends.

session_dir=$(mktemp -d /tmp/zelvo-session.XXXXXX)
session_pids=()
end_session() {
  for pid in "${session_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${session_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$session_dir"
}
trap end_session EXIT
trap 'exit 130' INT TERM HUP

# A session bus of this session's own. Without it, programs on the X server
# would find (or autolaunch) one shared bus, and a second PulseAudio there
# would give up on finding its D-Bus name taken.
start_session_bus() {
  dbus-daemon --session --nofork --address="unix:path=$session_dir/bus" >"$session_dir/dbus.log" 2>&1 &
  session_pids+=($!)
  for _ in $(seq 100); do [ -S "$session_dir/bus" ] && break; sleep 0.1; done
  export DBUS_SESSION_BUS_ADDRESS="unix:path=$session_dir/bus"
}

# start_x_server WIDTHxHEIGHT [with-window-manager]: exports DISPLAY and
# DBUS_SESSION_BUS_ADDRESS.
start_x_server() {
  start_session_bus
  exec 3>"$session_dir/display"
  Xvfb -displayfd 3 -screen 0 "$1x24" -dpi 96 -nolisten tcp -noreset >"$session_dir/xvfb.log" 2>&1 &
  session_pids+=($!)
  exec 3>&-
  for _ in $(seq 100); do [ -s "$session_dir/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$session_dir/display")"
  unset WAYLAND_DISPLAY QT_QPA_PLATFORM
  if [ "${2:-}" = with-window-manager ]; then
    openbox >"$session_dir/openbox.log" 2>&1 &
    session_pids+=($!)
  fi
}

# start_sound_server SINK: exports PULSE_SERVER; the null sink is the default.
start_sound_server() {
  export PULSE_SERVER="unix:$session_dir/pulse.socket"
  export PULSE_RUNTIME_PATH="$session_dir/pulse-runtime"
  export XDG_RUNTIME_DIR="$session_dir/xdg"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$PULSE_RUNTIME_PATH"
  # Kept off the session bus: a sound server a test starts for itself may
  # take the bus names there.
  DBUS_SESSION_BUS_ADDRESS="unix:path=$session_dir/no-bus" pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$session_dir/pulse.socket" \
    -L "module-null-sink sink_name=$1" >"$session_dir/pulse.log" 2>&1 &
  session_pids+=($!)
  for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  pactl set-default-sink "$1" >/dev/null 2>&1 || true
}
