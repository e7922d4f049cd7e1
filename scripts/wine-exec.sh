#!/usr/bin/env bash
# The cross-compiling emulator for ctest: runs one Windows binary under Wine.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$here/scripts/wine-env.sh"
exec wine "$@"
