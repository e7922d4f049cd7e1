#!/usr/bin/env python3
"""The preview's two halves around the runs (scripts/preview.sh):

  preview_sheet.py variants <program folder> <regex>   the variants, one a line
  preview_sheet.py views <program folder> <variants>   about how many views they make
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
NO_32_BIT = ("not pictured: no 32-bit Windows here. The companion asks IsWow64Process, and "
             "the WoW64 Wine answers every 32-bit program as a 64-bit Windows does; it makes "
             "no 32-bit prefix (WINEARCH=win32 is refused) and the host's Wine has no 32-bit side")
NO_16_COLOURS = ("not pictured: the 16-colour look needs a 4-bit desktop; Xvfb makes no 4-bit "
                 "screen and Wine offers no 4-bit display mode")


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


def expected_views(program, variants_file):
    """About how many views the started variants make: a view a tab and
    the promotion's pages after its first (item pages depend on the run)."""
    master = find(program, "BIN", "MasterList.ini")
    tabs = 0
    if master:
        with open(master, encoding="latin-1") as f:
            m = re.search(r"^\s*NUM\s*=\s*(\d+)", f.read(), re.M | re.I)
            tabs = int(m.group(1)) if m else 0
    pages = 1
    home = find(program, "HomeTab", "HomeTab.ini")
    if home:
        with open(home, encoding="latin-1") as f:
            m = re.search(r"^\s*Number\s*=\s*(\d+)", f.read(), re.M | re.I)
            pages = max(int(m.group(1)), 1) if m else 1
    with open(variants_file, encoding="utf-8") as f:
        started = sum(1 for line in f if line.rstrip("\n").split("\t")[-1:] == ["-"])
    return started * (tabs + pages - 1)


def read_variant(out, name):
    """The notes of one variant: its views (pictures and messages in the
    order they came), the items the companion listed, and its status."""
    views, listed, status, why = [], [], "not started", "no notes: the driver did not run"
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
                elif cells[0] == "listed" and len(cells) >= 3:
                    listed.append((cells[1], cells[2], cells[3:4] == ["1"]))
                elif cells[0] == "status" and len(cells) >= 3:
                    status, why = cells[1], cells[2]
    return views, listed, status, why


STYLE = """
*{box-sizing:border-box}
body{font:13px/1.45 "DejaVu Sans",system-ui,sans-serif;margin:0;padding:20px 24px;color:#1d2330;background:#f4f6f9}
h1{font-size:20px;margin:0 0 2px} h2{font-size:15px;margin:26px 0 8px}
.lead{color:#556;margin:0 0 14px}
.layout{display:grid;grid-template-columns:minmax(0,1fr) 300px;gap:18px;align-items:start}
aside{position:sticky;top:12px;background:#fff;border:1px solid #d5d9e0;border-radius:6px;padding:10px 12px}
aside h2{margin:0 0 6px} aside pre{margin:0;font-size:11.5px;white-space:pre-wrap;word-break:break-word}
table{border-collapse:collapse;background:#fff}
td,th{border:1px solid #dde1e8;padding:6px 8px;vertical-align:top;text-align:left}
th{background:#eaeef4;font-weight:600}
.variants{width:100%}
.variant{white-space:nowrap;font-weight:600;width:1%} .variant small{display:block;font-weight:400;color:#667}
.views{display:flex;flex-wrap:wrap;gap:6px}
.views figure{margin:0;width:112px}
.views img{width:112px;height:87px;border:1px solid #c5cad3;display:block;background:#222}
.views figcaption{font-size:11px;color:#4a5262;white-space:nowrap;overflow:hidden;text-overflow:ellipsis}
.views figure.message img{border-color:#c44}
.msg{color:#a32222} .none{color:#99a}
tr.off td{background:#fafbfc;color:#778;padding-top:3px;padding-bottom:3px}
tr.off .variant{font-weight:400}
.items td,.items th{font-size:11.5px;padding:3px 6px}
.items th.v{writing-mode:vertical-rl;transform:rotate(180deg);white-space:nowrap;font-weight:500;padding:6px 2px}
.items td.c{text-align:center;min-width:26px}
.items td.hid{background:#fff4d6;color:#8a6100}
.items td.no{color:#c8ccd3}
"""


