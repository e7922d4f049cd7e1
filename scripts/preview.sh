#!/usr/bin/env bash
# The menu of a disc as each of its users will see it, in pictures:
#   preview.sh [--only REGEX] [--jobs N] <disc tree> <out folder>
# For each Windows the disc's master list names (32- and 64-bit), each
# language its translation library offers and each look it has pictures
# for, the disc is started as a user's system starts it (the program its
# autorun.inf names, Wine reporting that Windows and language), every tab,
# page of items and promotion page is visited, and one PNG a view is saved.
# <out>/index.html shows them all. --only keeps the variants whose name
# matches (e.g. 'win10-64-English-normal|win7-64-English-normal'); --jobs
# runs that many variants at once (default 2, one a core of a two-core
# machine), each under a Wine prefix and a display of its own.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$here/scripts/wow64-env.sh"

# One worker: its share of the variants (every jobs-th line from its own),
# under its own prefix (build/preview-prefix-K) and display.
if [ "${1:-}" = --worker ]; then
  k="$2" jobs="$3"
  export WOW64_PREFIX="$here/build/preview-prefix-$k"
  if [ ! -f "$WOW64_PREFIX/system.reg" ]; then
    echo "worker $k: making its Wine prefix (once): $WOW64_PREFIX"
    mkdir -p "$WOW64_PREFIX"
    wow64_wine wineboot -i </dev/null >/dev/null 2>&1 || true
  fi
  # A server that stays for the whole run (one may be up already).
  wow64_server -p </dev/null >/dev/null 2>&1 || true
  wow64_wine wineboot </dev/null >/dev/null 2>&1 || true
  i=0
  while IFS=$'\t' read -r name windows _bits _language look locale why; do
    i=$((i + 1))
    [ $(((i - 1) % jobs + 1)) -eq "$k" ] || continue
    t0=$(date +%s.%N)
    if [ "$why" = - ]; then
      wow64 env LANG="$locale" LOCPATH="$PREVIEW_LOCALES" wine "$PREVIEW_DRIVER" \
        "$(echo "Z:$PREVIEW_OUT/work/$look" | tr / '\\')" "$(echo "Z:$PREVIEW_OUT/views" | tr / '\\')" \
        "$name" "$windows" </dev/null >/dev/null 2>&1 || true
      [ -s "$PREVIEW_OUT/views/$name.tsv" ] ||
        printf 'status\tnot started\tthe preview driver did not run\n' > "$PREVIEW_OUT/views/$name.tsv"
    else
      printf 'status\tnot started\t%s\n' "$why" > "$PREVIEW_OUT/views/$name.tsv"
    fi
    n=$(grep -c -E '^(view|message)' "$PREVIEW_OUT/views/$name.tsv" || true)
    # Progress across the workers: one line a variant done, under a lock.
    {
      flock 9
      echo "$name $n" >> "$PREVIEW_OUT/progress"
      read -r finished views < <(awk '{ n++; v += $2 } END { print n, v }' "$PREVIEW_OUT/progress")
      if [ "$why" = - ]; then
        printf 'variant %d of %d, views %d of %d: %s (%d views, %.1f s)\n' "$finished" "$PREVIEW_COUNT" \
          "$views" "$PREVIEW_VIEWS" "$name" "$n" \
          "$(awk -v a="$t0" -v b="$(date +%s.%N)" 'BEGIN { print b - a }')"
      else
        printf 'variant %d of %d, views %d of %d: %s: %s\n' "$finished" "$PREVIEW_COUNT" \
          "$views" "$PREVIEW_VIEWS" "$name" "${why%%[.;]*}"
      fi
    } 9>>"$PREVIEW_OUT/progress.lock"
  done < "$PREVIEW_OUT/variants.tsv"
  wow64_server -k 2>/dev/null || true
  exit 0
fi

only="" jobs=2
while [ $# -gt 2 ]; do
  case "$1" in
    --only) only="$2"; shift 2 ;;
    --jobs) jobs="$2"; shift 2 ;;
    *) break ;;
  esac
