#!/usr/bin/env bash
# Builds every reader's fuzz target with clang, AddressSanitizer and UndefinedBehaviorSanitizer in
# build-fuzz/ and runs each one after the other for a bounded time from its seeds: the files its
# CMakeLists names (listed in build-fuzz/fuzzers/<name>.seeds, with the folder of inputs kept from
# earlier findings) and what the seed programs write. docs/reliability.md lists the targets, their
# speed and the long runs. The data folder (the world's files, pictures, meshes) is the normal
# build's.
#
#   FUZZ_SECONDS=n  runs every target for n seconds instead of its own bound (the table below)
#   FUZZ_RUNS=n     runs every target for n inputs instead (e.g. 1000000), without a time bound
#   FUZZ_ONLY="ini wave"  runs only these targets
#
# A finding stops the script; its input is in build-fuzz/findings/. Fix the reader, keep the
# input in the target's regressions/<name>/ folder (CTest replays it as fuzz.<name>).
set -euo pipefail
cd "$(dirname "$0")/.."

# name, seconds in CI, longest input, dictionary. The bounds add up to 165 s: the slot loader
# and the month after it get the most, being the largest readers; the small readers find what
# they can find within seconds.
targets=(
  "loadslot    25 21214  game/saves/fuzz/slot.dict"
  "playslot    20 21214  game/saves/fuzz/slot.dict"
  "worlddata   15 8192   game/career/fuzz/worlddata.dict"
  "image       15 8192   -"
  "ini         10 8192   engine/tools/fuzz/ini.dict"
  "texttable   10 8192   engine/tools/fuzz/ini.dict"
  "wave        10 8192   -"
  "ogg         10 8192   -"
  "layout       5 2048   -"
  "preferences  5 128    -"
  "options      5 4096   -"
  "reply        5 8191   -"
  "meshase     10 65536  -"
  "meshobject  10 65536  -"
  "meshk3d     10 65536  -"
)

bash tools/build.sh --target brawnmoor_data
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBRAWNMOOR_FUZZ=ON -DBRAWNMOOR_SANITIZE=ON -DBRAWNMOOR_TESTS=OFF -DBRAWNMOOR_BENCH=OFF \
  -DBRAWNMOOR_DATA_FROM="$PWD/build/bin/data"
names=()
for t in "${targets[@]}"; do
  read -r name _ <<<"$t"
  if [[ -z "${FUZZ_ONLY:-}" || " $FUZZ_ONLY " == *" $name "* ]]; then names+=("$name"); fi
done
cmake --build build-fuzz -j"$(nproc)" --target brawnmoor-saveseeds brawnmoor-meshseeds \
  $(printf 'brawnmoor-%s-fuzz ' "${names[@]}")

corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
mkdir -p "$corpus/slot" build-fuzz/findings
# Seeds written by programs: careers saved as compact slot files, and the shipped meshes cut down
# and written in all three mesh formats.
build-fuzz/bin/brawnmoor-saveseeds "$corpus/slot"
build-fuzz/bin/brawnmoor-meshseeds "$corpus/mesh" >/dev/null

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=offscreen
start=$(date +%s)
for t in "${targets[@]}"; do
  read -r name seconds maxLen dict <<<"$t"
  [[ " ${names[*]} " == *" $name "* ]] || continue
  case "$name" in
    loadslot | playslot) dir="$corpus/slot" ;;  # the month after a load starts from what the loader found
    mesh*) dir="$corpus/mesh/${name#mesh}" ;;
    *) dir="$corpus/$name" ;;
  esac
  mkdir -p "$dir"
  if [[ -f "build-fuzz/fuzzers/$name.seeds" ]]; then
    while IFS= read -r seed; do
      if [[ -d "$seed" ]]; then cp -r "$seed"/. "$dir"/; elif [[ -f "$seed" ]]; then cp "$seed" "$dir"/; fi
    done <"build-fuzz/fuzzers/$name.seeds"
  fi
  bound=(-max_total_time="${FUZZ_SECONDS:-$seconds}")
  [[ -n "${FUZZ_RUNS:-}" ]] && bound=(-runs="$FUZZ_RUNS")
  options=("${bound[@]}" -max_len="$maxLen" -rss_limit_mb=2048 -malloc_limit_mb=1024 -timeout=10
           -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$name-")
  [[ "$dict" != "-" ]] && options+=(-dict="$dict")
  echo "== brawnmoor-$name-fuzz"
  log=$(mktemp)
  if ! "build-fuzz/bin/brawnmoor-$name-fuzz" "${options[@]}" "$dir" >"$log" 2>&1; then
    cat "$log"
    echo "tools/fuzz.sh: brawnmoor-$name-fuzz found a fault; its input is in build-fuzz/findings/" >&2
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$log"
  rm -f "$log"
done
echo "tools/fuzz.sh: ${#names[@]} fuzz targets ran without a finding in $(( $(date +%s) - start )) s"
