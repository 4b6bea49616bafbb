#!/usr/bin/python3
"""Writes the built-in catalogues and the name files from public data:

  data/catalog_star_table.cpp           bright stars, designations, proper names
  data/catalog_constellation_table.cpp  label points, stick figures, boundaries,
                                        Milky Way outline
  data/catalog_nebula_table.cpp         Messier, NGC, IC; Magellanic Clouds
  data/consname.dat, data/consname.dat.ja, data/starname.dat
  data/catalog_manifest.txt             the counts, checked by the tests

Usage: tools/gen_catalogues.py D3_CELESTIAL_DIR OPENNGC_KSCAT [output dir]

D3_CELESTIAL_DIR is the unpacked npm package d3-celestial@0.7.35 (its
"package" directory); OPENNGC_KSCAT is usr/share/kstars/OpenNGC.kscat from
Debian's kstars-data 5:3.6.2-2. Only their data files are read. The output
depends only on those files, so a rerun reproduces every file byte for byte.
"""

import json
import math
import os
import sqlite3
import sys
import unicodedata

TOOL = "tools/gen_catalogues.py"
Q14 = 16384

STAR_COUNT = 9120
STAR_NAME_COUNT = 249
CONSTELLATION_ROWS = 89
MESSIER_COUNT, NGC_COUNT, IC_COUNT = 107, 7040, 2862

# Johnson V of the two brightest stars: the Hipparcos magnitudes of the
# source file put Canopus ahead of Sirius's true order otherwise.
JOHNSON_V = {32349: -1.46, 30438: -0.72}

# Upper B-V bound of colour classes 0..8; class 9 is everything redder.
COLOUR_EDGES = [-0.25, 0.0, 0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 1.75]
COLOUR_WITHOUT_BV = 3

GREEK = "αβγδεζηθικλμνξοπρστυφχψω"
GREEK_VARIANTS = {"ϑ": "θ", "ϕ": "φ", "ς": "σ"}

MILKY_WAY_RUNS = [103, 213, 25, 17, 32, 13]
BOUNDARY_STEP = 2.0        # degrees along a B1875 parallel or meridian
FIGURE_MATCH = 0.05        # degrees between a figure vertex and its star

# kstars object types -> the program's types (0 planetary, 1 diffuse,
# 2 open cluster, 3 globular, 4 galaxy); stars, multiple stars and unknown
# objects are not deep-sky objects and are left out.
KSTARS_TYPES = {6: 0, 5: 1, 7: 1, 15: 1, 3: 2, 13: 2, 4: 3, 8: 4, 14: 4}
COMPOUND = 5
MESSIER_MISSING = {40, 73, 102}

def fail(text):
    sys.exit("%s: %s" % (TOOL, text))


def vector(ra, dec):
    a, d = math.radians(ra), math.radians(dec)
    return (math.cos(d) * math.cos(a), math.cos(d) * math.sin(a), math.sin(d))


def spherical(v):
    ra = math.degrees(math.atan2(v[1], v[0])) % 360.0
    return ra, math.degrees(math.asin(max(-1.0, min(1.0, v[2]))))


def q14(v):
    # Truncation toward zero, as the program turns doubles into Q14.
    return tuple(int(c * Q14) for c in v)


def separation(u, v):
    dot = sum(a * b for a, b in zip(u, v))
    cross = (u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0])
    return math.degrees(math.atan2(math.sqrt(sum(c * c for c in cross)), dot))


def tenths(mag):
    # Nearest tenth, halves upward, in decimal so that 6.45 gives 65.
    return math.floor(round(mag * 100) / 10 + 0.5)


def ascii_name(text):
    folded = unicodedata.normalize("NFKD", text).encode("ascii", "ignore").decode()
    if not folded:
        fail("name %r has no ASCII form" % text)
    return folded


def c_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


# ---------------------------------------------------------------- precession

