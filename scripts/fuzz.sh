#!/usr/bin/env bash
# Builds the fuzz targets of the parsers of disc data (clang, AddressSanitizer
# and UBSan, in build/fuzz) and runs each of them:
#
#   scripts/fuzz.sh [runs]          every target for runs inputs (default 1000000)
#   scripts/fuzz.sh --smoke         3000 runs each, at most 10 s a target (CI: test-all.sh);
#                                   skipped, with a message, when clang cannot be installed
#   scripts/fuzz.sh --only a,b ...  only the named targets
#   scripts/fuzz.sh --seconds N     at most N seconds a target (0: no limit)
#
# The seeds are made from the demo disc by make_fuzz_seeds at every run and
# the kept crashing inputs (fuzz/regressions/<target>) join them; what
# libFuzzer adds is kept in build/fuzz/corpus/<target>. Prints per
# target the runs done, the time and the crashes; a crash fails the script,
# naming the target and the saved input (build/fuzz/crashes/<target>/).
# Each target runs single-threaded; callers on a shared machine take the
# build lock around the whole script.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

runs=1000000
seconds=0
only=""
smoke=false
while [ $# -gt 0 ]; do
  case "$1" in
    --smoke) smoke=true; runs=3000; seconds=10 ;;
    --only) only="${2:?--only needs target names}"; shift ;;
    --seconds) seconds="${2:?--seconds needs a number}"; shift ;;
    -h|--help) sed -n '2,18p' "$0"; exit 0 ;;
    *[!0-9]*|"") echo "fuzz.sh: unknown argument $1" >&2; exit 2 ;;
    *) runs="$1" ;;
  esac
  shift
done

if ! bash scripts/setup.sh --fuzz; then
  if $smoke; then
    echo "fuzz.sh: SKIPPED: clang with its libFuzzer and sanitizer runtimes cannot be installed here"
    exit 0
  fi
  echo "fuzz.sh: clang with its libFuzzer and sanitizer runtimes cannot be installed" >&2
  exit 1
fi
started=$SECONDS

build=build/fuzz
cmake -S . -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
  -DPIKKO_SANITIZE=ON -DPIKKO_FUZZ=ON >/dev/null
cmake --build "$build" --target pikko_fuzz make_fuzz_seeds

fuzzer="$build/fuzz/pikko_fuzz"
seeds="$build/seeds"
rm -rf "$seeds"
"$build/fuzz/make_fuzz_seeds" "$seeds" stand-ins/lang

export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=1:abort_on_error=1:symbolize=1"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-}:print_stacktrace=1:halt_on_error=1"

failed=()
total_runs=0
start_all=$SECONDS
printf '%-16s %10s %8s %8s\n' target runs seconds crashes
while read -r target max_len; do
  if [ -n "$only" ] && [[ ",$only," != *",$target,"* ]]; then continue; fi
  corpus="$build/corpus/$target"
  crashes="$build/crashes/$target"
  log="$build/logs/$target.log"
  mkdir -p "$corpus" "$crashes" "$(dirname "$log")"
  dict=()
  case "$target" in
    ini_reader|str_to_int|parse_rgb|normalize_path|menu_config|exception_model|manual_setting|home_tab|vendor_ad|open_with|language_file)
      dict=(-dict=fuzz/dicts/ini.dict) ;;
  esac
  kept=()
  [ -d "fuzz/regressions/$target" ] && kept=("fuzz/regressions/$target")
  began=$SECONDS
  status=0
  PIKKO_FUZZ_TARGET="$target" "$fuzzer" -runs="$runs" -max_total_time="$seconds" \
    -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$crashes/" "${dict[@]}" "$corpus" "$seeds/$target" "${kept[@]}" \
    >"$log" 2>&1 || status=$?
  took=$((SECONDS - began))
  done_runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -n 1)
  [ -n "$done_runs" ] || done_runs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -n 1)
  [ -n "$done_runs" ] || done_runs=0
  total_runs=$((total_runs + done_runs))
  if [ "$status" -ne 0 ]; then
    input=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)
    printf '%-16s %10s %8s %8s\n' "$target" "$done_runs" "$took" 1
    echo "fuzz.sh: $target crashed (exit $status); input saved as ${input:-<none>}, log $log" >&2
    grep -m 8 -E 'ERROR|SUMMARY|fuzz target|Assertion|runtime error' "$log" >&2 || true
    failed+=("$target")
  else
    printf '%-16s %10s %8s %8s\n' "$target" "$done_runs" "$took" 0
  fi
done < <("$build/fuzz/make_fuzz_seeds" --list)

echo "fuzz.sh: $total_runs runs in $((SECONDS - start_all)) s ($((SECONDS - started)) s with the build); crashed: ${failed[*]:-none}"
[ ${#failed[@]} -eq 0 ]
