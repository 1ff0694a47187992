#!/usr/bin/env bash
# The Windows release as a player meets it, under Wine and Xvfb: the installer run (silently)
# in a fresh Wine prefix, its files, Start-menu entries and uninstall entry checked, then the
# installed game started from its installed path and played with real clicks: the launcher,
# the main menu, the Options screen, a quick start to the boxer screen, a fight arranged on the
# rankings and watched in the ring view, on the software renderer and again on OpenGL. Then the installed advisor,
# Vantorel, is started as a person would, the consent question answered with a click on Yes,
# with the prefix's Internet settings pointing at a proxy on this machine that plays the driver
# database: once for a card it knows, once for "nores". Pictures of each step are kept in the
# output folder. Last the uninstaller runs.
#
#   bash tools/windows/play.sh <setup.exe> <output folder>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
setup=$(readlink -f "$1")
out=$2
mkdir -p "$out"
out=$(readlink -f "$out")
rm -f "$out"/*.png

export BRAWNMOOR_WINEPREFIX=$out/wineprefix
rm -rf "$BRAWNMOOR_WINEPREFIX"
run() { "$here/wine-run.sh" "$@"; }

# An X display of our own.
display=91
while [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb=$!
game=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null
  WINEPREFIX=$BRAWNMOOR_WINEPREFIX wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
export DISPLAY=":$display"

fail() { echo "play: $*" >&2; exit 1; }

# ---- The installer ----------------------------------------------------------------------------
run "$setup" /S
WINEPREFIX=$BRAWNMOOR_WINEPREFIX wineserver -w
user=$(ls "$BRAWNMOOR_WINEPREFIX/drive_c/users" | grep -vx Public | head -n 1)
home="$BRAWNMOOR_WINEPREFIX/drive_c/users/$user"
installed="$home/AppData/Local/Programs/Brawnmoor"
[ -f "$installed/brawnmoor.exe" ] || fail "no brawnmoor.exe in $installed"
[ -f "$installed/uninstall.exe" ] || fail "no uninstaller"
[ -f "$installed/data/languages.ini" ] || fail "no data folder"
# One file for each name as Windows sees names (the model is boxer01.k3d and boxer01.K3D).
twins=$(cd "$installed" && find data -type f | tr 'A-Z' 'a-z' | sort | uniq -d)
[ -z "$twins" ] || fail "files whose names differ only in case: $twins"
startmenu="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Brawnmoor"
[ -f "$startmenu/Brawnmoor.lnk" ] || fail "no Start-menu entry in $startmenu"
run reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brawnmoor' >"$out/uninstall-key.txt" 2>&1 ||
  fail "no uninstall entry"
grep -q DisplayName "$out/uninstall-key.txt" || fail "the uninstall entry has no name"
[ -f "$installed/vantorel.exe" ] || fail "no vantorel.exe in $installed"
[ -f "$startmenu/Vantorel video driver advisor.lnk" ] || fail "no Start-menu entry for the advisor"
echo "play: installed into $installed, Start-menu entry and uninstall entry present"

# ---- The installed game -----------------------------------------------------------------------
# Finds the game's window of the given width; prints "x y" of its top-left corner.
windowAt() {
  local width=$1
  for _ in $(seq 300); do
    for w in $(xdotool search --name "Brawnmoor" 2>/dev/null); do
      local geo
      geo=$(xdotool getwindowgeometry "$w" 2>/dev/null) || continue
      if grep -q "Geometry: ${width}x" <<<"$geo"; then
        sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p' <<<"$geo"
        return 0
      fi
    done
    sleep 0.1
  done
  fail "no ${width}-pixel window appeared"
}
shot() {  # shot <name> <x> <y> <width> <height>
  import -window root "$out/full.png"
  convert "$out/full.png" -crop "$4x$5+$2+$3" +repage "$out/$1.png"
  rm -f "$out/full.png"
  echo "play: $out/$1.png"
}
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.7; }

# play <renderer name> <untick the renderer box?>
play() {
  local name=$1 toggle=$2
  (cd "$home" && exec "$here/wine-run.sh" "$installed/brawnmoor.exe") >"$out/game-$name.log" 2>&1 &
  game=$!
  read -r lx ly < <(windowAt 400)
  sleep 2
  shot "launcher-$name" "$lx" "$ly" 400 300
  if [ "$toggle" = yes ]; then click $((lx + 37)) $((ly + 201)); fi   # the renderer box
  if [ "$name" = software ]; then click $((lx + 212)) $((ly + 201)); fi  # full screen off (kept)
  shot "launcher-$name-ticked" "$lx" "$ly" 400 300
  click $((lx + 199)) $((ly + 282))                                    # START
  read -r gx gy < <(windowAt 800)
  sleep 8                                                              # loading, the jingle
  shot "mainmenu-$name" "$gx" "$gy" 800 600
  click $((gx + 400)) $((gy + 487))                                    # OPTIONS
  sleep 1
  shot "options-$name" "$gx" "$gy" 800 600
  click $((gx + 400)) $((gy + 499))                                    # BACK
  sleep 1
  click $((gx + 400)) $((gy + 375))                                    # QUICK START
  sleep 5
  shot "boxer-$name" "$gx" "$gy" 800 600
  # A fight: on the rankings, the name next to the player's boxer (his row is the red one),
  # OK; the month's list, the eye of the fight, the ring view.
  click $((gx + 290)) $((gy + 27))                                     # rankings
  sleep 2
  import -window root "$out/full.png"
  local row mine=-1
  for row in $(seq 0 19); do
    local rgb
    rgb=$(convert "$out/full.png" -crop "1x1+$((gx + 436))+$((gy + 132 + 17 * row))" \
          -format '%[fx:int(255*r)] %[fx:int(255*g)]' info:)
    read -r red green <<<"$rgb"
    if ((red > 80 && green < 40)); then mine=$row; break; fi
  done
  rm -f "$out/full.png"
  ((mine >= 0)) || fail "the player's boxer is not on the rankings page"
  local pick=$((mine > 0 ? mine - 1 : mine + 1))
  click $((gx + 520)) $((gy + 132 + 17 * pick))                        # the opponent
  click $((gx + 231)) $((gy + 457))                                    # OK
  shot "rankings-$name" "$gx" "$gy" 800 600
  click $((gx + 64)) $((gy + 27))                                      # the month
  sleep 2
  click $((gx + 456)) $((gy + 134))                                    # watch the fight
  sleep 3
  shot "corner-$name" "$gx" "$gy" 800 600
  click $((gx + 311)) $((gy + 218))                                    # RING VIEW
  sleep 10
  shot "fight-$name" "$gx" "$gy" 800 600
  kill "$game" 2>/dev/null || true
  wait "$game" 2>/dev/null || true
  game=""
  WINEPREFIX=$BRAWNMOOR_WINEPREFIX wineserver -k 2>/dev/null || true
  sleep 1
}
play software no
[ -f "$home/AppData/Roaming/Brawnmoor/prefs" ] || fail "no preferences in %APPDATA%\\Brawnmoor"
play opengl yes
ls "$home/AppData/Roaming/Brawnmoor" >"$out/appdata.txt"

# ---- The installed advisor ----------------------------------------------------------------------
# The driver database is played by a proxy on this machine: the advisor asks the database's own
# address through the proxy the prefix's Internet settings name, as a Windows user's settings
# would. What the proxy answers comes from a file; what it was asked goes to a log.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat >"$out/database.py" <<'DATABASE'
import http.server, sys
answer_file, log_file, port = sys.argv[1], sys.argv[2], int(sys.argv[3])
class Database(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        with open(log_file, "a") as log:
            log.write(self.path + " " + self.headers.get("User-Agent", "") + "\n")
        body = open(answer_file, "rb").read()
        self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)
    def log_message(self, *args):
        pass
http.server.HTTPServer(("127.0.0.1", port), Database).serve_forever()
DATABASE
: >"$out/database.log"
python3 "$out/database.py" "$out/database-answer.txt" "$out/database.log" "$port" &
database=$!
trap 'cleanup; kill $database 2>/dev/null || true' EXIT
internet='HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
run reg add "$internet" /v ProxyEnable /t REG_DWORD /d 1 /f >/dev/null
run reg add "$internet" /v ProxyServer /d "127.0.0.1:$port" /f >/dev/null
# Wine frames the advisor's windows itself, as Windows does (Xvfb has no window manager).
run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null

# waitWindow <name>: the X window of that name, within 15 s.
waitWindow() {
  local id=""
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || fail "no window named $1"
  echo "$id"
}
# clickButton <window> <offset from the middle>: a message box's button, on its bottom row.
clickButton() {
  local X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  xdotool mousemove $((X + WIDTH / 2 + $2)) $((Y + HEIGHT - 24)) click 1
}

# advisor <picture name> <answer>: one start of the installed advisor.
advisor() {
  printf '%b' "$2" >"$out/database-answer.txt"
  (cd "$home" && exec "$here/wine-run.sh" "$installed/vantorel.exe") >"$out/vantorel-$1.log" 2>&1 &
  game=$!
  local box
  box=$(waitWindow "Important notice")
  sleep 1
  import -window root "$out/full.png"
  convert "$out/full.png" -crop 720x480+0+0 +repage "$out/vantorel-$1-consent.png"
  clickButton "$box" -32                                               # Yes
  waitWindow "Vantorel 1.0" >/dev/null
  sleep 3
  import -window root "$out/full.png"
  convert "$out/full.png" -crop 720x480+0+0 +repage "$out/vantorel-$1.png"
  rm -f "$out/full.png"
  echo "play: $out/vantorel-$1.png"
}
advisor found 'manufact:Quenndal & Sons\r\nofficialurl:http://drivers.quenndal.example/vantor\r\ndescription:Vantor 9600 with 128 MB\r\nadvice:Take the 6.14 driver or newer\r\n'
grep -q '^http://[^/ ]*/addadriver.php?card=Wine%20Adapter&os=[0-9]* Lumora - ' "$out/database.log" ||
  fail "the database was not asked as it should be: $(cat "$out/database.log")"
