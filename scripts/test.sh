#!/usr/bin/env bash
# Installs what is needed, builds Zelvo and runs every test. The tests get a
# private X server with a window manager and a private PulseAudio server with
# a null sink; both are stopped however this script ends.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh

source scripts/desktop-session.sh
start_x_server 1920x1080 with-window-manager
export ZELVO_TEST_SINK=zelvo_null
start_sound_server "$ZELVO_TEST_SINK"

cd build
ctest --output-on-failure --timeout 300 "$@"
