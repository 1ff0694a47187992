#!/usr/bin/env bash
# ThreadSanitizer run of the sound tests (streaming thread, mixer callback, main thread), by hand:
#   bash tests/sound/tsan.sh [ctest arguments]
# Builds only the sound test program in build-tsan/ and runs its tests there.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DBRAWNMOOR_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer -O1" \
  -DCMAKE_C_FLAGS="-fsanitize=thread -fno-omit-frame-pointer -O1" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
cmake --build build-tsan -j"$(nproc)" --target sound_tests
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
cd build-tsan
ctest --output-on-failure -j"$(nproc)" \
  -R '^(AudioMixer|KSound|OggMemoryReader|GameSoundTable)' "$@"
