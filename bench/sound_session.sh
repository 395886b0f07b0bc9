# Sourced by the benchmarks that listen to the real program: a private X
# server with a window manager and a sound server with the null sink
# zelvo_bench, both ended with the session. Sets build (the build folder,
# the script's first argument) and here (the checkout), and works from there.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build}
here=$(pwd)
source scripts/desktop-session.sh
source scripts/window-helpers.sh
start_x_server 1920x1080 with-window-manager
start_sound_server zelvo_bench
