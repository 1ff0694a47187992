#!/usr/bin/env bash
# The Windows build's tests under Wine, in a Wine prefix of their own:
#   the suites that need no window (career, fight, saves, texts, files, meshes, the screen kit),
#   the whole game driven frame by frame with the software renderer (SDL's offscreen driver),
#   and the launcher and every OpenGL case in real windows on Xvfb (Wine's opengl32 over GLX).
# The game's slot test loads the slot that this machine's build wrote for the same career and
# saves it again: the bytes must be the same.
#
#   bash tools/windows/test.sh <Windows build folder> <this machine's build folder>
set -euo pipefail
win_build=$(readlink -f "$1")
host_build=$(readlink -f "$2")
jobs=${BRAWNMOOR_JOBS:-$(nproc)}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/brawnmoor-wintest.XXXXXX")
export BRAWNMOOR_WINEPREFIX=$scratch/wineprefix
cleanup() {
  WINEPREFIX=$BRAWNMOOR_WINEPREFIX wineserver -k 2>/dev/null || true
  WINEPREFIX=$BRAWNMOOR_WINEPREFIX-desktop wineserver -k 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# The slot of this machine's build (the test saves it after a fight and an advance).
cmake --build "$host_build" --target game_tests -j"$jobs" >/dev/null
BRAWNMOOR_SLOT_OUT=$scratch/linux-slot "$host_build/bin/game_tests" \
  --gtest_filter=CareerEndToEnd.ASlotLoadsAndSavesAgainByteForByteOnEverySystem >"$scratch/linux-slot.log" 2>&1 ||
  { cat "$scratch/linux-slot.log"; exit 1; }
[ -s "$scratch/linux-slot" ] || { echo "tools/windows/test.sh: the Linux build wrote no slot" >&2; exit 1; }
# Wine's drive Z: is the root of this machine's file system.
BRAWNMOOR_FOREIGN_SLOT="Z:$(tr / '\\' <<<"$scratch/linux-slot")"
export BRAWNMOOR_FOREIGN_SLOT

cd "$win_build"
ctest --output-on-failure -j"$jobs"
