#!/usr/bin/env bash
# The menu of a disc as each of its users will see it, in pictures:
#   preview.sh [--only REGEX] <disc tree> <out folder>
# For each Windows the disc's master list names (32- and 64-bit), each
# language its translation library offers and each look it has pictures
# for, the disc is started as a user's system starts it (the program its
# autorun.inf names, Wine reporting that Windows and language), every tab,
# page of items and promotion page is visited, and one PNG a view is saved.
# <out>/index.html shows them all. --only keeps the variants whose name
# matches (e.g. 'win10-64-English-normal|win7-64-English-normal').
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Wine needs a display: without one the whole preview runs in a private Xvfb.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "${BASH_SOURCE[0]}" "$@"
fi
only=""
if [ "${1:-}" = --only ]; then only="$2"; shift 2; fi
if [ $# -ne 2 ]; then echo "usage: preview.sh [--only REGEX] <disc tree> <out folder>" >&2; exit 2; fi
[ -f "$1/autorun.inf" ] || { echo "preview: $1/autorun.inf not found: not a disc tree" >&2; exit 2; }
tree="$(cd "$1" && pwd)"
mkdir -p "$2"; out="$(cd "$2" && pwd)"
start=$(date +%s)

# The program folder: where the autorun entry lies.
entry=$(tr -d '\r' < "$tree/autorun.inf" | sed -n 's/^[Oo][Pp][Ee][Nn]=//p' | head -1)
[ -n "$entry" ] || { echo "preview: $tree/autorun.inf names no program (open=)" >&2; exit 2; }
entry_dir=$(dirname "$(echo "${entry%% *}" | tr '\\' '/')")
program="$tree/$entry_dir"
[ "$entry_dir" = . ] && program="$tree"

driver="$here/build/win32/preview/PreviewDriver.exe"
if [ ! -f "$driver" ]; then
  source "$here/scripts/wine-env.sh"
  cmake --preset win32 >/dev/null && cmake --build --preset win32 --target PreviewDriver >/dev/null
fi
source "$here/scripts/wow64-env.sh"

rm -rf "$out/views" "$out/work"; mkdir -p "$out/views" "$out/work"
python3 "$here/scripts/preview_sheet.py" variants "$program" "$only" > "$out/variants.tsv"

# Wine reports a language through the locale; the chroot carries none but
# C, so the ones the variants need are made once into build/.
locales="$here/build/preview-locales"
for locale in $(cut -f6 "$out/variants.tsv" | sort -u); do
  [ "$locale" = - ] || [ -d "$locales/$locale" ] && continue
  i18n="$here/build/preview-i18n"
  [ -d "$i18n/locales" ] || { mkdir -p "$i18n"; cp -r /usr/share/i18n/locales "$i18n/"; zcat /usr/share/i18n/charmaps/UTF-8.gz > "$i18n/UTF-8"; }
  mkdir -p "$locales/$locale"
  wow64 env I18NPATH="$i18n" localedef -c -i "${locale%.UTF-8}" -f "$i18n/UTF-8" "$locales/$locale" >/dev/null 2>&1 || true
done

# One copy of the disc a look (the board's answer lies beside the menu);
# hard links where the file system allows.
copy_for_look() {
  local look="$1" dest="$out/work/$1"
  [ -d "$dest" ] && return 0
  cp -al "$tree" "$dest" 2>/dev/null || { rm -rf "$dest"; cp -a "$tree" "$dest"; }
  # Only the folders: a file's mode is its original's too, through the link.
  find "$dest" -type d -exec chmod u+w {} +
  local status=0; [ "$look" = gaming ] && status=2
  rm -f "$dest/$entry_dir/zkwmiacpi.ini"
  printf '[ACPI]\r\nDeviceStatus=%s\r\n' "$status" > "$dest/$entry_dir/zkwmiacpi.ini"
}

winpath() { echo "Z:$1" | tr '/' '\\'; }
export WOW64_BINDS="$out $tree"
count=$(wc -l < "$out/variants.tsv")
run_all() {
  wow64_server -p </dev/null >/dev/null 2>&1
  wow64_wine wineboot </dev/null >/dev/null 2>&1 || true
  local i=0 done_views=0
  while IFS=$'\t' read -r name windows bits language look locale why; do
    i=$((i + 1))
    if [ -n "$why" ] && [ "$why" != - ]; then
      printf 'status\tnot started\t%s\n' "$why" > "$out/views/$name.tsv"
      echo "variant $i of $count: $name: not started ($why)"
      continue
    fi
    copy_for_look "$look"
    local t0=$(date +%s.%N)
    wow64 env LANG="$locale" LOCPATH="$locales" wine "$driver" "$(winpath "$out/work/$look")" \
      "$(winpath "$out/views")" "$name" "$windows" </dev/null >/dev/null 2>&1 || true
    local n; n=$(grep -c -E '^(view|message)' "$out/views/$name.tsv" 2>/dev/null || true)
    done_views=$((done_views + ${n:-0}))
    printf 'variant %d of %d: %s: views %d to %d of about %d (%.1f s)\n' "$i" "$count" "$name" \
      $((done_views - ${n:-0} + 1)) "$done_views" $((done_views * count / i)) \
      "$(awk -v a="$t0" -v b="$(date +%s.%N)" 'BEGIN { print b - a }')"
  done < "$out/variants.tsv"
  # The prefix is the 32-bit ring's too: it reports its own Windows again.
  wow64_wine reg delete 'HKCU\Software\Wine' /v Version /f </dev/null >/dev/null 2>&1 || true
  wow64_server -k 2>/dev/null || true
}
run_all

# The author's checker, beside every row.
checker="$here/build/host/disccheck/disccheck"
if [ -x "$checker" ]; then "$checker" "$program" > "$out/disccheck.txt" 2>&1 || true
else echo "(disccheck not built: cmake --build --preset host)" > "$out/disccheck.txt"; fi
rm -rf "$out/work"
python3 "$here/scripts/preview_sheet.py" sheet "$out"
echo "preview: $(grep -c . "$out/variants.tsv") variants, $(cat "$out"/views/*.tsv | grep -c -E '^(view|message)') views in $(( $(date +%s) - start )) s: $out/index.html"
