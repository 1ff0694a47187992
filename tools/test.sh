#!/usr/bin/env bash
# Builds everything and runs every test: the normal build, its Debian package and the package's
# checks, a bounded run of the fault script (damaged data and slots, kill -9 during saves, a full
# disk), the sanitizer build, then a bounded run of each fuzzer (FUZZ_SECONDS, 60 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
bash tools/build.sh
(cd build && ctest --output-on-failure -j"$(nproc)")
bash tools/reliability.sh
bash tools/package.sh
bash tools/sanitize.sh
bash tools/fuzz.sh
echo "tools/test.sh: everything passed in $(( $(date +%s) - start )) s"
