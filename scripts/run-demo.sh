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
disc="$here/build/win64/demo-disc/AUTORUN"

if [ -n "${DISPLAY:-}" ] && [ -z "${PIKKO_SCREENSHOT:-}" ]; then
  record="$WINEPREFIX/drive_c/windows/Zkcd_log.ini"
  [ -f "$record" ] || printf '[PLATFORM]\r\nSpecified OS=WNT_6.1P_64,English\r\n' > "$record"
  cd "$disc" && exec wine Pikko.exe debug
fi
shot="$here/build/screenshot.png"
xvfb-run -a -s "-screen 0 1024x768x24" bash "$here/scripts/screenshot.sh" "$disc" "$shot"
echo "screenshot saved to $shot"
