#!/usr/bin/env python3
"""The preview's two halves around the runs (scripts/preview.sh):

  preview_sheet.py variants <program folder> <regex>   the variants, one a line
  preview_sheet.py sheet <out folder>                  writes <out>/index.html

A variant line: name, Wine's Windows version, bits, language, look, locale,
and why it cannot run here ("-" when it can).
"""
import fnmatch
import html
import os
import re
import struct
import sys
import zlib

# The Windows a user may run, with the platform tags their 32- and 64-bit
# editions report to the disc's programs (Windows 8 to 11 report 6.2 to a
# program that does not declare them) and Wine's names for them.
WINDOWS = [
    ("XP", "WNT_5.1P", "WNT_5.2P", "winxp", "winxp64"),
    ("Vista", "WNT_6.0P_32", "WNT_6.0P_64", "vista", "vista"),
    ("7", "WNT_6.1P_32", "WNT_6.1P_64", "win7", "win7"),
    ("8 to 11", "WNT_6.2P_32", "WNT_6.2P_64", "win10", "win10"),
]
LOCALES = {"English": "en_US.UTF-8", "French": "fr_FR.UTF-8", "German": "de_DE.UTF-8",
           "Japanese": "ja_JP.UTF-8"}
NO_32_BIT = ("no 32-bit Windows here: the WoW64 Wine runs 32-bit programs as a 64-bit "
             "Windows does and makes no 32-bit prefix, and the host's Wine has no 32-bit side")
NO_16_COLOURS = "the 16-colour look needs a desktop of 16 colours; this display has 24-bit colour"


def find(folder, *names):
    """The path below folder, each name matched without regard to case."""
    path = folder
    for name in names:
        try:
            hits = [e for e in os.listdir(path) if e.lower() == name.lower()]
        except OSError:
            return None
        if not hits:
            return None
        path = os.path.join(path, hits[0])
    return path


def platform_patterns(master):
    patterns = []
    with open(master, encoding="latin-1") as f:
        for line in f:
            m = re.match(r"\s*\(\d+\)Platforms\s*=(.*)", line, re.I)
            if m:
                patterns += [p.strip().lstrip("!") for p in m.group(1).split(",") if p.strip()]
    return patterns


def windows_named(program):
    """The Windows of the master list's platform patterns (a pattern that
    excludes names its Windows too); the newest always, most users run it."""
    master = find(program, "BIN", "MasterList.ini")
    patterns = platform_patterns(master) if master else []
    named = []
    for w in WINDOWS:
        if w is WINDOWS[-1] or any(fnmatch.fnmatchcase(tag.lower(), p.lower())
                                   for p in patterns for tag in w[1:3]):
            named.append(w)
    return named


def variants(program, only):
    langs = find(program, "Lang")
    languages = sorted(d for d in os.listdir(langs) if os.path.isdir(os.path.join(langs, d))) \
        if langs else ["English"]
    looks = []
    if find(program, "pikko256.bmp"):
        looks.append("normal")
    if find(program, "GAMING", "pikko256.bmp"):
        looks.append("gaming")
    if find(program, "pikko16.bmp"):
        looks.append("16-colour")
    for w in windows_named(program):
        for bits in ("64", "32"):
            wine_name = w[4] if bits == "64" else w[3]
            for language in languages:
                for look in looks:
                    name = "-".join([w[3], bits, language, look])
                    why = "-"
                    if only and not re.search(only, name):
                        why = "left out (--only)"
                    elif bits == "32":
                        why = NO_32_BIT
                    elif look == "16-colour":
                        why = NO_16_COLOURS
                    elif language not in LOCALES:
                        why = "no locale known for the language " + language
                    print("\t".join([name, wine_name, bits, language, look,
                                     LOCALES.get(language, "-"), why]))


