#!/usr/bin/env bash
# Builds the demo disc's image: build/demo-disc.iso from the win64 demo disc
# tree (build it first: cmake --build --preset win64 --target demo-disc).
# ISO 9660 with Joliet names (what Windows reads) and Rock Ridge (for Linux);
# the root's autorun.inf starts the companion program.
#   scripts/make-iso.sh [disc tree] [image]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
tree="${1:-build/win64/demo-disc}"
iso="${2:-build/demo-disc.iso}"

if ! command -v xorriso >/dev/null; then
  # setup.sh installs the project's packages, xorriso among them.
  bash scripts/setup.sh
fi
for f in autorun.inf AUTORUN/Pikko.exe AUTORUN/Companion.exe; do
  if [ ! -f "$tree/$f" ]; then
    echo "make-iso: $tree/$f is missing (build the win64 demo-disc target)" >&2
    exit 1
  fi
done
mkdir -p "$(dirname "$iso")"
rm -f "$iso"
# -J: Joliet names of up to 64 UTF-16 characters; -iso-level 2: ISO 9660
# names of up to 31 characters for readers without Joliet.
xorriso -as mkisofs -quiet -iso-level 2 -J -r -V "SUPPORT_DISC" \
  -publisher "Example Mainboards Ltd." -o "$iso" "$tree"
echo "make-iso: $iso"
