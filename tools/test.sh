#!/usr/bin/env bash
# Builds everything and runs every test: the normal build first, then the sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh
(cd build && ctest --output-on-failure -j"$(nproc)")
bash tools/sanitize.sh