def recompress(path):
    """The driver writes stored (uncompressed) PNG data: squeezed here, the
    pixels unchanged."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return
    chunks, idat, pos = [], b"", 8
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IDAT":
            idat += body
        else:
            chunks.append((kind, body))
    packed = zlib.compress(zlib.decompress(idat), 6)
    out = [data[:8]]
    for kind, body in chunks:
        if kind == b"IEND":
            out.append(struct.pack(">I", len(packed)) + b"IDAT" + packed +
                       struct.pack(">I", zlib.crc32(b"IDAT" + packed)))
        out.append(struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body)))
    with open(path, "wb") as f:
        f.write(b"".join(out))


def read_variant(out, name):
    views, status, why = [], "not started", "no notes: the driver did not run"
    path = os.path.join(out, "views", name + ".tsv")
    if os.path.exists(path):
        with open(path, encoding="utf-8", errors="replace") as f:
            for line in f:
                cells = line.rstrip("\n").split("\t")
                if cells[0] == "view" and len(cells) >= 6:
                    views.append({"file": cells[1], "tab": cells[3], "page": cells[4],
                                  "rows": [r for r in cells[5].split("|") if r]})
                elif cells[0] == "message" and len(cells) >= 3:
                    views.append({"file": cells[1], "message": cells[2]})
                elif cells[0] == "status" and len(cells) >= 3:
                    status, why = cells[1], cells[2]
    return views, status, why


STYLE = """
body{font:14px/1.4 system-ui,sans-serif;margin:24px;color:#222;background:#f6f7f9}
h1{font-size:22px;margin:0 0 4px} h2{font-size:17px;margin:28px 0 8px}
table{border-collapse:collapse;background:#fff}
td,th{border:1px solid #d5d9e0;padding:6px 8px;vertical-align:top;text-align:left}
th{background:#eef1f5;font-weight:600}
.variant{white-space:nowrap;font-weight:600} .variant small{display:block;font-weight:400;color:#667}
.views{display:flex;flex-wrap:wrap;gap:6px}
.views figure{margin:0;width:132px} .views img{width:132px;height:102px;border:1px solid #ccd;display:block;background:#000}
.views figcaption{font-size:11px;color:#556;white-space:nowrap;overflow:hidden;text-overflow:ellipsis}
.msg{color:#a33} .off{color:#889;font-style:italic} pre{margin:0;font-size:12px;white-space:pre-wrap}
.items td{font-size:12px} .items td.none{color:#bbb;text-align:center}
"""


def sheet(out):
    rows = []
    with open(os.path.join(out, "variants.tsv"), encoding="utf-8") as f:
        for line in f:
            c = line.rstrip("\n").split("\t")
            if len(c) >= 7:
                rows.append(c)
    try:
        with open(os.path.join(out, "disccheck.txt"), encoding="utf-8", errors="replace") as f:
            findings = f.read().strip() or "no findings"
    except OSError:
        findings = "(disccheck did not run)"
    e = html.escape
    body, where, items = [], {}, []
    total = 0
    for name, _wine, bits, language, look, _locale, _why in rows:
        views, status, why = read_variant(out, name)
        windows = name.split("-")[0]
        label = "<td class=variant>%s<small>Windows %s, %s-bit<br>%s, %s look</small></td>" % (
            e(name), e(next((w[0] for w in WINDOWS if w[3] == windows), windows)), bits, e(language), e(look))
        cells = []
        messages = []
        for v in views:
            total += 1
            path = os.path.join(out, "views", v["file"])
            if v["file"] and os.path.exists(path):
                recompress(path)
            src = "views/" + v["file"]
            if "message" in v:
                messages.append(v["message"])
                caption = "message"
            else:
                caption = v["tab"] + ("" if v["page"] == "1" else ", " + v["page"])
                for r in v["rows"]:
                    if r not in items:
                        items.append(r)
                    where.setdefault((r, name), []).append(
                        v["tab"] + ("" if v["page"] == "1" else " p." + v["page"]))
            cells.append('<figure><a href="%s"><img src="%s" loading="lazy" alt="%s"></a>'
                         '<figcaption>%s</figcaption></figure>' % (e(src), e(src), e(caption), e(caption)))
        if status != "shown":
            messages.append(why)
        views_cell = '<div class=views>%s</div>' % "".join(cells) if cells else '<span class=off>no views</span>'
        msg_cell = "".join("<div class=msg>%s</div>" % e(m) for m in messages) or '<span class=off>none</span>'
        body.append("<tr>%s<td>%s</td><td>%s</td><td><pre>%s</pre></td></tr>" % (
            label, views_cell, msg_cell, e(findings)))
    shown = [r[0] for r in rows if read_variant(out, r[0])[1] == "shown"]
    table = ["<tr><th>item</th>%s</tr>" % "".join("<th>%s</th>" % e(n) for n in shown)]
    for item in items:
        table.append("<tr><td>%s</td>%s</tr>" % (e(item), "".join(
            "<td>%s</td>" % e(", ".join(where[(item, n)])) if (item, n) in where else "<td class=none>&ndash;</td>"
            for n in shown)))
    page = """<!DOCTYPE html><html><head><meta charset="utf-8"><title>Disc preview</title>
<style>%s</style></head><body><h1>The menu as each user sees it</h1>
<p>%d variants (%d started), %d views. Click a picture for its full size.</p>
<table><tr><th>variant</th><th>views</th><th>messages</th><th>disccheck</th></tr>%s</table>
<h2>Items by variant (tab, page)</h2><table class=items>%s</table></body></html>
""" % (STYLE, len(rows), len(shown), total, "".join(body), "".join(table))
    with open(os.path.join(out, "index.html"), "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "variants":
        variants(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 3 and sys.argv[1] == "sheet":
        sheet(sys.argv[2])
    else:
        sys.exit(__doc__)
