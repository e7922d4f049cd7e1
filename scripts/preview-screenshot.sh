#!/usr/bin/env bash
# A picture of a preview sheet as a browser shows it (headless Chromium,
# installed here when missing):  preview-screenshot.sh <index.html> <png>
set -euo pipefail
[ $# -eq 2 ] && [ -f "$1" ] || { echo "usage: preview-screenshot.sh <index.html> <png>" >&2; exit 2; }
if ! command -v chromium >/dev/null; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get install -y --no-install-recommends chromium >/dev/null
fi
page="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=1400,1100 \
  --screenshot="$(realpath -m "$2")" "file://$page" 2>/dev/null
