#!/usr/bin/python3
"""Writes a Guide Star Catalog tree in the layout of the catalogue's CD-ROM,
built from Tycho-2 (about a tenth of the real catalogue's objects):

  OUT/TABLES/REGIONS.TBL
  OUT/GSC/<zone>/<nnnn>.GSC     one FITS ASCII table per small region

Usage: tools/gen_gsc_tree.py (--test | --full TYCHO2_DIR) [--lower-case]
                             [--regions LIST] [--stress ROWS] OUT

  --test         the stars of data/uvola.sao in all 9537 regions (its star
                 numbers are region x 100000 + TYC2), and every Tycho-2 star
                 of the regions in tests/data/tycho2-dense-regions.txt.gz;
                 about 110 MB, made for the tests
  --full DIR     all 2.5 million stars of the unpacked Tycho-2 in DIR (see
                 tools/gen_star_files.py for fetching it), for users
  --lower-case   lower-case directory and file names, as some systems mount
                 the CD
  --regions LIST only these regions, as "8958" or "8957-8967,1246"
  --stress ROWS  fill every written region up to ROWS rows with made-up
                 stars of magnitude 12 to 17, jittered about the region's
                 own stars; for benchmarks only

Standard library only: the test suite runs it to make its tree.
"""

import gzip
import math
import os
import random
import struct
import sys

TOOL = "tools/gen_gsc_tree.py"
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
SAO_FILE = os.path.join(ROOT, "data", "uvola.sao")
DENSE_FILE = os.path.join(ROOT, "tests", "data", "tycho2-dense-regions.txt.gz")

SMALL_REGIONS = 9537
BLOCK = 2880
ROW = 45
SAO_MAGIC = b"UVOLA  30 SAO 10"
Q14 = 16384.0

# Zone directories with the first small region of each, north then south.
ZONE_STARTS = [1, 594, 1178, 1729, 2259, 2781, 3246, 3652, 4014, 4294, 4492, 4615,
               4663, 5260, 5838, 6412, 6989, 7523, 8022, 8464, 8840, 9134, 9346, 9490]

# The ten columns of a region table: name, first byte (1-based), format.
COLUMNS = [("GSC_ID", 1, "I5"), ("RA_DEG", 6, "F9.5"), ("DEC_DEG", 15, "F9.5"), ("POS_ERR", 24, "F5.1"),
           ("MAG", 29, "F5.2"), ("MAG_ERR", 34, "F4.2"), ("MAG_BAND", 38, "I2"), ("CLASS", 40, "I1"),
           ("PLATE_ID", 41, "A4"), ("MULTIPLE", 45, "A1")]


def fail(text):
    sys.exit("%s: %s" % (TOOL, text))


def zone_directory(region):
    z = max(i for i, start in enumerate(ZONE_STARTS) if start <= region)
    band = 7.5 * (z % 12)
    return "%s%02d%02d" % ("N" if z < 12 else "S", int(band), 30 if band % 1 else 0)


# ---------------------------------------------------------------- stars

