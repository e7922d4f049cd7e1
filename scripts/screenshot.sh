#!/usr/bin/env bash
# Runs inside a display: starts the menu on a disc folder, waits until it has
# drawn, saves the screen and ends the menu.
#   screenshot.sh <disc folder> <png> [program]   program: "Pikko.exe debug"
#   (the default) or "Companion.exe", the disc's autorun entry
set -euo pipefail
disc="$1"; shot="$2"; program="${3:-Pikko.exe debug}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$here/scripts/wine-env.sh"
cd "$disc"
ensure_platform_record
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot </dev/null >/dev/null 2>&1 || true
# shellcheck disable=SC2086  # the program and its switch
wine $program </dev/null >/dev/null 2>&1 &
pid=$!
sleep "${PIKKO_SETTLE_SECONDS:-6}"
import -window root "$shot"
kill "$pid" 2>/dev/null || true
wine taskkill /im Pikko.exe /f >/dev/null 2>&1 || true
wineserver -k 2>/dev/null || true
