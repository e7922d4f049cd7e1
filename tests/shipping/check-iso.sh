#!/usr/bin/env bash
# The demo disc's image: it holds the autorun entry, the companion program
# and the menu under their Joliet names, and the tree read back from it
# passes disccheck without an error or a warning.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$here"
iso=build/demo-disc.iso
bash scripts/make-iso.sh build/win32/demo-disc "$iso" >/dev/null

# The Joliet tree, as Windows reads it.
listing="$(xorriso -rockridge off -indev "$iso" -find / -type f 2>/dev/null)"
for f in "'/autorun.inf'" "'/AUTORUN/Companion.exe'" "'/AUTORUN/Pikko.exe'" \
         "'/AUTORUN/BIN/MasterList.ini'" "'/AUTORUN/zkcd_dbg.ini'"; do
  if ! grep -qxF "$f" <<<"$listing"; then
    echo "check-iso: $f is not in the image's Joliet tree" >&2
    exit 1
  fi
done
tree="$(mktemp -d)"
trap 'chmod -R u+w "$tree"; rm -rf "$tree"' EXIT
xorriso -rockridge off -indev "$iso" -osirrox on -extract / "$tree" 2>/dev/null
if ! grep -q '^open=AUTORUN\\Companion.exe' "$tree/autorun.inf"; then
  echo "check-iso: autorun.inf does not start the companion program" >&2
  exit 1
fi
build/host/disccheck/disccheck --werror "$tree/AUTORUN"
# What ships is the 32-bit build.
if ! x86_64-w64-mingw32-objdump -f "$tree/AUTORUN/Pikko.exe" | grep -q 'format pei-i386'; then
  echo "check-iso: the image's Pikko.exe is not the 32-bit build" >&2
  exit 1
fi
echo "check-iso: 1 passed, 0 failed"
