#!/usr/bin/env bash
# Runs one Windows ring: the Windows tests of one build under its Wine.
#   wine-ring.sh win64 [ctest args]   the 64-bit build under the host's Wine
#   wine-ring.sh win32 [ctest args]   the 32-bit build (what a disc ships)
#                                     under the WoW64 Wine in build/wow64
# Expects a display (test-all.sh gives each ring its own). The Wine session
# (wineserver, services, the desktop process) is started here first with
# its output sent away: started from inside ctest, those daemons would
# inherit ctest's output pipe and ctest would wait for them for good.
# Ends with the line "<ring> ring: N passed, M failed", counting the
# GoogleTest cases of every test binary of the ring.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ring="${1:?wine-ring.sh needs the ring: win64 or win32}"
shift
cd "$here"
case "$ring" in
  win64)
    source "$here/scripts/wine-env.sh"
    start_wine() { wineserver -p; wine wineboot; }
    stop_wine() { wineserver -k; }
    ;;
  win32)
    source "$here/scripts/wow64-env.sh"
    start_wine() { wow64_server -p; wow64_wine wineboot; }
    stop_wine() { wow64_server -k; }
    ;;
  *) echo "wine-ring.sh: unknown ring $ring (win64 or win32)" >&2; exit 2 ;;
esac
start_wine </dev/null >/dev/null 2>&1 || true
trap 'stop_wine </dev/null >/dev/null 2>&1 || true' EXIT

log="$here/build/$ring/ring.log"
status=0
# Every test's whole output goes to the log (GoogleTest's totals are
# counted from it); on a failure it is shown whole.
ctest --preset "$ring" --verbose "$@" >"$log" 2>&1 || status=$?
grep -E '^ *[0-9]+/[0-9]+ Test +#|tests passed|Total Test time' "$log" || true
[ "$status" -eq 0 ] || cat "$log"
# GoogleTest's own totals, one pair per test binary.
# (ctest puts "<test number>: " before each line of a test's output.)
count() {
  { grep -hoE "^([0-9]+: )?\[  $1  \] [0-9]+ test" "$log" || true; } |
    sed -E 's/.*\] ([0-9]+) test/\1/' | awk '{s+=$1} END {print s+0}'
}
passed=$(count PASSED)
failed=$(count FAILED)
if [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then
  # A binary that crashed or timed out prints no totals: count it.
  failed=$(grep -cE '\*\*\*(Failed|Exception|Timeout)' "$log" || true)
  [ "$failed" -gt 0 ] || failed=1
fi
echo "$ring ring: $passed passed, $failed failed"
exit "$status"
