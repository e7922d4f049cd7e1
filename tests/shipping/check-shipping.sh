#!/usr/bin/env bash
# What ships: Pikko.exe of both builds imports only functions that Windows 7
# has, names neither the shell's nor the tooltips' library, and carries its
# manifest, version and icon; the demo disc passes
# disccheck; the 32-bit disc libraries export, undecorated, every name the
# menu looks up; the disc image is sound (check-iso.sh); the exe of both
# builds is stripped, within its size goal and without the runtime's
# verbose terminate handler, and says its size. Run after the host,
# win64 and win32 builds (scripts/test-all.sh does).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$here"
pe=build/host/disccheck/pe_check
exes=(build/win64/Pikko.exe build/win32/Pikko.exe)
"$pe" --imports tests/shipping/windows7-imports.txt "${exes[@]}"
"$pe" --manifest "${exes[@]}"
# The shell's and the tooltips' libraries load at their first use, after the
# window's first paint: the import table of neither build names them.
for exe in "${exes[@]}"; do
  if x86_64-w64-mingw32-objdump -p "$exe" | grep -qiE 'DLL Name: (shell32|comctl32)\.dll'; then
    echo "shipping: $exe imports the shell's or the tooltips' library (looked up at first use)" >&2
    exit 1
  fi
done
build/host/disccheck/disccheck --werror build/win32/demo-disc/AUTORUN
# The disc's libraries, as the 32-bit menu looks them up: every name
# exported undecorated (a standard-call name left decorated is not found).
disc=build/win32/demo-disc/AUTORUN
exports_ok=true
exports="$("$pe" --exports tests/shipping/disc-library-exports.txt --32 \
  "$disc/pngio.dll" "$disc/ZkMultiLang.dll" "$disc/zkwmiacpi.dll" "$disc/ARunDmi.dll" \
  "$disc/HomeTab/Probes/MonitorProbe.dll" "$disc/HomeTab/Probes/BackupProbe.dll")" || exports_ok=false
grep -v ': exports ' <<<"$exports" || true
$exports_ok || { echo "shipping: the disc's libraries do not export what the menu looks up" >&2; exit 1; }
echo "shipping: the disc's libraries export $(grep -c ': exports ' <<<"$exports") names the menu looks up"
bash tests/shipping/check-iso.sh
# The shipped exe carries the program only: stripped as built, and its
# size (KB of 1024 bytes) said beside its goal, which is its ceiling.
sizes_ok=true
for goal in "win32 i686 600" "win64 x86_64 700"; do
  read -r build arch limit <<<"$goal"
  exe="build/$build/Pikko.exe"
  if "$arch-w64-mingw32-objdump" -h "$exe" | grep -q ' \.debug_'; then
    echo "shipping: $exe carries its debugging sections (the build strips it)" >&2
    sizes_ok=false
  fi
  # The runtime's own terminate handler (its message and the demangler
  # behind it, some 50 KB) stays out: app/DefaultTerminate_win.cpp.
  if strings "$exe" | grep -q 'terminate called after throwing'; then
    echo "shipping: $exe carries the runtime's verbose terminate handler" >&2
    sizes_ok=false
  fi
  stripped="$(mktemp)"
  "$arch-w64-mingw32-strip" --strip-all -o "$stripped" "$exe"
  kb=$(( ($(stat -c %s "$stripped") + 1023) / 1024 ))
  rm -f "$stripped"
  if [ "$kb" -le "$limit" ]; then
    echo "shipping: $build Pikko.exe stripped $kb KB (goal $limit KB: met)"
  else
    echo "shipping: $build Pikko.exe stripped $kb KB, above its goal of $limit KB" >&2
    sizes_ok=false
  fi
done
$sizes_ok || exit 1
echo "shipping: 7 passed, 0 failed"
