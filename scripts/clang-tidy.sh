#!/usr/bin/env bash
# clang-tidy (.clang-tidy) over the portable core, as the host build
# compiles it (build/host/compile_commands.json): every finding is an
# error. Runs in every test run (scripts/test-all.sh, after the host build);
# a file at a time, as many at once as there are cores.
#   clang-tidy.sh [file...]   only these files
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
db=build/host/compile_commands.json
[ -f "$db" ] || { echo "clang-tidy: $db is missing: build the host preset first" >&2; exit 2; }
command -v clang-tidy >/dev/null || { echo "clang-tidy: not installed (scripts/setup.sh installs it)" >&2; exit 2; }

if [ $# -gt 0 ]; then
  files=("$@")
else
  # The core's own sources: what the host build compiles outside the tests,
  # the fuzz targets, the checker, the demo disc, the benchmarks and
  # GoogleTest.
  mapfile -t files < <(grep -oE '"file": *"[^"]+"' "$db" | sed -E 's/.*"([^"]+)"$/\1/' |
    sed "s|^$here/||" | grep -E '^(platform|env|app|actions|Manual_Opener|promotion|Graphics|Component|browser|stand-ins)/' |
    grep -v '/fakes/' | sort -u)
fi
jobs=$(nproc 2>/dev/null || echo 2)
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
status=0
printf '%s\n' "${files[@]}" |
  xargs -P "$jobs" -n 4 clang-tidy -p build/host --quiet --warnings-as-errors='*' >"$log" 2>&1 || status=$?
# Only our findings: the "N warnings generated" lines count the system
# headers' suppressed ones.
grep -vE '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter|^Use .*NOLINT' "$log" || true
if [ "$status" -ne 0 ]; then
  echo "clang-tidy: findings in the portable core (above)" >&2
  exit 1
fi
echo "clang-tidy: ${#files[@]} files of the portable core, no finding"
