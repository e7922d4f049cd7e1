#!/usr/bin/env bash
# Builds what the benchmarks need and prints every performance figure, each
# beside its reference measured in the same run. It prints; it never fails
# a build (these machines are shared and noisy: compare the ratios).
#
# Start-up is measured on the real Pikko.exe of both builds (the 64-bit one
# under the host's Wine, the 32-bit one, which a disc ships, under the WoW64
# Wine), each against a bare window of its own build: from the start of the
# process to painted pixels of its window, on the demo disc and on copies of
# it whose menu file lists 100 to 100 000 items on its first tab. A second
# pass starts each disc once with PikkoTraced.exe (the same program with the
# start-up tracer) and counts what was made before the first paint: windows,
# libraries and files opened.
#   scripts/bench.sh [runs]        runs: start-up runs of each program (default 5)
#   PIKKO_BENCH_MENU=<checkout>    times that checkout's built Pikko.exe (both
#                                  builds) on the same discs, for a before/after
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
runs="${1:-5}"
item_counts=(100 1000 10000 100000)
bash scripts/setup.sh
source scripts/wine-env.sh
source scripts/wow64-env.sh
ensure_platform_record
ensure_platform_record "$WOW64_PREFIX"

for preset in win64 win32; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target Pikko PikkoTraced bare_window startup_bench demo-disc >/dev/null
done
cmake --preset host >/dev/null
cmake --build --preset host --target glow_bench >/dev/null
cmake --build --preset win64 --target region_bench menu_bench >/dev/null

# Z: is the root of the Linux file system in every Wine prefix (and the
# checkout has the same path inside the WoW64 Wine's chroot).
windows_path() { local p="Z:$1"; echo "${p//\//\\}"; }

# A copy of the demo disc (hard links, so it costs no room) with the menu
# file listing n items on the first tab, every tenth with a manual.
make_item_disc() {
  local demo="$1" out="$2" n="$3"
  rm -rf "$out"
  cp -al "$demo" "$out"
  rm -f "$out/AUTORUN/zkcd_dbg.ini" "$out/BIN/ManualSetting.ini"
  awk -v n="$n" '
    /^\[SETUP_ITEM\]/ { setup = 1; print; next }
    setup && /^\(/ { next }
    setup && /^ItemNumber=/ {
      printf "ItemNumber=%d\r\n", n
      for (i = 1; i <= n; i++)
        printf "(%d)Tab=0\r\n(%d)Title=Driver %d\r\n(%d)Description=The driver of device %d.@@Restart after it.\r\n(%d)Path=..\\Drivers\\Item%d\r\n(%d)Run=Setup.exe\r\n", i, i, i, i, i, i, i, i
      next
    }
    setup && /^Support Fullkit=/ { printf "Support Fullkit=0\r\n"; next }
    { print }' "$demo/AUTORUN/zkcd_dbg.ini" > "$out/AUTORUN/zkcd_dbg.ini"
  awk -v n="$n" '
    { print }
    /^\[ManualFolder\]/ { for (i = 10; i <= n; i += 10) printf "..\\Drivers\\Item%d=UserGuide\r\n", i }
  ' "$demo/BIN/ManualSetting.ini" > "$out/BIN/ManualSetting.ini"
}

# The discs of a build, each with the program to time as Pikko.exe and the
# traced one beside it.
make_discs() {
  local preset="$1" build="$here/build/$1" menu="$here/build/$1/Pikko.exe"
  [ -n "${PIKKO_BENCH_MENU:-}" ] && menu="$PIKKO_BENCH_MENU/build/$preset/Pikko.exe"
  local discs="$build/bench-discs"
  rm -rf "$discs"
  mkdir -p "$discs"
  cp -al "$build/demo-disc" "$discs/demo"
  for n in "${item_counts[@]}"; do make_item_disc "$build/demo-disc" "$discs/items-$n" "$n"; done
  for d in "$discs"/*/; do
    rm -f "$d/AUTORUN/Pikko.exe"
    cp "$menu" "$d/AUTORUN/Pikko.exe"
    cp "$build/bench/PikkoTraced.exe" "$d/AUTORUN/"
  done
}

disc_arguments() {
  local discs="$here/build/$1/bench-discs"
  # Quoted: the paths go through the display's shell, backslashes and all.
  local args="demo-disc '$(windows_path "$discs/demo/AUTORUN")'"
  for n in "${item_counts[@]}"; do args+=" items-$n '$(windows_path "$discs/items-$n/AUTORUN")'"; done
  echo "$args"
}

mkdir -p build/bench
make_discs win64
make_discs win32
# Times one build's discs and traces each once, under that build's Wine.
#   time_build <preset> <env script> <wine command> <server command>
time_build() {
  local preset="$1" env="$2" wine="$3" server="$4" bench="$here/build/$1/bench"
  with_display bash -c "source scripts/$env
  $server -p </dev/null >/dev/null 2>&1
  $wine wineboot </dev/null >/dev/null 2>&1 || true
  $wine '$bench/startup_bench.exe' '$(windows_path "$bench/bare_window.exe")' $runs $(disc_arguments "$preset") > build/bench/first-paint-$preset.txt
  bash scripts/bench-trace.sh $preset > build/bench/trace-$preset.txt
  $server -k 2>/dev/null || true"
}
time_build win64 wine-env.sh wine wineserver
time_build win32 wow64-env.sh wow64_wine wow64_server

echo "== $(nproc) cores, $(uname -m), $(date -u +%F); win64 under $(wine --version 2>/dev/null), win32 under the WoW64 Wine ${PIKKO_BENCH_MENU:+; menu from $PIKKO_BENCH_MENU}"
echo "-- start to first paint, median of $runs (ms; ratio to the bare window of the same build)"
printf '%-14s %16s %16s\n' "" "win64" "win32"
join <(awk '{print $2, $3, $4}' build/bench/first-paint-win64.txt) \
     <(awk '{print $2, $3, $4}' build/bench/first-paint-win32.txt) |
  awk '{ printf "%-14s %9s %5sx %9s %5sx\n", $1, $2, $3, $4, $5 }'
echo "-- 100 000 items against 100, and the cost of an item from 1 000 on"
for preset in win64 win32; do
  awk -v p="$preset" '{ t[$2] = $3 }
    END { if (t["items-100000"] != "none" && t["items-100"] != "none")
            printf "%s: 100 000 items %+.0f ms against 100; per item %.3f ms (1 000-10 000), %.3f ms (10 000-100 000)\n", p,
              t["items-100000"] - t["items-100"], (t["items-10000"] - t["items-1000"]) / 9000,
              (t["items-100000"] - t["items-10000"]) / 90000 }' "build/bench/first-paint-$preset.txt"
done
echo "-- made before the first paint (one traced start of each disc)"
for preset in win64 win32; do
  grep -E ': (counts|startup .*(first paint|menu configuration))' "build/bench/trace-$preset.txt" | sed "s/^/$preset /"
done
echo "-- glow (host build: Debug with sanitizers, so compare the ratio)"
build/host/bench/glow_bench
echo "-- region and the menu's own work, under Wine (win64)"
with_display bash -c "source scripts/wine-env.sh
  wineserver -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1 || true
  wine '$here/build/win64/bench/region_bench.exe' '$here/build/win64/demo-disc/AUTORUN/pikko256.bmp'
  wine '$here/build/win64/bench/menu_bench.exe' '$(windows_path "$here/build/win64")'
  wineserver -k 2>/dev/null || true"
