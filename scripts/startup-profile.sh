#!/usr/bin/env bash
# Where the menu's start-up time goes: runs PikkoTraced.exe (the menu with
# the benchmarks' start-up tracer) on the demo disc with its stack sampler
# (PIKKO_STARTUP_TRACE=sample) a few times and prints the
# marks, the share of samples per module (the system's libraries are where
# calls into Wine's server and X end up) and our own functions by samples.
#   scripts/startup-profile.sh [runs]   (default 3)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$here/scripts/wine-env.sh"
ensure_platform_record
runs="${1:-3}"
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target PikkoTraced demo-disc >/dev/null
cp "$here/build/win64/bench/PikkoTraced.exe" "$here/build/win64/demo-disc/AUTORUN/"
out="$(mktemp)"
trap 'rm -f "$out" "$here/build/win64/demo-disc/AUTORUN/PikkoTraced.exe"' EXIT
with_display bash -c "source '$here/scripts/wine-env.sh'
  cd '$here/build/win64/demo-disc/AUTORUN'
  wineserver -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1 || true
  for i in \$(seq $runs); do
    PIKKO_STARTUP_TRACE=sample timeout 20 wine PikkoTraced.exe debug </dev/null 2>>'$out' >/dev/null &
    sleep 8; wine taskkill /im PikkoTraced.exe /f >/dev/null 2>&1 || true; wait
  done
  wineserver -k 2>/dev/null || true"
grep '^startup' "$out" || true
python3 "$here/scripts/startup_profile.py" "$out" "$here/build/win64/bench/PikkoTraced.exe"
