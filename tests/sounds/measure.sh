#!/usr/bin/env bash
# Measures every generated sound with sox and prints the table of docs/sounds.md:
# length, channels, peak, RMS over the whole file, and how much of the sound lies in the 2-5 kHz band (its RMS there relative to the whole; STYLE.md: nothing
# piercing there). Optional: spectrogram pictures of each file into a folder.
#
#   bash tests/sounds/measure.sh [SND_DIR] [PICTURE_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
dir="${1:-build/bin/data/snd}"
pictures="${2:-}"
command -v sox > /dev/null || { echo "sox is needed (tools/setup.sh installs it)" >&2; exit 1; }

stat() { sox "$@" -n stats 2>&1; }
# For a stereo file sox prints a column per channel and the overall value first.
overall() { awk -v k="$1" 'index($0, k) == 1 { sub(k, ""); split($0, v, " "); print v[1] }'; }

echo "| file | length (s) | ch | peak (dBFS) | RMS (dBFS) | 2–5 kHz vs whole (dB) |"
echo "|---|---:|---:|---:|---:|---:|"
for f in click over canc Crowd Fall hit1 hit2 hit3 miss1 miss2 bell count KO KO2 TKO TKO2 \
         halvornsound theme tutorial01 tutorial02 tutorial03 tutorial04 tutorial05 tutorial06 \
         tutorial07 tutorial08; do
  p="$dir/$f.ogg"
  [ -f "$p" ] || { echo "| $f.ogg | missing | | | | |"; continue; }
  len=$(soxi -D "$p")
  ch=$(soxi -c "$p")
  all=$(stat "$p")
  band=$(sox "$p" -n sinc 2000-5000 stats 2>&1)
  peak=$(overall "Pk lev dB" <<< "$all")
  rms=$(overall "RMS lev dB" <<< "$all")
  brms=$(overall "RMS lev dB" <<< "$band")
  share=$(awk -v a="$brms" -v b="$rms" 'BEGIN { printf "%.1f", a - b }')
  printf "| %s.ogg | %.2f | %s | %s | %s | %s |\n" "$f" "$len" "$ch" "$peak" "$rms" "$share"
  if [ -n "$pictures" ]; then
    mkdir -p "$pictures"
    sox "$p" -n spectrogram -o "$pictures/$f.png" -x 1000 -y 300 -z 90 -t "$f.ogg"
  fi
done
