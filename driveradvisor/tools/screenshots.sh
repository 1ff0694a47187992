#!/usr/bin/env bash
# Screenshots of the advisor's real window under Xvfb, as a person would see it: the consent
# question, a card the database knows, a card it does not know ("nores", with the apology)
# and a server that cannot be reached.
#
#   bash driveradvisor/tools/screenshots.sh [OUTPUT-FOLDER]      (default /tmp)
#
# It builds the advisor in build-vantorel-loopback/ with its database server set to a Python
# http.server on 127.0.0.1, gives it a stand-in video card (an NVIDIA GeForce GTX 1080 on a
# private copy of /sys/bus/pci, so it needs root for unshare and mount), starts Xvfb with
# openbox for the title bars when it is there, answers the consent question with a click and
# writes vantorel-consent.png, vantorel-success.png, vantorel-failure.png and
# vantorel-unreachable.png. Needs xvfb, xdotool, imagemagick and python3.
set -euo pipefail
cd "$(dirname "$0")/../.."
port=${VANTOREL_SCREENSHOT_PORT:-18614}
build=build-vantorel-loopback

if [ "${1:-}" != "--inside" ]; then
  out=$(realpath "${1:-/tmp}")
  cmake -S . -B "$build" -DBRAWNMOOR_TESTS=OFF -DBRAWNMOOR_BENCH=OFF \
        -DVANTOREL_SERVER="http://127.0.0.1:$port/" >/dev/null
  cmake --build "$build" --target vantorel -j"$(nproc)" >/dev/null
  exec unshare -m -- bash "$0" --inside "$out"
fi

# ---- In a private mount namespace from here on ------------------------------------------
out=$2
card=/sys/bus/pci/devices/0000:01:00.0
mount -t tmpfs vantorel-pci /sys/bus/pci/devices
mkdir "$card"
echo 0x10de >"$card/vendor"
echo 0x1b80 >"$card/device"
echo 0x030000 >"$card/class"

site=$(mktemp -d)
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site" >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true; rm -rf "$site"' EXIT

cat >"$site/session.sh" <<'SESSION'
set -u
out=$1 site=$2 program=$3
if command -v openbox >/dev/null; then openbox >/dev/null 2>&1 & sleep 1; fi

waitFor() {  # waitFor NAME: until a window of that name shows, ten seconds at most
  for _ in $(seq 50); do xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return 0; sleep 0.2; done
  echo "no window named $1" >&2
  return 1
}

shoot() {  # shoot REPLY|- NAME: one run of the program, one picture; "-" stops the server
  if [ "$1" = - ]; then kill "$SERVER_PID"; sleep 0.5; else printf '%b' "$1" >"$site/addadriver.php"; fi
  NO_AT_BRIDGE=1 "$program" 2>>"$out/vantorel-stderr.txt" &
  local app=$!
  waitFor "Important notice" || { kill $app; return 1; }
  sleep 0.5
  [ "$2" = success ] && import -window root "$out/vantorel-consent.png"
  local id WIDTH HEIGHT
  id=$(xdotool search --onlyvisible --name "Important notice" | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$id" | grep -E '^(WIDTH|HEIGHT)=')"
  xdotool mousemove --window "$id" $((WIDTH * 3 / 4)) $((HEIGHT - 16)) click 1   # Yes
  waitFor "Vantorel 1.0"
  sleep 2
  import -window root "$out/vantorel-$2.png"
  kill $app
  wait $app 2>/dev/null
  return 0
}

shoot 'manufact:NVIDIA\r\nofficialurl:https://www.nvidia.com/Download/index.aspx\r\ndescription:GeForce GTX 1080 (GP104)\r\nadvice:Install the latest certified driver, 535.54 or newer\r\nurl:0\r\nversion:535.54\r\n' success
shoot 'nores\r\n' failure
shoot - unreachable
SESSION

: >"$out/vantorel-stderr.txt"
SERVER_PID=$server xvfb-run -a -s "-screen 0 1024x768x24" \
  bash "$site/session.sh" "$out" "$site" "$PWD/$build/bin/vantorel"
ls -l "$out"/vantorel-{consent,success,failure,unreachable}.png