def precession_j2000_to(t):
    # IAU 1976 (Lieske 1977) from J2000 to t Julian centuries after J2000.
    sec = math.pi / (180 * 3600)
    zeta = (2306.2181 * t + 0.30188 * t * t + 0.017998 * t ** 3) * sec
    z = (2306.2181 * t + 1.09468 * t * t + 0.018203 * t ** 3) * sec
    theta = (2004.3109 * t - 0.42665 * t * t - 0.041833 * t ** 3) * sec
    cz, sz = math.cos(zeta), math.sin(zeta)
    cZ, sZ = math.cos(z), math.sin(z)
    ct, st = math.cos(theta), math.sin(theta)
    return [[cZ * ct * cz - sZ * sz, -cZ * ct * sz - sZ * cz, -cZ * st],
            [sZ * ct * cz + cZ * sz, -sZ * ct * sz + cZ * cz, -sZ * st],
            [st * cz, -st * sz, ct]]


B1875 = precession_j2000_to((2405889.258550475 - 2451545.0) / 36525.0)


def rotate(m, v):
    return tuple(sum(m[i][j] * v[j] for j in range(3)) for i in range(3))


def unrotate(m, v):
    return tuple(sum(m[j][i] * v[j] for j in range(3)) for i in range(3))


# ---------------------------------------------------------------- stars

def load_stars(d3):
    features = json.load(open(os.path.join(d3, "data/stars.8.json")))["features"]
    stars = []
    for f in features:
        hip = int(f["id"])
        mag = JOHNSON_V.get(hip, f["properties"]["mag"])
        lon, lat = f["geometry"]["coordinates"]
        bv = f["properties"].get("bv", "")
        stars.append({"hip": hip, "mag": mag, "mag10": tenths(mag),
                      "ra": lon % 360.0, "dec": lat,
                      "bv": float(bv) if bv not in ("", None) else None})
    stars.sort(key=lambda s: (s["mag10"], s["mag"], s["hip"]))
    return stars[:STAR_COUNT]


def colour_class(bv):
    if bv is None:
        return COLOUR_WITHOUT_BV
    for k, edge in enumerate(COLOUR_EDGES):
        if bv < edge:
            return k
    return 9


def parse_bayer(text):
    # Greek letter 1..24 and superscript 0..9; Latin (Lacaille) letters and
    # anything else the format cannot hold give (0, 0).
    if not text:
        return 0, 0
    letter = GREEK_VARIANTS.get(text[0], text[0])
    if letter not in GREEK:
        return 0, 0
    rest = unicodedata.normalize("NFKC", text[1:])
    superscript = int(rest) if rest.isdigit() and len(rest) == 1 else 0
    return GREEK.index(letter) + 1, superscript


def designations(d3, stars, cons_index):
    names = json.load(open(os.path.join(d3, "data/starnames.json")))
    rows, dropped = [], 0
    for s in stars:
        entry = names.get(str(s["hip"]), {})
        letter, superscript = parse_bayer(entry.get("bayer", ""))
        flam = entry.get("flam", "")
        flam = int(flam) if flam.isdigit() else 0
        if entry.get("bayer") and not letter:
            dropped += 1
        s["name"] = entry.get("name", "")
        if not letter and not flam:
            s["desig"] = None
            continue
        if flam > 255:
            fail("Flamsteed number %d does not fit a byte" % flam)
        cons = cons_index[entry["c"]]
        s["desig"] = len(rows)
        rows.append((letter << 3 | superscript >> 1,
                     (superscript & 1) << 7 | cons,
                     flam))
    return rows, dropped


def decode(row):
    letter = row[0] >> 3
    superscript = (row[0] & 7) << 1 | row[1] >> 7
    return letter, superscript, row[2], row[1] & 0x7f


def first_match(rows, letter, superscript, flam, cons):
    # The program's lookup: the first row of the constellation that agrees
    # in every part the reference gives.
    for k, row in enumerate(rows):
        l, s, f, c = decode(row)
        if c == cons and (not letter or l == letter) and (not superscript or s == superscript) \
                and (not flam or f == flam):
            return k
    return None


