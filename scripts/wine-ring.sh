#!/usr/bin/env bash
# Runs the Windows ring under Wine; expects a display (test-all.sh gives one).
# The Wine session (wineserver, services, the desktop process) is started here
# first with its output sent away: started from inside ctest, those daemons
# would inherit ctest's output pipe and ctest would wait for them for good.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$here/scripts/wine-env.sh"
wineserver -p </dev/null >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null || true' EXIT
wine wineboot </dev/null >/dev/null 2>&1 || true
cd "$here"
ctest --preset win64 "$@"
