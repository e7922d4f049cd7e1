#!/usr/bin/env python3
"""Checks the preview sheet of the demo disc (scripts/preview.sh output):

  check_preview.py <out folder> <program folder of the disc>

- one row a variant: every Windows the master list names (XP, Vista, 7 and
  8 to 11, whose tags its patterns hit) x 32/64-bit x the four languages x
  the three looks;
- every started variant has one view of each tab the master list gives, in
  order, its pages after the first only after it, and a message when it has
  one; the pages of a tab whose rows show hold every item the companion
  listed on it (no page left unvisited);
- every view is a PNG of the window's size (660 x 512);
- two variants of one look whose rows on a tab differ have different
  pictures there: the pixels of the first row where they differ (a tab
  whose rows an advertisement covers shows no rows, so it is no such pair);
- the sheet marks "hidden" each item the companion listed that no view shows.
"""
import html
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


def region(picture, place):
    """The bytes of a rectangle (x, y, width, height) of a picture's rows
    (the filter byte leads each row; 4 bytes a pixel)."""
    (width, height), pixels = picture
    x, y, w, h = place
    stride = 1 + 4 * width
    return b"".join(pixels[row * stride + 1 + 4 * x:row * stride + 1 + 4 * (x + w)]
                    for row in range(max(y, 0), min(y + h, height)))


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

    started, rows_of, picture_of, hidden = [], {}, {}, 0
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
            check(html.escape(v[6]) in page, v[0] + ": the sheet says why it is not started")
            continue
        check(status and status[0][1] == "shown", v[0] + ": the menu came up")
        started.append(v[0])
        views = [l for l in lines if l[0] == "view"]
        firsts = [l[3] for l in views if l[4] == "1"]
        check(firsts == captions if v[3] == "English" else len(firsts) == tabs,
              "%s: tabs seen %s, the master list gives %s" % (v[0], firsts, captions))
        order = [l[2] for l in views]
        check(order == sorted(order, key=int), v[0] + ": a tab's pages come together, after its first")
        shown_on = {}
        for l in views:
            size, pixels = png_pixels(os.path.join(out, "views", l[1]))
            check(size == WINDOW, "%s: %s is %s, not the window's size" % (v[0], l[1], size))
            rows = [r for r in l[5].split("|") if r]
            places = [tuple(int(n) for n in p.split(",")) for p in l[6].split("|") if p] if len(l) > 6 else []
            check(len(places) == len(rows), "%s: %s: a place for every row" % (v[0], l[1]))
            shown_on.setdefault(l[2], set()).update(rows)
            if l[4] == "1":
                rows_of[(v[0], l[2])] = (rows, places)
                picture_of[(v[0], l[2])] = (size, pixels)
        listed = [l for l in lines if l[0] == "listed"]
        check(len(listed) > 0, v[0] + ": the companion's list noted")
        for l in listed:
            if l[3:4] == ["1"]:
                continue  # a tab's Fullkit item is its Install All button, not a row
            seen = shown_on.get(l[1], set())
            if seen:
                check(l[2] in seen, "%s: %s is listed on tab %s but on no page of it" % (v[0], l[2], l[1]))
            elif all(l[2] not in rows for rows in shown_on.values()):
                hidden += 1
        for l in lines:
            if l[0] == "message":
                check(os.path.exists(os.path.join(out, "views", l[1])), v[0] + ": the message's picture")
    check(page.count("class='c hid'") == hidden,
          "the sheet marks %d items hidden, the notes give %d" % (page.count("class='c hid'"), hidden))

    pairs = 0
    looks = {v[0]: v[4] for v in variants}
    for i, a in enumerate(started):
        for b in started[i + 1:]:
            if looks[a] != looks[b]:
                continue
            for t in range(tabs):
                key_a, key_b = (a, str(t)), (b, str(t))
                if key_a not in rows_of or key_b not in rows_of or rows_of[key_a][0] == rows_of[key_b][0]:
                    continue
                (rows_a, places_a), (rows_b, places_b) = rows_of[key_a], rows_of[key_b]
                k = next(k for k in range(max(len(rows_a), len(rows_b)))
                         if k >= len(rows_a) or k >= len(rows_b) or rows_a[k] != rows_b[k])
                place = places_a[k] if k < len(places_a) else places_b[k]
                pairs += 1
                check(region(picture_of[key_a], place) != region(picture_of[key_b], place),
                      "%s and %s list different items on tab %d (row %d) but show the same there"
                      % (a, b, t, k + 1))
    check(pairs > 0, "no two started variants of one look list different items on a tab that shows rows")
    for f in failures:
        print("preview check: " + f)
    print("preview check: %d variants, %d started, %d pairs with different items: %s" % (
        len(names), len(started), pairs, "FAILED" if failures else "ok"))
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
