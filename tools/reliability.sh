#!/usr/bin/env bash
# The game against bad input and faults, counted: damaged data folders, damaged save slots,
# kill -9 during back-to-back saves, a full disk and a read-only file system. Each fault is
# tried through the real game code (build/bin/brawnmoor-faults, headless) and the script prints
# one Markdown row per fault: how often, crashes, data lost, and what the player saw. It exits
# non-zero on any crash, lost or torn save, changed damaged file, or a damaged data file the
# start-up message does not name.
#
#   bash tools/reliability.sh            the bounded run CI makes (about a minute)
#   bash tools/reliability.sh --full     the counts of docs/reliability.md (about 15 minutes)
#
# The counts can be set one by one: DATA_FILES (how many data files to damage, each four ways),
# SLOT_ROUNDS (rounds of nine damaged slots), KILLS (kill -9 during saves), BIN (the programs).
set -euo pipefail
cd "$(dirname "$0")/.."

full=0
[[ "${1:-}" == "--full" ]] && full=1
BIN="${BIN:-build/bin}"
if ((full)); then
  DATA_FILES="${DATA_FILES:-18}" SLOT_ROUNDS="${SLOT_ROUNDS:-40}" KILLS="${KILLS:-300}"
else
  DATA_FILES="${DATA_FILES:-6}" SLOT_ROUNDS="${SLOT_ROUNDS:-2}" KILLS="${KILLS:-20}"
fi
[[ -x "$BIN/brawnmoor-faults" ]] || cmake --build build -j"$(nproc)" --target brawnmoor-faults
faults="$PWD/$BIN/brawnmoor-faults"
# The real folder (a sanitizer build's bin/data is a link to the normal build's): the copies are
# made of links to its files, so that damaging a copy never touches the folder itself.
data=$(readlink -f "$PWD/$BIN/data")
work=$(mktemp -d /tmp/brawnmoor-reliability-XXXXXX)
mounted=()
cleanup() {
  for m in "${mounted[@]:-}"; do [[ -n "$m" ]] && umount "$m" 2>/dev/null || true; done
  chmod -R u+rwX "$work" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
failures=0
fail() {
  echo "FAULT: $*" >&2
  failures=$((failures + 1))
}
rows=()

# ---- Damaged data folders ---------------------------------------------------------------------
# Each file missing, empty, cut in half and random, in a copy of the data folder made of links.
files=(nation.ini weights.ini english-surname.ini languages.ini gfx/tinyfont.png snd/theme.ogg
       boxer01.k3d gfx/menu.jpg gfx/STAR.tga chinese-name.ini gfx/font2.png gfx/launcher.png
       snd/click.ogg snd/halvornsound.ogg gfx/mainmenu.jpg gfx/boxer05.jpg gfx/pointer.tga GUI1)
runs=0 crashes=0 named=0 refused=0 started=0 boxes=0
for file in "${files[@]:0:$DATA_FILES}"; do
  for how in missing empty half random; do
    root="$work/install"
    rm -rf "$root"
    mkdir -p "$root"
    cp -rs "$data/." "$root/data"
    [[ -d "$root/data" && ! -L "$root/data" ]] || { echo "reliability: $root/data is not a copy" >&2; exit 2; }
    target="$root/data/$file"
    size=$(stat -L -c %s "$data/$file")
    case "$how" in
      # Files are found without regard to case: every spelling goes.
      missing) find "$(dirname "$target")" -maxdepth 1 -iname "$(basename "$target")" -delete ;;
      empty) rm -f "$target" && : > "$target" ;;
      half) rm -f "$target" && head -c $((size / 2)) "$data/$file" > "$target" ;;
      random) rm -f "$target" && head -c "$size" /dev/urandom > "$target" ;;
    esac
    runs=$((runs + 1))
    set +e
    "$faults" start --data "$root" > "$work/out" 2> "$work/err"
    rc=$?
    set -e
    if ((rc != 0)); then
      crashes=$((crashes + 1))
      fail "data/$file $how: the game ended with status $rc"
      continue
    fi
    n=$(grep -c '^box:' "$work/out" || true)
    boxes=$((boxes + n))
    if grep -q "^box: .*data/$file: " "$work/out"; then
      named=$((named + 1))
    else
      fail "data/$file $how: the start-up message does not name the file"
    fi
    ((n <= 1)) || fail "data/$file $how: $n message boxes"
    grep -q '^career: refused' "$work/out" && refused=$((refused + 1))
    grep -q '^career: started' "$work/out" && started=$((started + 1))
    if grep -q '^career: started' "$work/out" && grep -q '^world: missing' "$work/out"; then
      fail "data/$file $how: a career started without a world"
    fi
    grep -q '^months: .* broken' "$work/out" && fail "data/$file $how: $(grep '^months' "$work/out")"
  done
done
rows+=("| data files ($DATA_FILES) missing, empty, cut in half, random | $runs | $crashes | 0 | one box naming the file in $named of $runs runs ($boxes boxes in all); no career without the world's files: $refused refused, $started started and played 4 months |")

