#!/usr/bin/env bash
# Makes Debian's source packages reachable for `apt-get source`: a deb-src entry for every deb
# entry of the machine's own apt sources (deb822 files and the one-line list alike), written to a
# file of its own. Nothing is done when source entries are there already.
set -euo pipefail

if apt-get source --print-uris -qq libogg >/dev/null 2>&1 &&
   [ -n "$(apt-get source --print-uris -qq libogg 2>/dev/null)" ]; then
  exit 0
fi

out=/etc/apt/sources.list.d/brawnmoor-deb-src.sources
tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT

# deb822 stanzas: the same stanza with its Types line reading deb-src.
for f in /etc/apt/sources.list.d/*.sources; do
  [ -e "$f" ] || continue
  [ "$f" = "$out" ] && continue
  awk '
    function flush() { if (binary && !disabled) printf "%s\n", stanza; stanza = ""; binary = 0; disabled = 0 }
    /^[[:space:]]*$/ { flush(); next }
    /^[[:space:]]*#/ { next }
    /^Types:/ { if ($0 ~ /(^|[ \t])deb([ \t]|$)/) binary = 1; $0 = "Types: deb-src" }
    /^Enabled:[[:space:]]*(no|false)/ { disabled = 1 }
    { stanza = stanza $0 "\n" }
    END { flush() }
  ' "$f" >>"$tmp"
done
# One-line entries.
if [ -f /etc/apt/sources.list ]; then
  grep -E '^[[:space:]]*deb[[:space:]]' /etc/apt/sources.list |
    sed -E 's/^[[:space:]]*deb[[:space:]]+/deb-src /' >"${out%.sources}.list.tmp" || true
  if [ -s "${out%.sources}.list.tmp" ]; then
    mv "${out%.sources}.list.tmp" "${out%.sources}.list"
  else
    rm -f "${out%.sources}.list.tmp"
  fi
fi
if [ -s "$tmp" ]; then
  cp "$tmp" "$out"
  chmod 644 "$out"
fi
echo "deb-src entries written; updating the package lists"
apt-get update -qq