done
usage="usage: preview.sh [--only REGEX] [--jobs N] <disc tree> <out folder>"
[ $# -eq 2 ] || { echo "$usage" >&2; exit 2; }
[[ "$jobs" =~ ^[1-8]$ ]] || { echo "preview: --jobs takes 1 to 8, not '$jobs'" >&2; exit 2; }
[ -f "$1/autorun.inf" ] || { echo "preview: $1/autorun.inf not found: not a disc tree" >&2; exit 2; }
tree="$(cd "$1" && pwd)"
mkdir -p "$2"; out="$(cd "$2" && pwd)"
case "$out/" in "$tree"/*) echo "preview: the out folder must lie outside the disc tree" >&2; exit 2 ;; esac
start=$(date +%s)

# The program folder: where the autorun entry lies.
entry=$(tr -d '\r' < "$tree/autorun.inf" | sed -n 's/^[[:space:]]*[Oo][Pp][Ee][Nn][[:space:]]*=[[:space:]]*//p' | head -1)
[ -n "$entry" ] || { echo "preview: $tree/autorun.inf names no program (open=)" >&2; exit 2; }
entry_dir=$(dirname "$(echo "${entry%% *}" | tr '\\' '/')")
program="$tree/$entry_dir"
[ "$entry_dir" = . ] && program="$tree"
[ -d "$program" ] || { echo "preview: $program (the autorun entry's folder) not found" >&2; exit 2; }

driver="$here/build/win32/preview/PreviewDriver.exe"
if [ ! -f "$driver" ]; then
  (source "$here/scripts/wine-env.sh"
   cmake --preset win32 >/dev/null && cmake --build --preset win32 --target PreviewDriver >/dev/null)
fi

rm -rf "$out/views" "$out/work" "$out/progress" "$out/progress.lock"
mkdir -p "$out/views" "$out/work"
python3 "$here/scripts/preview_sheet.py" variants "$program" "$only" > "$out/variants.tsv"

# Wine reports a language through the locale; the chroot carries none but
# C, so the ones the variants need are made once into build/.
locales="$here/build/preview-locales"
for locale in $(awk -F'\t' '$7 == "-" { print $6 }' "$out/variants.tsv" | sort -u); do
  [ -d "$locales/$locale" ] && continue
  i18n="$here/build/preview-i18n"
  [ -d "$i18n/locales" ] || { mkdir -p "$i18n"; cp -r /usr/share/i18n/locales "$i18n/"; zcat /usr/share/i18n/charmaps/UTF-8.gz > "$i18n/UTF-8"; }
  mkdir -p "$locales/$locale"
  wow64 env I18NPATH="$i18n" localedef -c -i "${locale%.UTF-8}" -f "$i18n/UTF-8" "$locales/$locale" >/dev/null 2>&1 || true
done

# One copy of the disc a look (the board's answer lies beside the menu);
# hard links where the file system allows.
for look in $(awk -F'\t' '$7 == "-" { print $5 }' "$out/variants.tsv" | sort -u); do
  dest="$out/work/$look"
  cp -al "$tree" "$dest" 2>/dev/null || { rm -rf "$dest"; cp -a "$tree" "$dest"; }
  # Only the folders: a file's mode is its original's too, through the link.
  find "$dest" -type d -exec chmod u+w {} +
  status=0; [ "$look" = gaming ] && status=2
  rm -f "$dest/$entry_dir/zkwmiacpi.ini"
  printf '[ACPI]\r\nDeviceStatus=%s\r\n' "$status" > "$dest/$entry_dir/zkwmiacpi.ini"
done

free_display() {
  local n="$1"
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  echo "$n"
}
started=$(awk -F'\t' '$7 == "-"' "$out/variants.tsv" | wc -l)
[ "$started" -ge "$jobs" ] || jobs=$((started > 0 ? started : 1))
export WOW64_BINDS="$out $tree"
export PREVIEW_OUT="$out" PREVIEW_DRIVER="$(echo "Z:$driver" | tr / '\\')" PREVIEW_LOCALES="$locales"
export PREVIEW_COUNT=$(wc -l < "$out/variants.tsv")
export PREVIEW_VIEWS=$(python3 "$here/scripts/preview_sheet.py" views "$program" "$out/variants.tsv")
echo "preview: $PREVIEW_COUNT variants ($started to start), $PREVIEW_VIEWS views, $jobs at once"
display=$((90 + RANDOM % 100)) pids=()
for k in $(seq 1 "$jobs"); do
  display=$(free_display "$display")
  xvfb-run -n "$display" -s "-screen 0 1024x768x24" bash "${BASH_SOURCE[0]}" --worker "$k" "$jobs" &
  pids+=($!)
  display=$((display + 1))
  sleep 0.5  # its display taken before the next one looks for a free one
done
for pid in "${pids[@]}"; do wait "$pid" || true; done

# The author's checker, beside every row.
checker="$here/build/host/disccheck/disccheck"
if [ -x "$checker" ]; then
  "$checker" --notes "$program" > "$out/disccheck.txt" 2>&1 || true
elif [ -f "$here/build/win32/disccheck/disccheck.exe" ]; then
  WOW64_PREFIX="$here/build/preview-prefix-1" wow64_wine "$here/build/win32/disccheck/disccheck.exe" \
    --notes "$(echo "Z:$program" | tr / '\\')" 2>&1 </dev/null | tr -d '\r' > "$out/disccheck.txt" || true
  WOW64_PREFIX="$here/build/preview-prefix-1" wow64_server -k 2>/dev/null || true
else
  echo "(disccheck is not built: cmake --build --preset host)" > "$out/disccheck.txt"
fi
rm -rf "$out/work" "$out/progress.lock"
python3 "$here/scripts/preview_sheet.py" sheet "$out"
echo "preview: $PREVIEW_COUNT variants, $(cat "$out"/views/*.tsv | grep -c -E '^(view|message)') views in $(( $(date +%s) - start )) s: $out/index.html"