# ---- Damaged save slots -----------------------------------------------------------------------
"$faults" slots --rounds "$SLOT_ROUNDS" --seed 7 > "$work/slots" 2> "$work/slots.err" || {
  fail "slots: the game ended with status $?"
}
tried=$(grep -c '^slot ' "$work/slots" || true)
listed=$(grep -c '^slot [a-z-]*: damaged' "$work/slots" || true)
refusedSlots=$(grep -c '^slot .* refused 44' "$work/slots" || true)
loaded=$(grep -c '^slot .* loaded' "$work/slots" || true)
changed=$(grep -c 'file changed' "$work/slots" || true)
broken=$(grep -c '^played .* broken' "$work/slots" || true)
wrong=$(grep '^slot ' "$work/slots" | grep -v -E '^slot (bytes-changed|random): ' | grep -v 'damaged refused 44 file kept' || true)
[[ -z "$wrong" ]] || fail "slots: $wrong"
((changed == 0)) || fail "slots: $changed damaged files changed"
((broken == 0)) || fail "slots: $broken worlds broken after loading"
rows+=("| damaged slots (0 bytes, cut short, folder, FIFO, no end byte, too long, unreadable when not root; bytes changed, random) | $tried | 0 | 0 ($changed files changed) | $listed listed as damaged and refused with message 44, the file kept; $loaded whole-size files with changed bytes loaded, repaired and played 4 months, $broken broken |")

# ---- kill -9 during back-to-back saves ------------------------------------------------------------
lost=0 torn=0 empty=0
for ((k = 0; k < KILLS; k++)); do
  home="$work/kill"
  rm -rf "$home"
  mkdir -p "$home"
  XDG_DATA_HOME="$home" "$faults" save-stress --slot 0 --saves 100000 --seed $((k + 1)) > "$work/log" 2>/dev/null &
  pid=$!
  sleep "0.$(printf '%03d' $((RANDOM % 900 + 50)))"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  state=$(XDG_DATA_HOME="$home" "$faults" check-slot --slot 0)
  last=$(grep '^saved ' "$work/log" | tail -1 | cut -d' ' -f2 || true)
  writing=$(grep '^image ' "$work/log" | tail -1 | cut -d' ' -f2 || true)
  if [[ "$state" == *": empty" ]]; then
    [[ -z "$last" ]] || { lost=$((lost + 1)); fail "kill $k: slot empty after save $last"; }
    empty=$((empty + 1))
    continue
  fi
  if [[ "$state" != *": saved "* ]]; then
    torn=$((torn + 1))
    fail "kill $k: $state"
    continue
  fi
  hash=${state##* }
  # The slot holds the last image saved, or the one being saved when the kill came.
  ok=$(awk -v h="$hash" -v last="${last:--1}" -v writing="${writing:--1}" \
    '$1 == "image" && $3 "" == h "" && ($2 == last || $2 == writing) {print "yes"}' "$work/log")
  [[ -n "$ok" ]] || { torn=$((torn + 1)); fail "kill $k: the slot holds no image saved just before the kill"; }
done
rows+=("| kill -9 during back-to-back saves | $KILLS | 0 | $lost lost, $torn torn | the slot always held the last whole save or the one being written ($empty kills came before the first save ended) |")

# ---- A full disk and a read-only file system -------------------------------------------------------
fullDisk() {  # folder: one save fits, the next cannot
  local home=$1 how=$2
  XDG_DATA_HOME="$home" "$faults" save-stress --slot 0 --saves 1 --seed 3 > "$work/first"
  local first
  first=$(grep '^image 0 ' "$work/first" | cut -d' ' -f3 || true)
  if [[ "$how" == ulimit ]]; then
    (ulimit -f 300; trap '' XFSZ; XDG_DATA_HOME="$home" "$faults" save-stress --slot 0 --saves 5 --seed 4 > "$work/full")
  else
    XDG_DATA_HOME="$home" "$faults" save-stress --slot 0 --saves 5 --seed 4 > "$work/full"
  fi
  local fails state
  fails=$(grep -c '^failed ' "$work/full" || true)
  state=$(XDG_DATA_HOME="$home" "$faults" check-slot --slot 0)
  [[ "$state" == *"saved $first" ]] || { fail "full disk ($how): the old save was not kept ($state)"; return; }
  ((fails == 5)) || fail "full disk ($how): $fails of 5 saves failed"
  reason=$(grep -m1 '^failed ' "$work/full" | sed 's/^failed [0-9]* [0-9]* //' || true)
  rows+=("| full disk ($how) | 5 saves | 0 | 0 (the earlier save kept byte for byte) | message 46: $reason |")
}
if mkdir -p "$work/tmpfs" && mount -t tmpfs -o size=800k tmpfs "$work/tmpfs" 2>/dev/null; then
  mounted+=("$work/tmpfs")
  fullDisk "$work/tmpfs" "tmpfs of 800 KB"
  # Read-only: the same small file system remounted read-only after a save.
  rm -rf "$work/tmpfs/Brawnmoor"
  XDG_DATA_HOME="$work/tmpfs" "$faults" save-stress --slot 0 --saves 1 --seed 5 > "$work/first"
  first=$(grep '^image 0 ' "$work/first" | cut -d' ' -f3)
  mount -o remount,ro "$work/tmpfs"
  XDG_DATA_HOME="$work/tmpfs" "$faults" save-stress --slot 0 --saves 3 --seed 6 > "$work/ro"
  state=$(XDG_DATA_HOME="$work/tmpfs" "$faults" check-slot --slot 0)
  [[ "$state" == *"saved $first" ]] || fail "read-only: the old save was not kept ($state)"
  ((  $(grep -c '^failed ' "$work/ro" || true) == 3 )) || fail "read-only: not every save failed"
  reason=$(grep -m1 '^failed ' "$work/ro" | sed 's/^failed [0-9]* [0-9]* //' || true)
  rows+=("| read-only file system | 3 saves | 0 | 0 (the earlier save kept) | message 46: $reason |")
else
  mkdir -p "$work/limited"
  fullDisk "$work/limited" ulimit
  rows+=("| read-only file system | not tried: this machine does not allow mounting | | | |")
fi

echo
echo "| fault | tried | crashes | data lost | what the player saw |"
echo "|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"
echo
if ((failures)); then
  echo "reliability: $failures faults found" >&2
  exit 1
fi
echo "reliability: every fault handled"
