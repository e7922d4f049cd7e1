#!/usr/bin/env bash
# Builds what the benchmarks need and prints every performance figure, each
# beside its reference measured in the same run. It prints; it never fails
# a build (these machines are shared and noisy: compare the ratios).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
bash scripts/setup.sh
source scripts/wine-env.sh

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target region_bench demo-disc >/dev/null

echo "== $(nproc) cores, $(uname -m), $(date -u +%F)"
run_windows() {
  wineserver -p </dev/null >/dev/null 2>&1
  wine "$@"
}
with_display bash -c "source scripts/wine-env.sh; $(declare -f run_windows);
  run_windows build/win64/bench/region_bench.exe build/win64/demo-disc/AUTORUN/pikko256.bmp;
  wineserver -k 2>/dev/null || true"
