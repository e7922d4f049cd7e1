#!/usr/bin/env bash
# Installs every Debian package the project needs (apt-get update only when
# something is missing) and prepares the Wine prefix inside the build folder.
# Idempotent: a second run installs nothing and only checks.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(cmake ninja-build g++ googletest
          g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          wine wine64 xvfb xauth imagemagick xorriso)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# shellcheck source=wine-env.sh
source "$here/scripts/wine-env.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "setup: preparing the Wine prefix in $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  with_display wine wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi
