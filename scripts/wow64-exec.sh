#!/usr/bin/env bash
# The cross-compiling emulator of the 32-bit build: runs one Windows binary
# under the WoW64 Wine (scripts/setup-wow64.sh makes it).
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$here/scripts/wow64-env.sh"
wow64 wine "$@"