def unambiguous(stars, rows):
    # A reference names the star by its letter (with its superscript), else
    # its Flamsteed number. Where that reference finds an earlier star (the
    # source gives some designations twice), the later star keeps no
    # designation, so that every reference reads back to its own star.
    dropped = 0
    while True:
        owner = [None] * len(rows)
        for n, s in enumerate(stars):
            if s["desig"] is not None:
                owner[s["desig"]] = n
        bad = None
        for k, row in enumerate(rows):
            letter, superscript, flam, cons = decode(row)
            if letter:
                flam = 0
            if first_match(rows, letter, superscript, flam, cons) != k:
                bad = k
                break
        if bad is None:
            return rows, dropped
        stars[owner[bad]]["desig"] = None
        for s in stars:
            if s["desig"] is not None and s["desig"] > bad:
                s["desig"] -= 1
        del rows[bad]
        dropped += 1


def designation_index(stars):
    groups, before = [], 0
    for g in range(0, len(stars), 16):
        mask = 0
        for b, s in enumerate(stars[g:g + 16]):
            if s["desig"] is not None:
                mask |= 1 << (15 - b)
        groups.append((mask, before))
        before += bin(mask).count("1")
    return groups


def proper_names(stars):
    named = [(n, s) for n, s in enumerate(stars) if s["name"]]
    if len(named) < STAR_NAME_COUNT:
        fail("only %d named stars" % len(named))
    chosen = named[:STAR_NAME_COUNT]
    for _, s in chosen:
        s["named"] = True
    return [(n, ascii_name(s["name"])) for n, s in chosen]


def write_stars(out, stars, desig, groups, names, source):
    counts = [sum(1 for s in stars if s["mag10"] <= m) for m in range(65)]
    lines = [header(source), D3_NOTICE, '#include "data/catalog_tables.h"', "",
             "const std::array<BrightStarRecord, kBrightStarCount> BrightStarTable = {{"]
    for s in stars:
        x, y, z = q14(vector(s["ra"], s["dec"]))
        attr = (s["mag10"] + 20) << 8 | colour_class(s["bv"]) << 4 | (8 if s.get("named") else 0)
        lines.append("    {%d, %d, %d, 0x%05x}," % (x, y, z, attr))
    lines += ["}};", "",
              "const std::array<int32_t, kStarMagnitudeSteps> StarMagnitudeCountTable = {"]
    lines += ["    " + ", ".join(str(c) for c in counts[i:i + 10]) + "," for i in range(0, 65, 10)]
    lines += ["};", "",
              "const int32_t kStarDesignationGroupCount = %d;" % len(groups),
              "const StarDesignationGroup StarDesignationIndex[%d] = {" % len(groups)]
    lines += ["    {0x%04x, %d}," % g for g in groups]
    lines += ["};", "",
              "const int32_t kStarDesignationCount = %d;" % len(desig),
              "const StarDesignation StarDesignationTable[%d] = {" % len(desig)]
    lines += ["    {{0x%02x, 0x%02x, %d}}," % d for d in desig]
    lines += ["};", ""]
    # One text per name, so that the display name starts as the very
    # pointer of the default name (a loaded name file replaces it).
    lines += ["static const char kStarName%d[] = %s;" % (k, c_string(t)) for k, (_, t) in enumerate(names)]
    lines += ["", "StarNameRecord StarNameTable[kStarNameCount] = {"]
    lines += ["    {%d, kStarName%d, kStarName%d}," % (n, k, k) for k, (n, _) in enumerate(names)]
    lines += ["};", ""]
    write(out, "catalog_star_table.cpp", lines)
    return counts


# ---------------------------------------------------------------- constellations

VOWEL_ROWS = {"あ": "あかさたなはまやらわ", "い": "いきしちにひみり", "う": "うくすつぬふむゆる",
              "え": "えけせてねへめれ", "お": "おこそとのほもよろを"}
