#!/usr/bin/env python3
"""Checks the preview sheet of the demo disc (scripts/preview.sh output):

  check_preview.py <out folder> <program folder of the disc>

- one row a variant: every Windows the master list names (XP, Vista, 7 and
  8 to 11, whose tags its patterns hit) x 32/64-bit x the four languages x
  the three looks;
- every started variant has one view of each tab the master list gives, in
  order, its pages after the first only after it, and a message when it has
  one;
- every view is a PNG of the window's size (660 x 512);
- two variants of one look whose rows on a tab differ have different
  pictures of that tab.
"""
import os
import re
import struct
import sys
import zlib

WINDOW = (660, 512)


def png_pixels(path):
    with open(path, "rb") as f:
        data = f.read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path + ": not a PNG file"
    width, height = struct.unpack(">II", data[16:24])
    idat, pos = b"", 8
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        if kind == b"IDAT":
            idat += data[pos + 8:pos + 8 + length]
        pos += 12 + length
    return (width, height), zlib.decompress(idat)


def main(out, program):
    failures = []

    def check(ok, text):
        if not ok:
            failures.append(text)

    with open(os.path.join(out, "variants.tsv"), encoding="utf-8") as f:
        variants = [line.rstrip("\n").split("\t") for line in f if line.strip()]
    names = [v[0] for v in variants]
    expected = {"-".join([w, b, lang, look]) for w in ("winxp", "vista", "win7", "win10")
                for b in ("64", "32") for lang in ("English", "French", "German", "Japanese")
                for look in ("normal", "gaming", "16-colour")}
    check(set(names) == expected and len(names) == len(expected),
          "variants: %d, expected the %d the demo implies; missing %s, extra %s" % (
              len(names), len(expected), sorted(expected - set(names))[:4], sorted(set(names) - expected)[:4]))
    with open(os.path.join(out, "index.html"), encoding="utf-8") as f:
        page = f.read()
    check(page.count("<td class=variant>") == len(names), "the sheet has one row a variant")

    master = open(os.path.join(program, "BIN", "MasterList.ini"), encoding="latin-1").read()
    tabs = int(re.search(r"^NUM=(\d+)", master, re.M).group(1))
    captions = [re.search(r"^TAB%d=(.*?)\r?$" % t, master, re.M).group(1) for t in range(tabs)]

    started, rows_of, picture_of = [], {}, {}
    for v in variants:
        path = os.path.join(out, "views", v[0] + ".tsv")
        if not os.path.exists(path):
            check(False, v[0] + ": no notes")
            continue
        lines = [line.rstrip("\n").split("\t") for line in open(path, encoding="utf-8")]
        status = [l for l in lines if l[0] == "status"]
        check(len(status) == 1, v[0] + ": one status line")
        if v[6] != "-":
            check(status and status[0][1] == "not started", v[0] + ": left out, so not started")
            check(v[6] in page, v[0] + ": the sheet says why it is not started")
            continue
        check(status and status[0][1] == "shown", v[0] + ": the menu came up")
        started.append(v[0])
        views = [l for l in lines if l[0] == "view"]
        firsts = [l[3] for l in views if l[4] == "1"]
        check(firsts == captions if v[3] == "English" else len(firsts) == tabs,
              "%s: tabs seen %s, the master list gives %s" % (v[0], firsts, captions))
        for l in views:
            size, pixels = png_pixels(os.path.join(out, "views", l[1]))
            check(size == WINDOW, "%s: %s is %s, not the window's size" % (v[0], l[1], size))
            if l[4] == "1":
                rows_of[(v[0], l[2])] = l[5]
                picture_of[(v[0], l[2])] = pixels
        for l in lines:
            if l[0] == "message":
                check(os.path.exists(os.path.join(out, "views", l[1])), v[0] + ": the message's picture")

    pairs = 0
    looks = {v[0]: v[4] for v in variants}
    for i, a in enumerate(started):
        for b in started[i + 1:]:
            if looks[a] != looks[b]:
                continue
            for t in range(tabs):
                key_a, key_b = (a, str(t)), (b, str(t))
                if key_a in rows_of and key_b in rows_of and rows_of[key_a] != rows_of[key_b]:
                    pairs += 1
                    check(picture_of[key_a] != picture_of[key_b],
                          "%s and %s list different items on tab %d but look the same" % (a, b, t))
    check(pairs > 0, "no two started variants of one look list different items")
    for f in failures:
        print("preview check: " + f)
    print("preview check: %d variants, %d started, %d pairs with different items: %s" % (
        len(names), len(started), pairs, "FAILED" if failures else "ok"))
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
