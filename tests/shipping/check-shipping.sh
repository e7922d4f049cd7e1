#!/usr/bin/env bash
# What ships: Pikko.exe of both builds imports only functions that Windows 7
# has and carries its manifest, version and icon; the demo disc passes
# disccheck; the 32-bit disc libraries export, undecorated, every name the
# menu looks up; the disc image is sound (check-iso.sh). Run after the host,
# win64 and win32 builds (scripts/test-all.sh does).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$here"
pe=build/host/disccheck/pe_check
exes=(build/win64/Pikko.exe build/win32/Pikko.exe)
"$pe" --imports tests/shipping/windows7-imports.txt "${exes[@]}"
"$pe" --manifest "${exes[@]}"
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
echo "shipping: 5 passed, 0 failed"
