#!/usr/bin/env bash
# Runs a Windows program under Wine: the cross build's test runner (CMAKE_CROSSCOMPILING_EMULATOR)
# and the way tools/windows.sh starts the game.
#
# The Wine prefix is a folder of its own (BRAWNMOOR_WINEPREFIX, by default one per user in the
# temporary folder), made on first use; Wine's own messages are silenced and its browser and .NET
# installers are never offered. The prefix's server is kept alive for a while between programs,
# so a test run that starts hundreds of programs pays for Wine's start-up once.
set -euo pipefail

# A program with a display of its own (tests in windows on Xvfb) names a suffix for a prefix of
# its own: the programs of one prefix share one desktop, on one display. With
# BRAWNMOOR_WINE_UNMANAGED set, Wine draws the windows' frames itself (see below).
export WINEPREFIX="${BRAWNMOOR_WINEPREFIX:-${TMPDIR:-/tmp}/brawnmoor-wine-$(id -u)}${BRAWNMOOR_WINEPREFIX_SUFFIX:-}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64

wine=${BRAWNMOOR_WINE:-wine}
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/.brawnmoor-ready" ]; then
    # No display is needed for the prefix; wineboot would otherwise try to open one.
    DISPLAY= "$wine" wineboot --init >/dev/null 2>&1 9>&- || true
    wineserver -w 9>&- 2>/dev/null || true
    touch "$WINEPREFIX/.brawnmoor-ready"
  fi
  # Windows that Wine frames itself rather than leaving to a window manager (there is none on
  # Xvfb): Wine then draws their captions and frames as Windows does, and closing one does not
  # wait two seconds for a window manager to take it back.
  if [ -n "${BRAWNMOOR_WINE_UNMANAGED:-}" ] && [ ! -f "$WINEPREFIX/.brawnmoor-unmanaged" ]; then
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 9>&- || true
    touch "$WINEPREFIX/.brawnmoor-unmanaged"
  fi
  # Keep the server for 120 s after the last program ends.
  wineserver -p120 >/dev/null 2>&1 9>&- || true
) 9>"$WINEPREFIX.lock"

# Wine starts its own services (device manager, plug and play, explorer) with the first program
# of a server, and they inherit that program's output: a caller reading the output through a
# pipe (ctest, gtest's test discovery) would wait for them until the server ends. The program's
# output therefore goes through files, passed on when it ends.
out=$(mktemp "${TMPDIR:-/tmp}/brawnmoor-wine-out.XXXXXX")
err=$(mktemp "${TMPDIR:-/tmp}/brawnmoor-wine-err.XXXXXX")
trap 'rm -f "$out" "$err"' EXIT
"$wine" "$@" >"$out" 2>"$err" </dev/null &
child=$!
# Ending this runner ends the program.
trap 'kill "$child" 2>/dev/null' TERM INT HUP
status=0
wait "$child" || status=$?
if kill -0 "$child" 2>/dev/null; then
  wait "$child" || true
fi
cat "$out"
cat "$err" >&2
exit "$status"
