#!/usr/bin/env bash
# Builds everything and runs every test: the normal build and its tests, its Debian package and
# the package's checks, a bounded run of the fault script (damaged data and slots, kill -9 during
# saves, a full disk), the sanitizer build, a bounded run of each fuzzer (tools/fuzz.sh, about
# 165 s), then the Windows build with its release and its tests under Wine (tools/windows.sh
# --test). Each part says how long it took.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
part_start=$start
part() {
  echo "tools/test.sh: $1 took $(( $(date +%s) - part_start )) s"
  part_start=$(date +%s)
}
bash tools/build.sh
part "the build"
(cd build && ctest --output-on-failure -j"$(nproc)")
part "the tests"
bash tools/reliability.sh
part "the fault script"
bash tools/package.sh
part "the Debian package and its checks"
bash tools/sanitize.sh
part "the sanitizer build and its tests"
bash tools/fuzz.sh
part "the fuzzers"
bash tools/windows.sh --test
part "Windows: the libraries, the build, the release and the tests under Wine"
echo "tools/test.sh: everything passed in $(( $(date +%s) - start )) s"
