#!/usr/bin/env bash
# Installs the Debian package on a clean Debian 12 system and starts the game from the installed
# path, the way a player would: a fresh minimal bookworm tree is made with debootstrap, the
# package is installed there with apt (which brings in what it depends on and nothing of the
# build machine), and the game is started in that tree against an Xvfb display of the host with
# the command of its installed menu entry, under the PATH a Debian login gives (which holds
# /usr/games). The launcher is clicked (full screen off, OpenGL, START), then QUICK START, and a
# picture of each step is written to the output folder.
#
#   sudo bash tools/cleaninstall.sh [output folder]      (default: build/cleaninstall)
#
# Needs root, network access to deb.debian.org, and on the host: debootstrap, Xvfb, xdotool and
# ImageMagick (installed when missing). The package is made first when build/ has none.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
out="$(realpath -m "${1:-build/cleaninstall}")"
mkdir -p "$out"
[ "$(id -u)" = 0 ] || { echo "cleaninstall: run as root" >&2; exit 1; }

need=()
command -v debootstrap >/dev/null || need+=(debootstrap)
command -v Xvfb >/dev/null || need+=(xvfb)
command -v xdotool >/dev/null || need+=(xdotool)
command -v import >/dev/null || need+=(imagemagick)
if [ ${#need[@]} -gt 0 ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y "${need[@]}"
fi

deb=$(ls build/brawnmoor_*_amd64.deb 2>/dev/null | tail -1 || true)
if [ -z "$deb" ]; then
  bash tools/build.sh
  (cd build && cpack -G DEB)
  deb=$(ls build/brawnmoor_*_amd64.deb | tail -1)
fi

root=$(mktemp -d /var/tmp/brawnmoor-clean.XXXXXX)
game_pid=""
xvfb_pid=""
cleanup() {
  set +e
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  sleep 1
  for m in tmp/.X11-unix dev/pts dev sys proc; do
    mountpoint -q "$root/$m" && umount -l "$root/$m"
  done
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT

echo "cleaninstall: a minimal Debian 12 in $root"
debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian > "$out/debootstrap.log"
for m in proc sys dev dev/pts; do mount --bind "/$m" "$root/$m"; done
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
chroot "$root" bash -c "apt-get update -q && DEBIAN_FRONTEND=noninteractive \
  apt-get install -y /tmp/$(basename "$deb")" > "$out/install.log" 2>&1
chroot "$root" dpkg -l > "$out/packages.txt"
echo "cleaninstall: installed; $(grep -c '^ii' "$out/packages.txt") packages in the tree"
for program in /usr/games/brawnmoor /usr/games/vantorel; do
  if chroot "$root" ldd "$program" | grep "not found"; then
    echo "cleaninstall: $program misses libraries" >&2; exit 1
  fi
done
for file in /usr/share/games/brawnmoor/data/nation.ini /usr/share/man/man6/brawnmoor.6.gz \
            /usr/share/man/man6/vantorel.6.gz /usr/share/doc/brawnmoor/copyright \
            /usr/share/doc/brawnmoor/changelog.gz /usr/share/metainfo/org.example.brawnmoor.metainfo.xml; do
  chroot "$root" test -s "$file" || { echo "cleaninstall: $file is not installed" >&2; exit 1; }
done

# An X display on the host, reachable from the tree through its socket.
display=77
while [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp > "$out/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
mkdir -p "$root/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
export DISPLAY=":$display"

# Finds the game's window of the given width and prints "x y" of its top-left corner.
windowAt() {
  local width=$1
  for _ in $(seq 200); do
    for w in $(xdotool search --name "Brawnmoor" 2>/dev/null); do
      local geo
      geo=$(xdotool getwindowgeometry "$w")
      if grep -q "Geometry: ${width}x" <<<"$geo"; then
        sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p' <<<"$geo"
        return 0
      fi
    done
    sleep 0.1
  done
  echo "cleaninstall: no ${width}-pixel window appeared" >&2
  return 1
}
shot() {  # shot <name> <x> <y> <width> <height>
  import -window root "$out/full.png"
  convert "$out/full.png" -crop "$4x$5+$2+$3" +repage "$out/$1.png"
  rm -f "$out/full.png"
  echo "cleaninstall: wrote $out/$1.png"
}
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.5; }

# The menu entry's command, run as a desktop would: under the PATH of the tree's login.defs.
entry="$root/usr/share/applications/brawnmoor.desktop"
command=$(sed -n 's/^Exec=//p' "$entry" | head -1)
path=$(sed -n 's/^ENV_PATH[[:space:]]*PATH=//p' "$root/etc/login.defs")
path=${path:-/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games}
echo "cleaninstall: starting the menu entry's command \"$command\" with PATH=$path"
chroot "$root" env -i DISPLAY="$DISPLAY" HOME=/root PATH="$path" \
  /bin/sh -c "exec $command" > "$out/game.log" 2>&1 &
game_pid=$!
read -r lx ly < <(windowAt 400)
sleep 1
shot launcher "$lx" "$ly" 400 300
click $((lx + 212)) $((ly + 200))   # full screen off
click $((lx + 40)) $((ly + 200))    # "use DirectX" off: OpenGL, through the Mesa the package brought
click $((lx + 200)) $((ly + 282))   # START
read -r gx gy < <(windowAt 800)
sleep 6                             # the loading screen and the jingle
shot mainmenu "$gx" "$gy" 800 600
# OpenGL came from the tree's own libraries: the GLX vendor library and Mesa's driver.
for lib in libGL.so.1 libGLX_mesa.so.0 swrast_dri.so; do
  grep -q "/$lib" "/proc/$game_pid/maps" || { echo "cleaninstall: the game has not loaded $lib" >&2; exit 1; }
done
echo "cleaninstall: the game draws with OpenGL: $(grep -o '/[^ ]*\(libGLX_mesa\|swrast_dri\)[^ ]*' "/proc/$game_pid/maps" | sort -u | tr '\n' ' ')"
click $((gx + 400)) $((gy + 375))   # QUICK START
sleep 3
shot quickstart "$gx" "$gy" 800 600
if ! chroot "$root" test -s /root/.local/share/Brawnmoor/prefs; then
  echo "cleaninstall: the game wrote no preferences" >&2; exit 1
fi
echo "cleaninstall: the installed game started, ran and kept its preferences in ~/.local/share/Brawnmoor"
