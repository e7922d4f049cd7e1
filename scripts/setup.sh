#!/usr/bin/env bash
# Installs every Debian package the project needs (apt-get update only when
# something is missing), prepares the Wine prefix inside the build folder and
# makes the WoW64 Wine for the 32-bit build (scripts/setup-wow64.sh).
# Idempotent: a second run installs nothing and only checks.
#   setup.sh          what the build and the tests need, and clang for the
#                     fuzz smoke (test-all.sh runs it) when it can be had
#   setup.sh --fuzz   only what the fuzz targets need (scripts/fuzz.sh):
#                     clang with its sanitizer and libFuzzer runtimes
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# zlib1g-dev: the host build fuzzes and tests the PNG library's decoder.
# clang-tidy: the static checks of the portable core in every test run.
packages=(cmake ninja-build g++ googletest zlib1g-dev clang-tidy
          g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
          wine wine64 xvfb xauth imagemagick xorriso debootstrap)
# The fuzz targets' compiler with its sanitizer and libFuzzer runtimes; the
# project configures with GoogleTest and clang builds on libstdc++ (g++).
fuzz_compiler=(clang libclang-rt-dev)
fuzz_packages=(cmake ninja-build g++ googletest zlib1g-dev "${fuzz_compiler[@]}")
# Packages whose failure to install is a warning: without clang the fuzz
# smoke says so and is skipped, the other tests still run.
optional=("${fuzz_compiler[@]}" ccache)
fuzz_only=false
if [ "${1:-}" = "--fuzz" ]; then
  fuzz_only=true
  packages=("${fuzz_packages[@]}")
  optional=()
fi

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
missing_optional=()
for p in "${optional[@]}"; do installed "$p" || missing_optional+=("$p"); done
if [ ${#missing[@]} -gt 0 ] || [ ${#missing_optional[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]} ${missing_optional[*]}"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  apt_install() { DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$@" >/dev/null; }
  if [ ${#missing[@]} -gt 0 ]; then
    $SUDO apt-get update -qq
    apt_install "${missing[@]}"
  else
    $SUDO apt-get update -qq || true
  fi
  if [ ${#missing_optional[@]} -gt 0 ] && ! apt_install "${missing_optional[@]}"; then
    echo "setup: warning: could not install ${missing_optional[*]}; the fuzz smoke will be skipped" >&2
  fi
fi

if $fuzz_only; then exit 0; fi

# shellcheck source=wine-env.sh
source "$here/scripts/wine-env.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "setup: preparing the Wine prefix in $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  with_display wine wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
fi

# The 32-bit build (what a disc ships) runs under a Wine with WoW64 mode,
# made once under build/wow64 and reused.
bash "$here/scripts/setup-wow64.sh"
