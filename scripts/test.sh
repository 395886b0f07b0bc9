#!/usr/bin/env bash
# Installs what is needed, builds Zelvo and runs every test. The tests get a
# private X server (Xvfb with a window manager) and a private PulseAudio server
# with a null sink; both are stopped however this script ends.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

work=$(mktemp -d /tmp/zelvo-test.XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# X server: Xvfb picks a free display and tells it through a pipe.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -dpi 96 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)

# Sound server: PulseAudio on a socket of our own with a null sink.
export PULSE_SERVER="unix:$work/pulse.socket"
export PULSE_RUNTIME_PATH="$work/pulse-runtime"
export XDG_RUNTIME_DIR="$work/xdg"; mkdir -p -m 700 "$XDG_RUNTIME_DIR"
export ZELVO_TEST_SINK=zelvo_null
mkdir -p "$PULSE_RUNTIME_PATH"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
  -L "module-native-protocol-unix auth-anonymous=1 socket=$work/pulse.socket" \
  -L "module-null-sink sink_name=$ZELVO_TEST_SINK" >"$work/pulse.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink "$ZELVO_TEST_SINK" >/dev/null 2>&1 || true

cd build
ctest --output-on-failure --timeout 300 "$@"
