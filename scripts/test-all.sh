#!/usr/bin/env bash
# Builds and runs every test: the tree's layout rules, the host ring
# (portable core with sanitizers), clang-tidy over the core, a short run of
# the fuzz targets, the shipping checks, then the two Windows
# rings side by side, each on a display of its own: the 64-bit build under
# the host's Wine and the 32-bit build (what a disc ships) under the WoW64
# Wine that setup.sh makes. Prints a table of the phases with their times
# and one line per ring, "<ring> ring: N passed, M failed".
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

phases=()
started=$(date +%s)
phase() {
  local name="$1" t0 t1
  shift
  t0=$(date +%s)
  echo "=== $name"
  "$@"
  t1=$(date +%s)
  phases+=("$(printf '%-14s %5d s' "$name" $((t1 - t0)))")
}
table() {
  echo
  echo "phase            time"
  for p in "${phases[@]}"; do echo "$p"; done
  printf '%-14s %5d s\n' "total" $(($(date +%s) - started))
}
trap table EXIT

phase setup bash scripts/setup.sh
# The tree's plain rules: no include cycle between folders, no streams in
# the exe, no HTML under env/ (a second).
phase layout bash scripts/check-layout.sh
source scripts/wine-env.sh
jobs=$(nproc 2>/dev/null || echo 2)

host_build() { cmake --preset host >/dev/null && cmake --build --preset host; }
phase host-build host_build
phase host-tests ctest --preset host -j "$jobs"
# The static checks of .clang-tidy over the portable core.
phase clang-tidy bash scripts/clang-tidy.sh
# The fuzz targets of the parsers of disc data, a few thousand runs each
# (clang; skipped with a message where clang cannot be installed).
phase fuzz-smoke bash scripts/fuzz.sh --smoke

win_build() { cmake --preset "$1" >/dev/null && cmake --build --preset "$1"; }
phase win64-build win_build win64
phase win32-build win_build win32
# What ships: imports no newer than Windows 7 and the manifest of both
# builds, disccheck clean on the demo disc, the disc libraries' exports,
# the disc image and its tree.
phase shipping bash tests/shipping/check-shipping.sh

# The two rings share nothing (own Wine, prefix, server and display), so
# they run at once; each writes its own log, shown when both have ended.
# Each gets a display number of its own, chosen here: two "xvfb-run -a"
# started at once may both pick the same free number.
free_display() {
  local n="$1"
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  echo "$n"
}
rings() {
  local status=0 ring display=90
  for ring in win64 win32; do
    display=$(free_display "$display")
    xvfb-run -n "$display" -s "-screen 0 1024x768x24" bash scripts/wine-ring.sh "$ring" \
      >"build/$ring-ring.out" 2>&1 &
    eval "pid_$ring=$!"
    display=$((display + 1))
  done
  for ring in win64 win32; do
    local pid_var="pid_$ring" rc=0
    wait "${!pid_var}" || rc=$?
    echo "--- $ring ring"
    cat "build/$ring-ring.out"
    [ "$rc" -eq 0 ] || status=1
  done
  echo
  grep -h ' ring: ' build/win64-ring.out build/win32-ring.out || true
  return "$status"
}
phase rings rings

# The disc author's preview on the demo disc: the whole sheet of variants
# with three of them run (English and Japanese, whose Utilities tabs list
# different items, and one gaming look; the full matrix is the preview's
# own default, a minute or two), then the discs that cannot start.
preview_check() {
  local out=build/preview-check
  bash scripts/preview.sh --jobs 1 --only '^(win10-64-(English|Japanese)-normal|win7-64-English-gaming)$' \
    build/win32/demo-disc "$out" | tail -1 &&
    python3 tests/preview/check_preview.py "$out" build/win32/demo-disc/AUTORUN &&
    bash tests/preview/bad-discs.sh build/win32/demo-disc build/preview-bad-discs
}
phase preview preview_check
