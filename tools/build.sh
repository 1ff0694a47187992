#!/usr/bin/env bash
# Configures and builds Brawnmoor in build/ (programs and data folder in build/bin). Extra
# arguments go to the build, e.g. `--target brawnmoor_data` for the data folder alone.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" "$@"
