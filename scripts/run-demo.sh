#!/usr/bin/env bash
# Builds the menu and runs it. With a display it simply runs; without one it
# runs under Xvfb, saves a screenshot to build/screenshot.png and exits.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
bash scripts/setup.sh
source scripts/wine-env.sh

# The build a disc ships: the 32-bit menu, run by the WoW64 Wine.
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target demo-disc
# The disc as a user gets it: the image built, and its tree read back (its
# files read-only, as on a disc). The autorun entry is the companion
# program: it writes the menu of this Windows and starts the menu.
bash scripts/make-iso.sh build/win32/demo-disc build/demo-disc.iso >/dev/null
tree="$here/build/iso-tree"
[ -d "$tree" ] && chmod -R u+w "$tree" && rm -rf "$tree"
mkdir -p "$tree"
xorriso -rockridge off -indev build/demo-disc.iso -osirrox on -extract / "$tree" 2>/dev/null
disc="$tree/AUTORUN"

if [ -n "${DISPLAY:-}" ] && [ -z "${PIKKO_SCREENSHOT:-}" ]; then
  source scripts/wow64-env.sh
  cd "$disc" && exec bash -c 'source "$0/scripts/wow64-env.sh"; wow64_wine Companion.exe' "$here"
fi
shot="$here/build/screenshot.png"
PIKKO_RING=win32 xvfb-run -a -s "-screen 0 1024x768x24" bash "$here/scripts/screenshot.sh" "$disc" "$shot" Companion.exe
# The README shows this one.
cp "$shot" "$here/docs/demo-menu.png"
echo "screenshot saved to $shot (and docs/demo-menu.png)"
