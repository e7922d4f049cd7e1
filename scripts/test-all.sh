#!/usr/bin/env bash
# Builds and runs every test: the host ring (portable core with sanitizers),
# a short run of the fuzz targets, then the Windows ring under Wine; the
# 32-bit Windows build is compiled and linked as well (it cannot run on this
# machine), and what ships is checked (tests/shipping).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
bash scripts/setup.sh
source scripts/wine-env.sh

cmake --preset host >/dev/null
cmake --build --preset host
ctest --preset host
# The fuzz targets of the parsers of disc data, a few thousand runs each
# (clang; skipped with a message where clang cannot be installed).
bash scripts/fuzz.sh --smoke

cmake --preset win64 >/dev/null
cmake --build --preset win64
cmake --preset win32 >/dev/null
cmake --build --preset win32
# What ships: imports no newer than Windows 7 and the manifest of both
# builds, disccheck clean on the demo disc, the disc image and its tree.
bash tests/shipping/check-shipping.sh

with_display bash scripts/wine-ring.sh
