#!/usr/bin/env bash
# Builds the demo disc's image: build/demo-disc.iso from the 32-bit demo disc
# tree, the build a disc ships (build it first: cmake --build --preset win32
# --target demo-disc).
# ISO 9660 with Joliet names (what Windows reads) and Rock Ridge (for Linux);
# the root's autorun.inf starts the companion program.
#   scripts/make-iso.sh [disc tree] [image]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
tree="${1:-build/win32/demo-disc}"
iso="${2:-build/demo-disc.iso}"

if ! command -v xorriso >/dev/null; then
  # setup.sh installs the project's packages, xorriso among them.
  bash scripts/setup.sh
fi
for f in autorun.inf AUTORUN/Pikko.exe AUTORUN/Companion.exe; do
  if [ ! -f "$tree/$f" ]; then
    echo "make-iso: $tree/$f is missing (build the demo-disc target of its preset)" >&2
    exit 1
  fi
done
mkdir -p "$(dirname "$iso")"
rm -f "$iso"
# What a disc carries: its programs and libraries without their debugging
# information (the build folder keeps that for the tests and the profiler).
# (Stripped, the 32-bit Pikko.exe a disc ships is about 1.7 MB.)
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
cp -a "$tree/." "$stage/"
while IFS= read -r -d '' binary; do
  if x86_64-w64-mingw32-objdump -f "$binary" 2>/dev/null | grep -q 'format pei-i386'; then
    i686-w64-mingw32-strip --strip-all "$binary"
  else
    x86_64-w64-mingw32-strip --strip-all "$binary"
  fi
done < <(find "$stage" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0)
tree="$stage"
# -J: Joliet names of up to 64 UTF-16 characters; -iso-level 2: ISO 9660
# names of up to 31 characters for readers without Joliet.
xorriso -as mkisofs -quiet -iso-level 2 -J -r -V "SUPPORT_DISC" \
  -publisher "Example Mainboards Ltd." -o "$iso" "$tree"
echo "make-iso: $iso"
