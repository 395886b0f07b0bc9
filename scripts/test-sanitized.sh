#!/usr/bin/env bash
# Builds Zelvo with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan and runs the whole test suite, the fuzz replays included, in the
# private desktop session. Any finding fails its test; leaks inside system
# libraries are suppressed (tests/sanitizers/lsan.supp). Arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bash scripts/install-deps.sh

sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELVO_BUILD_BENCH=OFF -DZELVO_HARDENING=OFF \
  -DCMAKE_CXX_FLAGS="$sanitize" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build build-asan -j"$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:strict_init_order=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"

source scripts/desktop-session.sh
start_x_server 1920x1080 with-window-manager
export ZELVO_TEST_SINK=zelvo_null
start_sound_server "$ZELVO_TEST_SINK"

cd build-asan
ctest --output-on-failure --timeout 900 "$@"