def sao_stars():
    # Region -> [(id, RA, Dec, V)] from the SAO star file.
    with open(SAO_FILE, "rb") as f:
        data = f.read()
    if data[:16] != SAO_MAGIC:
        fail("%s is no SAO star file" % SAO_FILE)
    regions = {}
    for x, y, z, _, mag, number in struct.iter_unpack("<3hBBI", data[16:]):
        ra = math.degrees(math.atan2(y, x)) % 360.0
        dec = math.degrees(math.atan2(z, math.hypot(x, y)))
        regions.setdefault(number // 100000, []).append((number % 100000, ra, dec, (mag - 20) / 10.0))
    return regions


def dense_stars():
    regions = {}
    with gzip.open(DENSE_FILE, "rt", encoding="ascii") as f:
        for line in f:
            if line.startswith("#"):
                continue
            region, tyc2, _, ra, dec, v = line.split()
            regions.setdefault(int(region), []).append((int(tyc2), float(ra), float(dec), float(v)))
    return regions


def tycho_stars(directory):
    # Region -> [(TYC2, RA, Dec, V)] of the main catalogue and supplement 1,
    # V from the Tycho magnitudes as in the SAO file.
    regions = {}

    def add(line, place, bt_field, vt_field):
        bt, vt = line[bt_field].strip(), line[vt_field].strip()
        if bt or vt:
            v = float(vt) - 0.090 * (float(bt) - float(vt)) if bt and vt else float(vt or bt)
            ra, dec = place
            regions.setdefault(int(line[0:4]), []).append((int(line[5:10]), float(line[ra]), float(line[dec]), v))

    for i in range(20):
        with open(os.path.join(directory, "tyc2.dat.%02d" % i), encoding="ascii") as f:
            for line in f:
                # Stars without a mean place have only their observed one.
                mean = line[15:27].strip() != ""
                place = (slice(15, 27), slice(28, 40)) if mean else (slice(152, 164), slice(165, 177))
                add(line, place, slice(110, 116), slice(123, 129))
    with open(os.path.join(directory, "suppl_1.dat"), encoding="ascii") as f:
        for line in f:
            add(line, (slice(15, 27), slice(28, 40)), slice(83, 89), slice(96, 102))
    return regions


def stress_rows(region, stars, rows):
    # Made-up faint stars about the region's own, so that the region's file
    # holds `rows` rows; the same region always gets the same stars.
    if not stars or len(stars) >= rows:
        return stars
    chance = random.Random(region)
    extra = []
    for k in range(rows - len(stars)):
        _, ra, dec, _ = stars[k % len(stars)]
        extra.append((90000 + k % 10000, (ra + chance.uniform(-0.05, 0.05)) % 360.0,
                      max(-90.0, min(90.0, dec + chance.uniform(-0.05, 0.05))), chance.uniform(12.0, 17.0)))
    return stars + extra


# ---------------------------------------------------------------- FITS

def card(key, value=None, comment=""):
    if value is None:
        text = key
    elif isinstance(value, str):
        text = "%-8s= %-20s" % (key, "'%-8s'" % value)
    elif isinstance(value, bool):
        text = "%-8s= %20s" % (key, "T" if value else "F")
    else:
        text = "%-8s= %20d" % (key, value)
    if comment:
        text += " / " + comment
    return "%-80s" % text[:80]


def blocks(cards):
    text = "".join(cards) + card("END")
    return (text + " " * (-len(text) % BLOCK)).encode("ascii")


def primary_header(comment):
    return blocks([card("SIMPLE", True), card("BITPIX", 8), card("NAXIS", 0), card("EXTEND", True),
                   card("COMMENT   " + comment)])


def table_header(rows):
    cards = [card("XTENSION", "TABLE"), card("BITPIX", 8), card("NAXIS", 2), card("NAXIS1", ROW),
             card("NAXIS2", rows), card("PCOUNT", 0), card("GCOUNT", 1), card("TFIELDS", len(COLUMNS))]
    for i, (name, start, form) in enumerate(COLUMNS, 1):
        cards += [card("TTYPE%d" % i, name), card("TBCOL%d" % i, start), card("TFORM%d" % i, form)]
    return blocks(cards)


def row(star):
    gsc_id, ra, dec, v = star
    text = "%05d%9.5f%9.5f%5.1f%5.2f%4.2f%2d%1d%-4s%1s" % (gsc_id % 100000, ra, dec, 0.2, v, 0.30, 18, 0, "TYC2", "F")
    if len(text) != ROW:
        fail("row %r is not %d bytes" % (text, ROW))
    return text.encode("ascii")


def region_file(region, stars):
    data = b"".join(row(s) for s in stars)
    data += b" " * (-len(data) % BLOCK)
    return primary_header("Guide Star Catalog region %04d made from Tycho-2 by %s" % (region, TOOL)) + \
        table_header(len(stars)) + data


# ---------------------------------------------------------------- tree

def parse_regions(text):
    chosen = set()
    for part in text.split(","):
        first, _, last = part.partition("-")
        try:
            chosen.update(range(int(first), int(last or first) + 1))
        except ValueError:
            fail("bad region list %r" % text)
    if not chosen or min(chosen) < 1 or max(chosen) > SMALL_REGIONS:
        fail("regions run from 1 to %d" % SMALL_REGIONS)
    return sorted(chosen)


def write_tree(out, regions, stars, lower, stress):
    name = (lambda n: n.lower()) if lower else (lambda n: n)
    tables = os.path.join(out, name("TABLES"))
    os.makedirs(tables, exist_ok=True)
    with open(os.path.join(tables, name("REGIONS.TBL")), "wb") as f:
        f.write(primary_header("Guide Star Catalog regions; the region files hold the stars"))
    for region in regions:
        directory = os.path.join(out, name("GSC"), name(zone_directory(region)))
        os.makedirs(directory, exist_ok=True)
        own = stars.get(region, [])
        if stress:
            own = stress_rows(region, own, stress)
        with open(os.path.join(directory, name("%04d.GSC" % region)), "wb") as f:
            f.write(region_file(region, own))


def main():
    args = sys.argv[1:]
    mode, lower, regions, stress, source = None, False, list(range(1, SMALL_REGIONS + 1)), 0, None
    try:
        while len(args) > 1:
            option = args.pop(0)
            if option in ("--test", "--full"):
                mode = option
                if option == "--full":
                    source = args.pop(0)
            elif option == "--lower-case":
                lower = True
            elif option == "--regions":
                regions = parse_regions(args.pop(0))
            elif option == "--stress":
                stress = int(args.pop(0))
            else:
                fail("unknown option %s" % option)
    except (IndexError, ValueError):
        mode = None
    if mode is None or len(args) != 1:
        fail("usage: %s (--test | --full TYCHO2_DIR) [--lower-case] [--regions LIST] [--stress ROWS] OUT" % TOOL)

    if mode == "--test":
        stars = sao_stars()
        stars.update(dense_stars())
    else:
        if not os.path.exists(os.path.join(source, "tyc2.dat.00")):
            fail("%s holds no unpacked Tycho-2; tools/gen_star_files.py says how to fetch it" % source)
        stars = tycho_stars(source)
    write_tree(args[0], regions, stars, lower, stress)


if __name__ == "__main__":
    main()