SMALL_KANA = dict(zip("ぁぃぅぇぉっゃゅょゎ", "あいうえおつやゆよわ"))


def gojuon_key(japanese):
    # Dictionary order of the reading: katakana as hiragana, voiced and
    # small kana as their plain forms, the long mark as the vowel before it.
    text = "".join(chr(ord(c) - 0x60) if 0x30A1 <= ord(c) <= 0x30F6 else c
                   for c in japanese.replace("座", ""))
    text = "".join(c for c in unicodedata.normalize("NFD", text) if c not in "\u3099\u309a")
    out = []
    for c in text:
        c = SMALL_KANA.get(c, c)
        if c == "ー":
            c = next(v for v, row in VOWEL_ROWS.items() if out[-1] in row)
        out.append(c)
    return "".join(out), japanese


def constellation_rows(d3):
    features = json.load(open(os.path.join(d3, "data/constellations.json")))["features"]
    serpens = [f for f in features if f["id"] == "Ser"]
    rows = [f for f in features if f["id"] != "Ser"] + serpens[:1]
    rows.sort(key=lambda f: gojuon_key(f["properties"]["ja"]))
    rows.append(serpens[1])
    if len(rows) != CONSTELLATION_ROWS:
        fail("%d constellation rows" % len(rows))
    return rows


def serpens_part(coords, rows):
    # The source has two "Ser" features; the nearer label point decides.
    probe = vector(coords[0] % 360.0, coords[1])
    head = vector(rows[63]["geometry"]["coordinates"][0] % 360.0, rows[63]["geometry"]["coordinates"][1])
    tail = vector(rows[88]["geometry"]["coordinates"][0] % 360.0, rows[88]["geometry"]["coordinates"][1])
    return 63 if separation(probe, head) < separation(probe, tail) else 88


