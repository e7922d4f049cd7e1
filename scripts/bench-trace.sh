#!/usr/bin/env bash
# Part of scripts/bench.sh (runs under its display and its Wine server):
# starts each bench disc once with PikkoTraced.exe and prints, per disc, the
# start-up marks, the counts of windows and libraries the tracer made before
# the first paint, and the files the process opened until then (Wine's file
# trace).
#   bench-trace.sh win64|win32
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
preset="$1"
if [ "$preset" = win32 ]; then
  source "$here/scripts/wow64-env.sh"
  run() { WOW64_WINEDEBUG="$1" wow64_wine "${@:2}"; }
else
  source "$here/scripts/wine-env.sh"
  run() { WINEDEBUG="$1" wine "${@:2}"; }
fi
for d in "$here/build/$preset/bench-discs"/*/; do
  name="$(basename "$d")"
  err="$(mktemp)"
  (cd "$d/AUTORUN" && run trace+file PikkoTraced.exe debug </dev/null >/dev/null 2>"$err") &
  for _ in $(seq 1800); do grep -q '^counts libraries' "$err" 2>/dev/null && break; sleep 0.1; done
  (cd "$d/AUTORUN" && run -all taskkill /im PikkoTraced.exe /f >/dev/null 2>&1) || true
  wait || true
  # Files opened until the first paint: every file name given to
  # NtCreateFile, but libraries (the loader tries each folder of the search
  # path for them; the tracer counts those loaded) and folders.
  awk -v disc="$name" '
    /^startup .* first paint/ { painted = 1 }
    !painted && /trace:file:NtCreateFile/ {
      match($0, /name=L"[^"]*"/); f = substr($0, RSTART + 7, RLENGTH - 8)
      if (f ~ /\\$/ || tolower(f) ~ /\.(dll|drv|exe)$/) next
      if (!(f in seen)) { seen[f] = 1; files++; if (tolower(f) ~ /bench-discs/) own++ }
    }
    /^(startup|counts)/ { print disc ": " $0 }
    END { printf "%s: counts files opened %d (on the disc %d)\n", disc, files, own }
  ' "$err"
  rm -f "$err"
done
