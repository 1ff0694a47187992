#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/ and runs the
# headless test suites there. The build is optimised (with debug information), so the whole
# game's screens run at a useful speed; the game's screen tests run with the software renderer
# here (their OpenGL twins run in the normal build and under Xvfb). The data folder is the
# normal build's (made first when missing): the generators are build-time tools, tested there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh --target brawnmoor_data
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAWNMOOR_SANITIZE=ON -DBRAWNMOOR_BENCH=OFF \
  -DBRAWNMOOR_DATA_FROM="$PWD/build/bin/data"
cmake --build build-asan -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/window/lsan.supp
cd build-asan
ctest --output-on-failure -j"$(nproc)" -LE game_tests
ctest --output-on-failure -j"$(nproc)" -L game_tests -E OpenGL