def star_finder(stars):
    cells = {}
    for n, s in enumerate(stars):
        cells.setdefault((int(s["dec"] // 1)), []).append((n, vector(s["ra"], s["dec"])))

    def find(lon, lat):
        v = vector(lon % 360.0, lat)
        best = None
        for cell in (int(lat // 1) - 1, int(lat // 1), int(lat // 1) + 1):
            for n, w in cells.get(cell, []):
                d = separation(v, w)
                if d < FIGURE_MATCH and (best is None or d < best[0]):
                    best = (d, n)
        return None if best is None else best[1]
    return find


def stick_figures(d3, rows, stars):
    features = json.load(open(os.path.join(d3, "data/constellations.lines.json")))["features"]
    row_of = {f["id"]: i for i, f in enumerate(rows[:88])}
    find = star_finder(stars)
    figures = [[] for _ in rows]
    missing = 0
    for f in features:
        lines = f["geometry"]["coordinates"]
        row = serpens_part(lines[0][0], rows) if f["id"] == "Ser" else row_of[f["id"]]
        for line in lines:
            run = []
            for lon, lat in line:
                n = find(lon, lat)
                if n is None:
                    missing += 1
                    if len(run) > 1:
                        figures[row].append(run)
                    run = []
                else:
                    run.append(n)
            if len(run) > 1:
                figures[row].append(run)
    entries, index = [], []
    for runs in figures:
        index.append(len(entries))
        for run in runs:
            entries.append(run[0] | 0x8000)
            entries.extend(run[1:])
    index.append(len(entries))
    return entries, index, missing


def chain(segments):
    # Joins boundary edges that meet end to end into longer polylines.
    key = lambda p: (round(p[0], 4), round(p[1], 4))
    runs = [list(s) for s in segments]
    joined = True
    while joined:
        joined = False
        ends = {}
        for i, r in enumerate(runs):
            ends.setdefault(key(r[0]), []).append(i)
            ends.setdefault(key(r[-1]), []).append(i)
        for i, r in enumerate(runs):
            for j in ends.get(key(r[-1]), []):
                if j == i or len(ends[key(r[-1])]) != 2:
                    continue
                s = runs[j]
                if key(s[-1]) == key(r[-1]):
                    s = s[::-1]
                runs[i] = r + s[1:]
                del runs[j]
                joined = True
                break
            if joined:
                break
    return runs


def densify(points):
    # Boundaries run along B1875 parallels and hour circles; long edges get
    # intermediate points on that parallel or meridian, not a great circle.
    out = [vector(points[0][0] % 360.0, points[0][1])]
    for (lon0, lat0), (lon1, lat1) in zip(points, points[1:]):
        a = spherical(rotate(B1875, vector(lon0 % 360.0, lat0)))
        b = spherical(rotate(B1875, vector(lon1 % 360.0, lat1)))
        dra = (b[0] - a[0] + 180.0) % 360.0 - 180.0
        ddec = b[1] - a[1]
        along = abs(dra) * math.cos(math.radians(a[1])) if abs(ddec) < 1e-3 else abs(ddec)
        steps = max(1, math.ceil(along / BOUNDARY_STEP))
        for k in range(1, steps):
            ra = a[0] + dra * k / steps
            dec = a[1] + ddec * k / steps if abs(ddec) >= 1e-3 else a[1]
            out.append(unrotate(B1875, vector(ra, dec)))
        out.append(vector(lon1 % 360.0, lat1))
    return out


def boundaries(d3):
    features = json.load(open(os.path.join(d3, "data/constellations.borders.json")))["features"]
    segments = [line for f in features for line in f["geometry"]["coordinates"]]
    return [densify(run) for run in chain(segments)]


def simplify_ring(ring, count):
    # Greedy insertion on the sphere: start from the first point and the
    # point farthest from it, then keep adding the point that lies farthest
    # from the outline so far, until the closed run has `count` points.
    pts = [vector(lon % 360.0, lat) for lon, lat in ring[:-1]]
    far = max(range(len(pts)), key=lambda i: separation(pts[0], pts[i]))
    keep = [0, far, len(pts)]
    pts.append(pts[0])

    def deviation(i, a, b):
        n = (pts[a][1] * pts[b][2] - pts[a][2] * pts[b][1],
             pts[a][2] * pts[b][0] - pts[a][0] * pts[b][2],
             pts[a][0] * pts[b][1] - pts[a][1] * pts[b][0])
        length = math.sqrt(sum(c * c for c in n)) or 1.0
        return abs(sum(p * c for p, c in zip(pts[i], n))) / length

    while len(keep) < count:
        best = None
        for a, b in zip(keep, keep[1:]):
            for i in range(a + 1, b):
                d = deviation(i, a, b)
                if best is None or d > best[0]:
                    best = (d, i)
        keep = sorted(keep + [best[1]])
    return [pts[i] for i in keep]


def milky_way(d3):
    features = json.load(open(os.path.join(d3, "data/mw.json")))["features"]
    rings = next(f for f in features if f["id"] == "ol1")["geometry"]["coordinates"][0]
    largest = sorted(range(len(rings)), key=lambda i: -len(rings[i]))[:len(MILKY_WAY_RUNS)]
    by_size = sorted(range(len(MILKY_WAY_RUNS)), key=lambda k: -MILKY_WAY_RUNS[k])
    runs = [None] * len(MILKY_WAY_RUNS)
    for k, ring in zip(by_size, largest):
        runs[k] = simplify_ring(rings[ring], MILKY_WAY_RUNS[k])
    return runs


def latin_name(feature):
    # Both parts of Serpens carry the constellation's one name.
    name = feature["properties"]["name"].replace(" Caput", "").replace(" Cauda", "")
    return ascii_name(name)


def write_constellations(out, rows, entries, index, borders, mw, source):
    lines = [header(source), D3_NOTICE, '#include "data/catalog_tables.h"', ""]
    lines += ["static const char kConstellationName%d[] = %s;" % (k, c_string(latin_name(f)))
              for k, f in enumerate(rows)]
    lines += ["", "ConstellationRecord ConstellationTable[kConstellationRows] = {"]
    for k, f in enumerate(rows):
        lon, lat = f["geometry"]["coordinates"]
        x, y, z = q14(vector(lon % 360.0, lat))
        lines.append("    {%d, %d, %d, %s, kConstellationName%d, kConstellationName%d}," %
                     (x, y, z, c_string(f["id"]), k, k))
    lines += ["};", "",
              "const int32_t kConstellationLineCount = %d;" % len(entries),
              "// The entry after the last one starts no figure: it ends the last polyline.",
              "const uint32_t ConstellationLineTable[%d] = {" % (len(entries) + 1)]
    all_entries = entries + [0x8000]
    for i in range(0, len(all_entries), 10):
        lines.append("    " + ", ".join("0x%04x" % e for e in all_entries[i:i + 10]) + ",")
    lines += ["};", "",
              "const int32_t ConstellationLineIndex[kConstellationRows + 1] = {"]
    for i in range(0, len(index), 10):
        lines.append("    " + ", ".join(str(e) for e in index[i:i + 10]) + ",")
    total = sum(len(b) for b in borders)
    lines += ["};", "",
              "const int32_t kConstellationBoundaryPolylines = %d;" % len(borders),
              "const int32_t kConstellationBoundaryPoints = %d;" % total,
              "const ConstellationBoundaryPoint ConstellationBoundaryTable[%d] = {" % (total + 1)]
    for run in borders:
        for k, v in enumerate(run):
            lines.append("    {%d, %d, %d, %d}," % ((1 if k == 0 else 0,) + q14(v)))
    lines += ["    {-1, 0, 0, 0},", "};", ""]
    for k, run in enumerate(mw):
        lines.append("static const FixedVector kMilkyWayRun%d[%d] = {" % (k, len(run) + 1))
        lines += ["    {%d, %d, %d}," % q14(v) for v in run]
        lines += ["    {0, 0, 0},", "};"]
    lines += ["", "const std::array<const FixedVector*, kMilkyWayRuns> MilkyWayTable = {"]
    lines += ["    kMilkyWayRun%d," % k for k in range(len(mw))]
    lines += ["};", ""]
    write(out, "catalog_constellation_table.cpp", lines)


def write_name_files(out, rows, names):
    english = [latin_name(f) for f in rows]
    with open(os.path.join(out, "consname.dat"), "w", encoding="ascii", newline="\n") as f:
        f.write("".join(n + "\n" for n in english))
    with open(os.path.join(out, "consname.dat.ja"), "w", encoding="euc_jp", newline="\n") as f:
        f.write("".join(r["properties"]["ja"] + "\n" for r in rows))
    with open(os.path.join(out, "starname.dat"), "w", encoding="ascii", newline="\n") as f:
        f.write("".join(t + "\n" for _, t in names))


# ---------------------------------------------------------------- nebulae

def load_compound():
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "gen_catalogues_compound.txt")
    listed = set()
    for line in open(path):
        line = line.split("#")[0].split()
        if line:
            listed.add((line[0], int(line[1])))
    return listed


def split_identifier(ident):
    for prefix in ("NGC", "IC"):
        if ident.startswith(prefix) and ident[len(prefix):].isdigit():
            return prefix, int(ident[len(prefix):])
    return None


NO_SIZE = 65535   # tenths of an arcminute; the catalogue gives no major axis


def nebula_records(kscat):
    db = sqlite3.connect(kscat)
    compound = load_compound()
    rows = db.execute("select name, catalog_identifier, type, magnitude, ra, dec, major_axis from cat order by name")
    catalogs = {"M": {}, "NGC": {}, "IC": {}}
    for name, ident, ktype, mag, ra, dec, major in rows:
        cross = split_identifier(ident or "")
        kind = KSTARS_TYPES.get(ktype)
        if cross and cross in compound:
            kind = COMPOUND
        record = {"ra": ra, "dec": dec, "type": kind,
                  "mag10": 255 if mag is None else min(254, tenths(mag)),
                  "size10": NO_SIZE if major is None else min(NO_SIZE - 1, tenths(major))}
        if name.startswith("M "):
            number = int(name[2:])
            if number in MESSIER_MISSING:
                continue
            if kind is None:
                fail("Messier %d has no deep-sky type" % number)
            catalogs["M"][number] = dict(record, cross=cross)
        if kind is not None and cross and cross[1] not in catalogs[cross[0]]:
            catalogs[cross[0]][cross[1]] = dict(record, cross=None)
    for number, m in catalogs["M"].items():
        if m["cross"]:
            catalogs[m["cross"][0]][m["cross"][1]]["cross"] = ("M", number)
    cut = {"M": MESSIER_COUNT, "NGC": NGC_COUNT, "IC": IC_COUNT}
    runs = {}
    for cat, records in catalogs.items():
        order = sorted(records.items(), key=lambda kv: (kv[1]["mag10"], kv[0]))
        if len(order) < cut[cat]:
            fail("%s has only %d objects" % (cat, len(order)))
        runs[cat] = order[:cut[cat]]
    kept = {cat: {n for n, _ in runs[cat]} for cat in runs}
    return runs, kept


FLAG = {"M": 0x8000, "NGC": 0x4000, "IC": 0x2000}


def nebula_words(cat, number, rec, kept):
    also = 0
    cross = 0
    if rec["cross"] and rec["cross"][1] in kept[rec["cross"][0]]:
        also = FLAG[rec["cross"][0]]
        cross = also | rec["cross"][1]
    return (rec["size10"] << 16 | rec["mag10"] << 8 | rec["type"], FLAG[cat] | also | number, cross)


def magellanic(d3):
    features = json.load(open(os.path.join(d3, "data/lg.json")))["features"]
    out = []
    for name in ("LMC", "SMC"):
        f = next(f for f in features if f["id"] == name)
        lon, lat = f["geometry"]["coordinates"]
        out.append((name, tuple(int(c * (1 << 30)) for c in vector(lon % 360.0, lat))))
    return out


def write_nebulae(out, runs, kept, clouds, source):
    lines = [header(source),
             "// Nebula data from OpenNGC by Mattia Verga, licensed under CC BY-SA 4.0",
             "// (https://creativecommons.org/licenses/by-sa/4.0/); positions, magnitudes",
             "// and sizes reduced to this table's format. This table is shared alike",
             "// under the same licence. The Magellanic Clouds are d3-celestial's:",
             D3_NOTICE,
             '#include "data/catalog_tables.h"', "",
             "const std::array<int32_t, 3> NebulaCatalogCounts = {%d, %d, %d};" %
             (len(runs["M"]), len(runs["NGC"]), len(runs["IC"])), "",
             "const std::array<FixedVector, kNebulaCount> NebulaPositionTable = {{"]
    for cat in ("M", "NGC", "IC"):
        lines += ["    {%d, %d, %d}," % q14(vector(r["ra"], r["dec"])) for _, r in runs[cat]]
    lines += ["}};", "",
              "const std::array<const FixedVector*, 3> NebulaPositionRuns = {",
              "    &NebulaPositionTable[0], &NebulaPositionTable[%d], &NebulaPositionTable[%d]," %
              (len(runs["M"]), len(runs["M"]) + len(runs["NGC"])),
              "};", ""]
    for cat in ("M", "NGC", "IC"):
        lines.append("static const NebulaAttributes k%sAttributes[%d] = {" % (cat.title(), len(runs[cat])))
        lines += ["    {{0x%08x, 0x%04x, 0x%04x}}," % nebula_words(cat, n, r, kept) for n, r in runs[cat]]
        lines += ["};"]
    lines += ["", "const std::array<const NebulaAttributes*, 3> NebulaAttributeTable = {",
              "    kMAttributes, kNgcAttributes, kIcAttributes,", "};", "",
              "const std::array<MagellanicCloudRecord, 2> MagellanicCloudTable = {{"]
    lines += ["    {%d, %d, %d, %s}," % (v + (c_string(name),)) for name, v in clouds]
    lines += ["}};", ""]
    write(out, "catalog_nebula_table.cpp", lines)


# ---------------------------------------------------------------- output

D3_NOTICE = "// Data of d3-celestial, Copyright (c) 2015, Olaf Frohn; BSD-3-Clause (see data/SOURCES.md)."


def header(source):
    return "// Generated by %s from %s; do not edit." % (TOOL, source)


def write(out, name, lines):
    with open(os.path.join(out, name), "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(lines))


def main():
    if len(sys.argv) not in (3, 4):
        fail("usage: %s D3_CELESTIAL_DIR OPENNGC_KSCAT [output dir]" % TOOL)
    d3, kscat = sys.argv[1], sys.argv[2]
    out = sys.argv[3] if len(sys.argv) == 4 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")

    rows = constellation_rows(d3)
    cons_index = {f["id"]: i for i, f in enumerate(rows[:88])}
    stars = load_stars(d3)
    desig, dropped = designations(d3, stars, cons_index)
    desig, ambiguous = unambiguous(stars, desig)
    groups = designation_index(stars)
    names = proper_names(stars)
    counts = write_stars(out, stars, desig, groups, names, "d3-celestial 0.7.35 stars.8.json and starnames.json")

    entries, index, missing = stick_figures(d3, rows, stars)
    borders = boundaries(d3)
    mw = milky_way(d3)
    write_constellations(out, rows, entries, index, borders, mw,
                         "d3-celestial 0.7.35 constellations, constellations.lines, "
                         "constellations.borders and mw .json")
    write_name_files(out, rows, names)

    runs, kept = nebula_records(kscat)
    write_nebulae(out, runs, kept, magellanic(d3), "OpenNGC (kstars-data 5:3.6.2-2 OpenNGC.kscat) and d3-celestial 0.7.35 lg.json")

    manifest = [
        ("stars", len(stars)),
        ("star_names", len(names)),
        ("star_designations", len(desig)),
        ("star_designation_groups", len(groups)),
        ("star_count_at_0.0", counts[0]),
        ("star_count_at_6.4", counts[64]),
        ("faintest_star_mag10", stars[-1]["mag10"]),
        ("lacaille_letters_dropped", dropped),
        ("ambiguous_designations_dropped", ambiguous),
        ("constellation_rows", len(rows)),
        ("constellation_line_entries", len(entries)),
        ("figure_vertices_without_star", missing),
        ("boundary_polylines", len(borders)),
        ("boundary_points", sum(len(b) for b in borders)),
        ("milky_way_runs", len(mw)),
        ("milky_way_points", sum(len(r) for r in mw)),
        ("nebulae_messier", len(runs["M"])),
        ("nebulae_ngc", len(runs["NGC"])),
        ("nebulae_ic", len(runs["IC"])),
    ]
    expected = {"stars": STAR_COUNT, "star_names": STAR_NAME_COUNT, "constellation_rows": CONSTELLATION_ROWS,
                "nebulae_messier": MESSIER_COUNT, "nebulae_ngc": NGC_COUNT, "nebulae_ic": IC_COUNT}
    for key, value in manifest:
        if key in expected and expected[key] != value:
            fail("%s is %d, not %d" % (key, value, expected[key]))
    text = ["# Generated by %s from d3-celestial 0.7.35 and OpenNGC (kstars-data 5:3.6.2-2); do not edit." % TOOL,
            "# The counts of the built-in tables; the tests check the tables against them."]
    text += ["%s %d" % kv for kv in manifest]
    write(out, "catalog_manifest.txt", text + [""])
    print("\n".join(text[2:]))


if __name__ == "__main__":
    main()
