#!/usr/bin/env bash
# What ships: Pikko.exe of both builds imports only functions that Windows 7
# has and carries its manifest, version and icon; the demo disc passes
# disccheck; the disc image is sound (check-iso.sh). Run after the host,
# win64 and win32 builds (scripts/test-all.sh does).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$here"
pe=build/host/disccheck/pe_check
exes=(build/win64/Pikko.exe build/win32/Pikko.exe)
"$pe" --imports tests/shipping/windows7-imports.txt "${exes[@]}"
"$pe" --manifest "${exes[@]}"
build/host/disccheck/disccheck --werror build/win64/demo-disc/AUTORUN
bash tests/shipping/check-iso.sh
echo "shipping: 4 passed, 0 failed"
