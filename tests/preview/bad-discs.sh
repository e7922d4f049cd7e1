#!/usr/bin/env bash
# The preview on discs that cannot start: a clear message and exit 2 for
# what is no disc at all, and a sheet whose row says why for a disc whose
# start fails (its autorun entry names a missing program; its companion
# finds no item for that Windows).
#   bad-discs.sh <demo disc tree> <scratch folder>
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
[ $# -eq 2 ] || { echo "usage: bad-discs.sh <demo disc tree> <scratch folder>" >&2; exit 2; }
demo="$1" work="$2"
rm -rf "$work"; mkdir -p "$work"
failures=0
fail() { echo "bad discs: $*"; failures=$((failures + 1)); }

# A copy of the demo disc with one change made by a shell command.
disc() {
  local name="$1" change="$2"
  cp -a "$demo" "$work/$name"
  (cd "$work/$name" && eval "$change")
}

# Every item of the master list for Windows 9x only: nothing suits an NT.
nothing_suits='import re, sys
p = sys.argv[1]
s = open(p, newline="").read()
s = re.sub(r"^\(\d+\)Platforms=.*\r?\n", "", s, flags=re.M)
s = re.sub(r"^(\(\d+\))Tab=(.*?)\r?$", r"\1Tab=\2\r\n\1Platforms=WIN_9*\r", s, flags=re.M)
open(p, "w", newline="").write(s)'
# name | change | preview's exit code | the text its message or the row holds
cases=(
  "no-autorun|rm autorun.inf|2|autorun.inf not found"
  "no-entry|printf '[autorun]\r\nlabel=x\r\n' > autorun.inf|2|names no program"
  "missing-entry|printf '[autorun]\r\nopen=AUTORUN\\\\Gone.exe\r\n' > autorun.inf|0|cannot start AUTORUN\\Gone.exe"
  "nothing-suits|python3 -c \"\$nothing_suits\" AUTORUN/BIN/MasterList.ini|0|no menu came up"
)
for c in "${cases[@]}"; do
  IFS='|' read -r name change code text <<< "$c"
  disc "$name" "$change"
  rc=0
  output=$(bash "$here/scripts/preview.sh" --jobs 1 --only '^win10-64-English-normal$' \
    "$work/$name" "$work/$name-out" 2>&1) || rc=$?
  [ "$rc" -eq "$code" ] || { fail "$name: exit code $rc, expected $code: $output"; continue; }
  if [ "$code" -ne 0 ]; then
    grep -qF "$text" <<< "$output" || fail "$name: the message lacks '$text': $output"
    continue
  fi
  row="$work/$name-out/views/win10-64-English-normal.tsv"
  grep -q $'^status\tnot started\t' "$row" 2>/dev/null || fail "$name: the variant is not marked not started"
  grep -qF "$text" "$row" 2>/dev/null || fail "$name: the row lacks '$text': $(cat "$row" 2>/dev/null)"
  grep -qF "$text" "$work/$name-out/index.html" || fail "$name: the sheet does not say '$text'"
done
rm -rf "$work"
echo "bad discs: ${#cases[@]} cases, $failures failed"
[ "$failures" -eq 0 ]
