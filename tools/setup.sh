#!/usr/bin/env bash
# Installs what building and testing Brawnmoor needs on Debian 12, and nothing when all of it
# is there already. Runs as root or through sudo; never asks a question.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libsdl2-dev libvorbis-dev
  libsdl2-image-dev libstb-dev   # pictures: decoding, screenshots
  libgtest-dev libgmock-dev libbenchmark-dev
  libgtk-3-dev libcurl4-openssl-dev libpci-dev pci.ids xvfb xauth   # the driver advisor; its window tests run in Xvfb
  clang libclang-rt-14-dev   # the fuzzers (tools/fuzz.sh)
  espeak-ng sox   # the sound generator speaks with espeak-ng; sox measures the sounds (docs/sounds.md)
  libcairo2-dev libfreetype-dev libpng-dev libjpeg-dev fonts-dejavu-core fonts-dejavu-extra   # the picture generators (tools/artgen, tools/boxerart)
  libgl1-mesa-dev libegl-dev libgl1-mesa-dri libx11-dev   # the OpenGL window: Mesa through EGL headless, GLX under Xvfb
  dpkg-dev   # the Debian package (cpack -G DEB) takes its dependencies from dpkg-shlibdeps
  lintian appstream desktop-file-utils   # the package's checks (tools/package.sh)
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi
