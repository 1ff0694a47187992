#!/usr/bin/env bash
# Makes the Debian package from the finished build in build/ and checks it the way Debian does:
# lintian with no error and no warning, the AppStream metadata with appstreamcli and the desktop
# entry with desktop-file-validate, both as installed by the package. Each checker's output is
# printed as it is (empty when it has nothing to say); any complaint fails the script.
#
#   bash tools/package.sh        (after tools/build.sh; tools/test.sh runs it)
#
# appstreamcli runs with --no-net: the screenshots are addresses under the game's web address
# (the BRAWNMOOR_WEBSITE build setting), which CI cannot reach.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)

rm -f build/brawnmoor_*.deb
if ! (cd build && cpack -G DEB > cpack.log 2>&1); then
  cat build/cpack.log >&2
  exit 1
fi
deb=$(ls build/brawnmoor_*_"$(dpkg --print-architecture)".deb)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
cp "$deb" "$work/"
dpkg-deb -x "$deb" "$work/root"

echo "== lintian --fail-on error,warning $(basename "$deb")"
# lintian needs no privileges and says so when run as root (as in CI): it runs as nobody then.
if [ "$(id -u)" = 0 ] && id nobody > /dev/null 2>&1; then
  runuser -u nobody -- env HOME="$work" lintian --fail-on error,warning "$work/$(basename "$deb")"
else
  lintian --fail-on error,warning "$work/$(basename "$deb")"
fi

echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml

echo "== desktop-file-validate"
desktop-file-validate "$work"/root/usr/share/applications/*.desktop

echo "tools/package.sh: $deb passed lintian, appstreamcli and desktop-file-validate in $(( $(date +%s) - start )) s"
