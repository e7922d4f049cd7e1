#!/usr/bin/env bash
# Builds what the benchmarks need and prints every performance figure, each
# beside its reference measured in the same run. It prints; it never fails
# a build (these machines are shared and noisy: compare the ratios).
#   scripts/bench.sh [runs]   runs: start-up runs of each program (default 9)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
runs="${1:-9}"
bash scripts/setup.sh
source scripts/wine-env.sh
ensure_platform_record

cmake --preset host >/dev/null
cmake --build --preset host --target glow_bench >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Pikko region_bench bare_window startup_bench menu_bench demo-disc >/dev/null

# Z: is the root of the Linux file system in every Wine prefix.
windows_path() { local p="Z:$1"; echo "${p//\//\\}"; }
build="$here/build/win64"
disc="$(windows_path "$build/demo-disc/AUTORUN")"

echo "== $(nproc) cores, $(uname -m), $(date -u +%F), win64 build RelWithDebInfo, Wine $(wine --version 2>/dev/null)"
echo "-- glow (host build: Debug with sanitizers, so compare the ratio)"
build/host/bench/glow_bench
echo "-- under Wine"
with_display bash -c "source scripts/wine-env.sh
  wineserver -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1 || true
  wine '$build/bench/region_bench.exe' '$build/demo-disc/AUTORUN/pikko256.bmp'
  wine '$build/bench/startup_bench.exe' '$(windows_path "$build/bench/bare_window.exe")' '$disc' $runs
  wine '$build/bench/menu_bench.exe' '$(windows_path "$build")'
  wineserver -k 2>/dev/null || true"
