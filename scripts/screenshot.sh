#!/usr/bin/env bash
# Runs inside a display: starts the menu on a disc folder, waits until it has
# drawn, saves the screen and ends the menu.
#   screenshot.sh <disc folder> <png> [program]   program: "Pikko.exe debug"
#   (the default) or "Companion.exe", the disc's autorun entry
#   PIKKO_RING=win32: under the WoW64 Wine (the 32-bit build a disc ships);
#   win64 (the default): under the host's Wine.
set -euo pipefail
disc="$1"; shot="$2"; program="${3:-Pikko.exe debug}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$here/scripts/wine-env.sh"
if [ "${PIKKO_RING:-win64}" = win32 ]; then
  source "$here/scripts/wow64-env.sh"
  WINEPREFIX="$WOW64_PREFIX"
  run_wine() { wow64_wine "$@"; }
  run_server() { wow64_server "$@"; }
else
  run_wine() { wine "$@"; }
  run_server() { wineserver "$@"; }
fi
cd "$disc"
ensure_platform_record
run_server -p </dev/null >/dev/null 2>&1
run_wine wineboot </dev/null >/dev/null 2>&1 || true
# shellcheck disable=SC2086  # the program and its switch
run_wine $program </dev/null >/dev/null 2>&1 &
pid=$!
sleep "${PIKKO_SETTLE_SECONDS:-6}"
import -window root "$shot"
kill "$pid" 2>/dev/null || true
run_wine taskkill /im Pikko.exe /f >/dev/null 2>&1 || true
run_server -k 2>/dev/null || true
