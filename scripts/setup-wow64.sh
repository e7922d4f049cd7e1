#!/usr/bin/env bash
# Makes, once, the WoW64 Wine that runs the 32-bit menu (the build a disc
# ships) and reuses it afterwards: Debian unstable's Wine 10 in a chroot
# under build/wow64/root, and its own Wine prefix in build/wineprefix32.
# A second run only checks (seconds); an interrupted run is repaired: each
# step leaves a mark when it has finished, and a step without its mark is
# done again from the start.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$here/scripts/wow64-env.sh"
root="$WOW64_ROOT"
marks="$here/build/wow64"
ntdll="$root$WOW64_WINELIB/i386-windows/ntdll.dll"

say() { echo "setup-wow64: $*"; }
fail() { echo "setup-wow64: $*" >&2; exit 1; }

if [ -f "$marks/prefix.done" ] && [ -f "$ntdll" ] && [ -f "$WOW64_PREFIX/system.reg" ]; then
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  fail "making the 32-bit Wine needs root (debootstrap, chroot and a private mount namespace); run scripts/setup.sh as root once, or with sudo"
fi
command -v debootstrap >/dev/null || fail "debootstrap is missing (scripts/setup.sh installs it)"
mkdir -p "$marks"

# The mirror the machine's own apt sources name.
mirror="$(grep -rhoE '^(URIs:|deb) *\S+' /etc/apt/sources.list /etc/apt/sources.list.d/*.sources \
          /etc/apt/sources.list.d/*.list 2>/dev/null | grep -v -- '-security' | grep -vE '(google|nodesource)' \
          | awk '{print $NF}' | grep -E '^https?://' | head -1 || true)"
mirror="${mirror:-http://deb.debian.org/debian}"

if [ ! -f "$marks/bootstrap.done" ]; then
  say "bootstrapping Debian unstable into $root (from $mirror; about a minute)"
  rm -rf "$root"
  mkdir -p "$root"
  debootstrap --variant=minbase unstable "$root" "$mirror" > "$marks/debootstrap.log" 2>&1 \
    || fail "debootstrap failed; see $marks/debootstrap.log"
  touch "$marks/bootstrap.done"
fi

if [ ! -f "$marks/wine.done" ] || [ ! -f "$ntdll" ]; then
  say "installing Wine with WoW64 mode in the chroot (about 300 MB of downloads)"
  # The suite's Release files may be past their Valid-Until date.
  echo 'Acquire::Check-Valid-Until "false";' > "$root/etc/apt/apt.conf.d/99pikko-valid-until"
  wow64 bash -c 'export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq && apt-get install -y -qq --no-install-recommends wine' \
    > "$marks/apt.log" 2>&1 || fail "installing Wine in the chroot failed; see $marks/apt.log"
  [ -f "$ntdll" ] || fail "the chroot's Wine has no 32-bit side ($WOW64_WINELIB/i386-windows/ntdll.dll is missing): Debian unstable's Wine is no longer built with WoW64 mode"
  touch "$marks/wine.done"
fi

if [ ! -f "$marks/prefix.done" ] || [ ! -f "$WOW64_PREFIX/system.reg" ]; then
  say "preparing the 32-bit side's Wine prefix in $WOW64_PREFIX"
  rm -rf "$WOW64_PREFIX"
  mkdir -p "$WOW64_PREFIX"
  # A display is needed for the first start; the prefix stays 64-bit, so a
  # 32-bit program sees WoW64, as on 64-bit Windows.
  run() { if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 1024x768x24" "$@"; fi; }
  run bash -c "source '$here/scripts/wow64-env.sh'; wow64 wine wineboot -i; wow64 $WOW64_WINELIB/wineserver -w" \
    > "$marks/prefix.log" 2>&1 || true
  [ -f "$WOW64_PREFIX/system.reg" ] || fail "the 32-bit side's Wine prefix was not made; see $marks/prefix.log"
  touch "$marks/prefix.done"
fi
say "ready ($(wow64 wine --version 2>/dev/null))"
