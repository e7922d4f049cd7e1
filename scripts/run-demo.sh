#!/usr/bin/env bash
# Builds the menu and runs it. With a display it simply runs; without one it
# runs under Xvfb, saves a screenshot to build/screenshot.png and exits.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
bash scripts/setup.sh
source scripts/wine-env.sh

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target demo-disc
# The disc as a user gets it: the image built, and its tree read back (its
# files read-only, as on a disc). The autorun entry is the companion
# program: it writes the menu of this Windows and starts the menu.
bash scripts/make-iso.sh >/dev/null
tree="$here/build/iso-tree"
[ -d "$tree" ] && chmod -R u+w "$tree" && rm -rf "$tree"
mkdir -p "$tree"
xorriso -rockridge off -indev build/demo-disc.iso -osirrox on -extract / "$tree" 2>/dev/null
disc="$tree/AUTORUN"

if [ -n "${DISPLAY:-}" ] && [ -z "${PIKKO_SCREENSHOT:-}" ]; then
  cd "$disc" && exec wine Companion.exe
fi
shot="$here/build/screenshot.png"
xvfb-run -a -s "-screen 0 1024x768x24" bash "$here/scripts/screenshot.sh" "$disc" "$shot" Companion.exe
# The README shows this one.
cp "$shot" "$here/docs/demo-menu.png"
echo "screenshot saved to $shot (and docs/demo-menu.png)"