WINEPREFIX=$BRAWNMOOR_WINEPREFIX wineserver -k 2>/dev/null || true
wait "$game" 2>/dev/null || true
advisor nores 'nores\r\n'
# The apology box: OK closes it; the window stays with the card name alone.
clickButton "$(waitWindow "Error")" 0
sleep 1
import -window root "$out/full.png"
convert "$out/full.png" -crop 720x480+0+0 +repage "$out/vantorel-nores-after.png"
rm -f "$out/full.png"
WINEPREFIX=$BRAWNMOOR_WINEPREFIX wineserver -k 2>/dev/null || true
wait "$game" 2>/dev/null || true
game=""
kill "$database" 2>/dev/null || true
echo "play: the advisor asked: $(head -n 1 "$out/database.log")"

# ---- The uninstaller: the programs and the Start-menu entries go, the player's files stay --------
DISPLAY= run "$installed/uninstall.exe" /S
WINEPREFIX=$BRAWNMOOR_WINEPREFIX wineserver -w
[ ! -e "$installed/brawnmoor.exe" ] || fail "the uninstaller left brawnmoor.exe"
[ ! -e "$startmenu" ] || fail "the uninstaller left the Start-menu entries"
[ -f "$home/AppData/Roaming/Brawnmoor/prefs" ] || fail "the uninstaller removed the player's files"
echo "play: uninstalled; %APPDATA%\\Brawnmoor kept"
echo "play: done; pictures in $out"
