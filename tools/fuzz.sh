#!/usr/bin/env bash
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer in
# build-fuzz/ and runs each for a bounded time (FUZZ_SECONDS, 60 by default) from its seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-60}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBRAWNMOOR_FUZZ=ON -DBRAWNMOOR_SANITIZE=ON -DBRAWNMOOR_TESTS=OFF -DBRAWNMOOR_BENCH=OFF
cmake --build build-fuzz -j"$(nproc)" --target brawnmoor-loadslot-fuzz brawnmoor-saveseeds
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
build-fuzz/bin/brawnmoor-saveseeds "$corpus"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
build-fuzz/bin/brawnmoor-loadslot-fuzz -max_total_time="$seconds" -max_len=540718 \
  -rss_limit_mb=4096 -print_final_stats=1 "$corpus"
