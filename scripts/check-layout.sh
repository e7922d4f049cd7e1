#!/usr/bin/env bash
# The tree's plain rules, checked in every test run (scripts/test-all.sh):
#  - no two folders include each other's headers, directly or through other
#    folders (none is allowed to);
#  - no C++ stream header in code linked into Pikko.exe (the stream and
#    locale library would double the exe);
#  - env/ holds no HTML code (its home is browser/html/).
# Prints each breach and exits non-zero when there is one.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
status=0

# Folder of a path: its first component ("browser/html/X.h" -> "browser").
# Every edge "from to" between two different folders of the tree.
edges="$(grep -rHoE --include='*.cpp' --include='*.h' '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"/]+/[^"]+"' \
           --exclude-dir=build --exclude-dir=.git . |
         sed -E 's|^\./([^/]+)/[^:]*:.*"([^"/]+)/.*|\1 \2|' | awk '$1 != $2' | sort -u)"
# Reachability by closure over the folders (a few dozen: cheap), then every
# pair that reaches each other is a cycle.
cycles="$(awk '
  { n[$1] = 1; n[$2] = 1; r[$1 SUBSEP $2] = 1; why[$1 SUBSEP $2] = 1 }
  END {
    for (k in n) for (i in n) if ((i SUBSEP k) in r) for (j in n) if ((k SUBSEP j) in r) r[i SUBSEP j] = 1
    for (i in n) for (j in n) if (i < j && (i SUBSEP j) in r && (j SUBSEP i) in r)
      print i " " j
  }' <<<"$edges" | sort)"
if [ -n "$cycles" ]; then
  status=1
  while read -r a b; do
    echo "layout: $a/ and $b/ include each other's headers (directly or through other folders):"
    grep -rnE --include='*.cpp' --include='*.h' "^[[:space:]]*#[[:space:]]*include[[:space:]]+\"$b/" "$a" | sed 's/^/  /'
    grep -rnE --include='*.cpp' --include='*.h' "^[[:space:]]*#[[:space:]]*include[[:space:]]+\"$a/" "$b" | sed 's/^/  /'
  done <<<"$cycles"
fi

# What Pikko.exe links: the core and Windows-side folders, without the
# fakes and the host-only files.
shipped=(platform env app actions Manual_Opener promotion Graphics Component toolkit browser)
streams="$(grep -rnE --include='*.cpp' --include='*.h' --exclude='*_host.cpp' --exclude-dir=fakes \
             '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(fstream|sstream|iostream|istream|ostream)>' \
             "${shipped[@]}" || true)"
if [ -n "$streams" ]; then
  status=1
  echo "layout: C++ streams in code linked into Pikko.exe:"
  sed 's/^/  /' <<<"$streams"
fi

html="$(grep -rlE 'Html[A-Z]|<html' env || true)"
if [ -n "$html" ]; then
  status=1
  echo "layout: HTML code under env/ (it belongs in browser/html/):"
  sed 's/^/  /' <<<"$html"
fi

[ "$status" -eq 0 ] && echo "layout: no include cycle between folders, no streams in the exe, no HTML under env/"
exit "$status"