def short_windows(code):
    return next((w[0] for w in WINDOWS if w[3] == code), code)


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
    body, total, shown = [], 0, []
    seen_on = {}      # (item, variant) -> pages where a view shows it
    listed_on = {}    # (item, variant) -> the tab the companion put it on
    button_on = {}    # (item, variant) -> the tab whose "Install All" button it is
    items, tab_of, tab_names = [], {}, {}
    for name, _wine, bits, language, look, _locale, _why in rows:
        views, listed, status, why = read_variant(out, name)
        label = "<td class=variant>%s<small>Windows %s, %s-bit, %s, %s look</small></td>" % (
            e(name), e(short_windows(name.split("-")[0])), bits, e(language), e(look))
        if status != "shown" and not views:
            body.append("<tr class=off>%s<td colspan=2>%s</td></tr>" % (label, e(why)))
            continue
        if status == "shown":
            shown.append(name)
        cells, messages = [], []
        for v in views:
            total += 1
            path = os.path.join(out, "views", v["file"])
            if v["file"] and os.path.exists(path):
                recompress(path)
            src = "views/" + v["file"]
            if "message" in v:
                messages.append(v["message"])
                caption, kind = "message", " class=message"
            else:
                kind = ""
                caption = v["tab"] + ("" if v["page"] == "1" else ", " + v["page"])
                tab_names.setdefault(v["tab"], v["tab"])
                for r in v["rows"]:
                    if r not in items:
                        items.append(r)
                    tab_of.setdefault(r, v["tab"])
                    page = v["page"] if v["page"].isdigit() else v["page"]
                    seen_on.setdefault((r, name), []).append(page)
            cells.append('<figure%s><a href="%s"><img src="%s" alt="%s"></a>'
                         '<figcaption title="%s">%s</figcaption></figure>'
                         % (kind, e(src), e(src), e(caption), e(caption), e(caption)))
        tab_captions = [v["tab"] for v in views if "tab" in v and v["page"] == "1"]
        for tab, title, fullkit in listed:
            if title not in items:
                items.append(title)
            index = int(tab) if tab.lstrip("-").isdigit() else -1
            caption = tab_captions[index] if 0 <= index < len(tab_captions) else "tab " + tab
            tab_of.setdefault(title, caption)
            if fullkit and 0 <= index < len(tab_captions):
                button_on[(title, name)] = caption  # its tab's "Install All" button
            else:
                listed_on[(title, name)] = caption
        if status != "shown":
            messages.append(why)
        views_cell = '<div class=views>%s</div>' % "".join(cells) if cells else '<span class=none>no views</span>'
        msg_cell = "".join("<div class=msg>%s</div>" % e(m) for m in messages) or '<span class=none>none</span>'
        body.append("<tr>%s<td>%s</td><td>%s</td></tr>" % (label, views_cell, msg_cell))

    def cell(item, n):
        if (item, n) in seen_on:
            pages = seen_on[(item, n)]
            return "<td class=c>%s</td>" % e(",".join("p" + p for p in pages))
        if (item, n) in button_on:
            return "<td class=c title='the Install All button of %s'>button</td>" % e(button_on[(item, n)])
        if (item, n) in listed_on:
            return "<td class='c hid' title='listed on %s, but no view shows it'>hidden</td>" % e(listed_on[(item, n)])
        return "<td class='c no'>&ndash;</td>"

    head = "<tr><th>item</th><th>tab</th>%s</tr>" % "".join(
        "<th class=v>%s</th>" % e(n) for n in shown)
    table = [head] + ["<tr><td>%s</td><td>%s</td>%s</tr>" % (
        e(item), e(tab_of.get(item, "")), "".join(cell(item, n) for n in shown)) for item in items]
    page = """<!DOCTYPE html><html><head><meta charset="utf-8"><title>Disc preview</title>
<style>%s</style></head><body>
<h1>The menu as each user sees it</h1>
<p class=lead>%d variants, %d started, %d views. Click a picture for its full size.</p>
<div class=layout><main>
<table class=variants><tr><th>variant</th><th>views</th><th>messages</th></tr>%s</table>
<h2>Where each item shows (page of its tab, for every started variant)</h2>
<table class=items>%s</table>
<p class=lead>p1, p2: the page of its tab that shows the item; &ldquo;button&rdquo;: the tab's
Install All button; &ldquo;hidden&rdquo;: the companion listed the item for that system, but no view
shows it (an advertisement tab covers its rows); &ndash;: not listed for that system.</p>
</main><aside><h2>disccheck</h2><pre>%s</pre></aside></div>
</body></html>
""" % (STYLE, len(rows), len(shown), total, "".join(body), "".join(table), e(findings))
    with open(os.path.join(out, "index.html"), "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "variants":
        variants(sys.argv[2], sys.argv[3])
    elif len(sys.argv) == 4 and sys.argv[1] == "views":
        print(expected_views(sys.argv[2], sys.argv[3]))
    elif len(sys.argv) == 3 and sys.argv[1] == "sheet":
        sheet(sys.argv[2])
    else:
        sys.exit(__doc__)
