#!/usr/bin/env bash
# Brawnmoor for Windows, cross-built on Debian with MinGW-w64 and tested under Wine.
#
#   bash tools/windows.sh            the game for Windows and its release: a zip and an installer
#   bash tools/windows.sh --test     the same, then the test suites and the game under Wine
#   bash tools/windows.sh --play     the same, then the installer installed under Wine and the
#                                    installed game played under Xvfb, pictures kept
#
# In order: installs what is missing (tools/setup.sh, then the cross compiler, Wine, NSIS and
# the rest), builds the data folder with this machine's build (BRAWNMOOR_HOST_BUILD, build/ by
# default: the generators run here), builds the Windows libraries from Debian's source packages
# into the cache outside the clone (tools/windows/deps.sh, BRAWNMOOR_WIN_CACHE), builds the game
# for Windows (BRAWNMOOR_WIN_BUILD, build-win/ by default) and makes the release in
# build-win/release/. Every step says how long it took.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

run_tests=0
play=0
for arg in "$@"; do
  case $arg in
    --test) run_tests=1 ;;
    --play) play=1 ;;
    -h|--help) sed -n '2,16p' "$0"; exit 0 ;;
    *) echo "tools/windows.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done

host_build=${BRAWNMOOR_HOST_BUILD:-build}
win_build=${BRAWNMOOR_WIN_BUILD:-build-win}
jobs=${BRAWNMOOR_JOBS:-$(nproc)}
begin=$(date +%s)
step_start=$begin
took() {
  local now
  now=$(date +%s)
  echo "tools/windows.sh: $1 took $((now - step_start)) s"
  step_start=$now
}

# ---- What the build needs ------------------------------------------------------------------
bash tools/setup.sh
packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
          wine wine64 nsis zip icoutils dpkg-dev)
if ((run_tests || play)); then packages+=(xvfb xauth xdotool imagemagick); fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
took "installing what was missing"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# ---- The data folder, made on this machine ---------------------------------------------------
if [ ! -f "$host_build/CMakeCache.txt" ]; then
  cmake -S . -B "$host_build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
fi
cmake --build "$host_build" -j"$jobs" --target brawnmoor_data vantorel_art_files >/dev/null
data=$root/$host_build/bin/data
[ -L "$data" ] && data=$(readlink -f "$data")
# The advisor's logo and icon, drawn with cairo here.
advisor_art=$root/$host_build/bin/vantorel-pictures
took "the data folder and the advisor's pictures ($host_build)"

# ---- The Windows libraries ---------------------------------------------------------------------
deps=$(bash tools/windows/deps.sh | tail -n 1)
took "the Windows libraries ($deps)"

# ---- The game for Windows -------------------------------------------------------------------
tests=OFF
((run_tests)) && tests=ON
# Libraries of another recipe: the configuration found the old ones' files, so it starts afresh.
if [ -f "$win_build/CMakeCache.txt" ] && ! grep -qxF "BRAWNMOOR_WIN_DEPS:UNINITIALIZED=$deps" "$win_build/CMakeCache.txt"; then
  rm -f "$win_build/CMakeCache.txt"
fi
cmake -S . -B "$win_build" -DCMAKE_TOOLCHAIN_FILE="$root/tools/windows/mingw-w64-x86_64.cmake" \
      -DBRAWNMOOR_WIN_DEPS="$deps" -DBRAWNMOOR_DATA_FROM="$data" -DVANTOREL_ART_FROM="$advisor_art" \
      -DCMAKE_BUILD_TYPE=Release \
      -DBRAWNMOOR_TESTS=$tests -DBRAWNMOOR_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$win_build" -j"$jobs"
took "the Windows build ($win_build)"

# ---- The release: a zip and an installer -----------------------------------------------------
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$win_build/CMakeCache.txt")
release=$win_build/release
stage=$release/Brawnmoor-$version
rm -rf "$release"
mkdir -p "$stage"
for program in brawnmoor vantorel; do
  if [ -f "$win_build/bin/$program.exe" ]; then
    x86_64-w64-mingw32-strip -o "$stage/$program.exe" "$win_build/bin/$program.exe"
  fi
done
# The data folder as the game reads it (the link the build made is followed; a stray link of
# the folder to itself is left out).
tar -C "$data" --exclude=./data -chf - . | tar -C "$stage" --one-top-level=data -xf -
# A Windows folder holds one file for names that differ only in case ("boxer01.k3d" and
# "boxer01.K3D", which the game loads as the same model): one is kept, the other would make an
# unpacked zip ask to replace a file. They must be the same bytes.
while IFS=$'\t' read -r kept twin; do
  cmp -s "$stage/$kept" "$stage/$twin" ||
    { echo "tools/windows.sh: $kept and $twin differ only in the case of their names but not in their bytes" >&2; exit 1; }
  rm "$stage/$twin"
done < <(cd "$stage" && find data -type f | LC_ALL=C sort -r |
         awk '{ k = tolower($0); if (k in seen) print seen[k] "\t" $0; else seen[k] = $0 }')
sed "s/@VERSION@/$version/" packaging/windows/readme.txt | sed 's/$/\r/' >"$stage/README.txt"
zipfile=$release/Brawnmoor-$version-windows-x64.zip
(cd "$release" && zip -qr9 "$(basename "$zipfile")" "Brawnmoor-$version")
setup=$release/Brawnmoor-$version-setup.exe
makensis -V2 -DVERSION="$version" -DSTAGE="$root/$stage" -DICON="$root/$win_build/windows/brawnmoor.ico" \
         -DOUTFILE="$root/$setup" packaging/windows/installer.nsi
took "the release"
echo "tools/windows.sh: $zipfile ($(du -h "$zipfile" | cut -f1)), $setup ($(du -h "$setup" | cut -f1))"

# ---- Tests under Wine -------------------------------------------------------------------------
if ((run_tests)); then
  bash tools/windows/test.sh "$win_build" "$host_build"
  took "the tests under Wine"
fi
if ((play)); then
  bash tools/windows/play.sh "$setup" "$root/$win_build/play"
  took "the installed game played under Wine"
fi
echo "tools/windows.sh: done in $(( $(date +%s) - begin )) s"
