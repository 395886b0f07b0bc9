#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz, then runs each for a while
# (ZELVO_FUZZ_SECONDS, 60 by default) from its seed corpus. An input that
# makes a target fail is saved under tests/fuzz/crashes/<inputs>/: commit it
# with the fix, and the replay in every build keeps checking it. Needs clang.
#
#   scripts/fuzz.sh [target...]     (default: every target)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
command -v clang++ >/dev/null || { echo "clang++ is needed (Debian package clang)" >&2; exit 1; }

declare -A inputs=([playlist_file]=playlist_file [settings_file]=settings_file [skin_loader]=skin_loader
                   [uniform_name]=uniform_name [media_probe]=media [decoder_stream]=media)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(playlist_file settings_file skin_loader uniform_name media_probe decoder_stream)

sanitize="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZELVO_BUILD_BENCH=OFF -DZELVO_LIBFUZZER=ON \
  -DCMAKE_CXX_FLAGS="$sanitize" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
status=0
for target in "${targets[@]}"; do
  folder=${inputs[$target]}
  work=build-fuzz/corpus/$target
  mkdir -p "$work" "tests/fuzz/crashes/$folder"
  echo "== $target"
  build-fuzz/tests/fuzz/fuzz_"$target" "$work" "tests/fuzz/corpus/$folder" \
    -max_total_time="${ZELVO_FUZZ_SECONDS:-60}" -timeout=20 -rss_limit_mb=4096 -max_len=65536 \
    -artifact_prefix="tests/fuzz/crashes/$folder/" -print_final_stats=1 || status=1
done
exit $status
