#!/usr/bin/env bash
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer in
# build-fuzz/ and runs each for a bounded time from its seeds: the save loader for
# FUZZ_SECONDS (60 by default), each mesh reader for MESH_FUZZ_SECONDS (20 by default). The
# data folder (the world's files, the shipped meshes) is the normal build's.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-60}"
meshSeconds="${MESH_FUZZ_SECONDS:-20}"
bash tools/build.sh --target brawnmoor_data
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBRAWNMOOR_FUZZ=ON -DBRAWNMOOR_SANITIZE=ON -DBRAWNMOOR_TESTS=OFF -DBRAWNMOOR_BENCH=OFF \
  -DBRAWNMOOR_DATA_FROM="$PWD/build/bin/data"
cmake --build build-fuzz -j"$(nproc)" --target brawnmoor-loadslot-fuzz brawnmoor-saveseeds \
  brawnmoor-meshase-fuzz brawnmoor-meshobject-fuzz brawnmoor-meshk3d-fuzz brawnmoor-meshseeds
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
mkdir -p "$corpus/save"
build-fuzz/bin/brawnmoor-saveseeds "$corpus/save"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
build-fuzz/bin/brawnmoor-loadslot-fuzz -max_total_time="$seconds" -max_len=540718 \
  -rss_limit_mb=4096 -print_final_stats=1 "$corpus/save"
# The mesh readers: seeds cut from the shipped boxer meshes in all three formats.
build-fuzz/bin/brawnmoor-meshseeds "$corpus/mesh"
for reader in ase object k3d; do
  build-fuzz/bin/brawnmoor-mesh${reader}-fuzz -max_total_time="$meshSeconds" -max_len=65536 \
    -rss_limit_mb=4096 -timeout=10 -print_final_stats=1 "$corpus/mesh/$reader"
done
