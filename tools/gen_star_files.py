#!/usr/bin/python3
"""Writes the star files from the Tycho-2 catalogue:

  data/uvola.sao                        the zoned star file of the SAO layer
  data/uvola.gsc                        corners of the 9537 Guide Star
                                        Catalog small regions
  data/catalog_gsc_table.cpp            the catalogue's zones and large regions
  tests/data/tycho2-dense-regions.txt.gz  every Tycho-2 star of the regions
                                        around Carina and the Pleiades
  data/star_files.sha256                checksums of the four, checked by a test

Usage: tools/gen_star_files.py TYCHO2_DIR [repository root]

TYCHO2_DIR holds the unpacked tycho2_2.orig.tar.xz of Debian's source
package tycho2 2-4 (ReadMe, index.dat, suppl_1.dat, tyc2.dat.00 .. 19).
Fetch it with apt's client and a private sources list holding only a
deb-src line for the system's own Debian mirror, so that the system's lists
stay as they are; in a directory outside the source tree (about 750 MB
unpacked):

  mkdir -p lists/partial
  uri=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources | head -n 1)
  echo "deb-src $uri bookworm main" > sources.list
  apt-get -o Dir::Etc::SourceList=$PWD/sources.list -o Dir::Etc::SourceParts=/dev/null \\
          -o Dir::State::Lists=$PWD/lists update
  apt-get (the same three options) source --download-only tycho2=2-4
  tar xJf tycho2_2.orig.tar.xz

When the archive lies in TYCHO2_DIR, its checksum is checked.

Needs numpy (Debian's python3-numpy), only to regenerate: nothing at build
or test time runs this tool. The output depends only on the catalogue, so a
rerun reproduces every file byte for byte.
"""

import gzip
import hashlib
import math
import os
import struct
import sys

try:
    import numpy as np
except ImportError:
    sys.exit("tools/gen_star_files.py: needs numpy (apt-get install python3-numpy) to regenerate the star files")

TOOL = "tools/gen_star_files.py"
SOURCE = "Tycho-2 (Debian tycho2 2-4)"
ORIG_SHA256 = "b0d74bd4280e53f7cfc4b37ccb30a1cfbbc30131907dda81c706bbbab5632dfa"
Q14 = 16384

# ---------------------------------------------------------------- SAO zones

SAO_MAGIC = b"UVOLA  30 SAO 10"
SAO_OFFSETS = [
    16, 81976, 153784, 204064, 250072, 286516, 322084, 366388, 432328, 513688, 567028, 618424, 675700,
    743464, 789040, 823336, 859108, 897568, 949804, 1037440, 1122664, 1180972, 1225888, 1271596, 1322812,
    1412992, 1506436, 1557988, 1600720, 1644028, 1691104, 1759444, 1844464, 1900792, 1943332, 1988500,
    2049268, 2145844, 2238664, 2304400, 2365156, 2431108, 2505568, 2584096, 2642896, 2689876, 2717416,
    2749948, 2803912, 2869204, 2929144, 2996884, 3037960, 3070252, 3089740]
SAO_RECORD = 12


def sao_zones():
    # (RA, Dec, radius) of the 54 zones, in file order.
    zones = [(0.0, 90.0, 16.0)]
    zones += [(22.5 + 45 * k, 58.0, 22.0) for k in range(8)]
    zones += [(15.0 + 30 * k, 28.0, 22.0) for k in range(12)]
    zones += [(30.0 * k, 0.0, 24.0) for k in range(12)]
    zones += [(15.0 + 30 * k, -28.0, 22.0) for k in range(12)]
    zones += [(22.5 + 45 * k, -58.0, 22.0) for k in range(8)]
    zones += [(0.0, -90.0, 16.0)]
    return zones


# Upper B-V bound of colour classes 0..8, as for the built-in stars; class 9
# is everything redder, and a star without B-V gets class 3.
COLOUR_EDGES = [-0.25, 0.0, 0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 1.75]
COLOUR_WITHOUT_BV = 3

# ---------------------------------------------------------------- GSC zones

GSC_LARGE = [48, 47, 45, 43, 40, 36, 32, 27, 21, 15, 9, 3]
GSC_NORTH_STARTS = [1, 594, 1178, 1729, 2259, 2781, 3246, 3652, 4014, 4294, 4492, 4615]
GSC_SOUTH_STARTS = [4663, 5260, 5838, 6412, 6989, 7523, 8022, 8464, 8840, 9134, 9346, 9490]
GSC_SMALL_TOTAL = 9537
GSC_INDEX_RECORD = 56
# index.dat rounds its ranges outward to 0.01 degree, and a star may sit just
# over its region's edge (see STAR_SLACK).
INDEX_SLACK = 0.03
# A star's J2000 place may sit just over its region's edge: Tycho-2 kept
# the region of the star's GSC entry, whose place is of an older epoch.
STAR_SLACK = 0.02

DENSE_FIELDS = [("Carina", 165.0, -61.0), ("Pleiades", 56.75, 24.1167)]
DENSE_RADIUS = 3.0


def fail(text):
    sys.exit("%s: %s" % (TOOL, text))


def unit_vectors(ra, dec):
    a, d = np.radians(ra), np.radians(dec)
    return np.stack([np.cos(d) * np.cos(a), np.cos(d) * np.sin(a), np.sin(d)], axis=1)


def q14(v):
    # Truncation toward zero, as the program turns doubles into Q14.
    return np.trunc(v * Q14).astype(np.int64)


# ---------------------------------------------------------------- reading

def fixed_columns(raw, width):
    rows = np.frombuffer(raw, dtype=np.uint8)
    if rows.size % width:
        fail("a record file is not a whole number of %d-byte records" % width)
    return rows.reshape(-1, width)


def column(rows, first, last):
    # Bytes first..last (1-based, as the ReadMe counts) as strings.
    return np.ascontiguousarray(rows[:, first - 1:last]).view("S%d" % (last - first + 1)).ravel()


def numbers(rows, first, last):
    # A blank field gives NaN.
    text = column(rows, first, last)
    blank = np.char.strip(text) == b""
    return np.where(blank, b"nan", text).astype(float)


def read_catalogue(directory):
    # Main catalogue and supplement 1 as arrays of region, TYC2, TYC3, RA,
    # Dec (J2000), BT, VT.
    main = fixed_columns(b"".join(open(os.path.join(directory, "tyc2.dat.%02d" % i), "rb").read()
                                  for i in range(20)), 207)
    ra, dec = numbers(main, 16, 27), numbers(main, 29, 40)
    # Stars without a mean position have only their observed one (about
    # 1991.5); its proper motion is unknown, so it stands as it is.
    no_mean = np.isnan(ra)
    ra[no_mean], dec[no_mean] = numbers(main, 153, 164)[no_mean], numbers(main, 166, 177)[no_mean]
    stars = [numbers(main, 1, 4).astype(int), numbers(main, 6, 10).astype(int), numbers(main, 12, 12).astype(int),
             ra, dec, numbers(main, 111, 116), numbers(main, 124, 129)]

    supplement = fixed_columns(open(os.path.join(directory, "suppl_1.dat"), "rb").read(), 123)
    sra, sdec = numbers(supplement, 16, 27), numbers(supplement, 29, 40)
    # Supplement places are of epoch 1991.25: move the Hipparcos stars on to
    # 2000.0 by their proper motion (mas/yr; RA's is along the great circle).
    years = 2000.0 - 1991.25
    pm_ra, pm_dec = np.nan_to_num(numbers(supplement, 42, 48)), np.nan_to_num(numbers(supplement, 50, 56))
    sdec_new = sdec + pm_dec * years / 3.6e6
    sra = (sra + pm_ra * years / 3.6e6 / np.cos(np.radians(sdec))) % 360.0
    bt, vt = numbers(supplement, 84, 89), numbers(supplement, 97, 102)
    extra = [numbers(supplement, 1, 4).astype(int), numbers(supplement, 6, 10).astype(int),
             numbers(supplement, 12, 12).astype(int), sra, sdec_new, bt, vt]
    return [np.concatenate([a, b]) for a, b in zip(stars, extra)]


def johnson(bt, vt):
    # Johnson V and B-V from the Tycho magnitudes (ESA 1997, vol. 1, 1.3);
    # with one magnitude only, that one is V and B-V is unknown (NaN).
    both = ~np.isnan(bt) & ~np.isnan(vt)
    v = np.where(both, vt - 0.090 * (bt - vt), np.where(np.isnan(vt), bt, vt))
    bv = np.where(both, 0.850 * (bt - vt), np.nan)
    return v, bv


def tenths(mag):
    # Nearest tenth, halves upward, in decimal so that 6.45 gives 65.
    return np.floor(np.round(mag * 100) / 10 + 0.5).astype(int)


def colour_classes(bv):
    classes = np.searchsorted(COLOUR_EDGES, bv, side="right")
    return np.where(np.isnan(bv), COLOUR_WITHOUT_BV, classes)


# ---------------------------------------------------------------- SAO file

def sao_file(region, tyc2, vectors, v, bv):
    zones = sao_zones()
    best = np.full(len(v), -1)
    best_dot = np.full(len(v), -2.0)
    for z, (ra, dec, radius) in enumerate(zones):
        dot = vectors @ unit_vectors(np.array([ra]), np.array([dec]))[0]
        nearer = (dot >= math.cos(math.radians(radius))) & (dot > best_dot)
        best[nearer], best_dot[nearer] = z, dot[nearer]
    if (best < 0).any():
        fail("%d stars lie in no zone" % (best < 0).sum())

    number = region * 100000 + tyc2
    mag10 = tenths(v)
    colour = colour_classes(bv)
    xyz = q14(vectors)
    out = [SAO_MAGIC]
    reach = []
    for z in range(len(zones)):
        count = (SAO_OFFSETS[z + 1] - SAO_OFFSETS[z]) // SAO_RECORD
        members = np.nonzero(best == z)[0]
        kept = members[np.lexsort((number[members], v[members]))][:count]
        if len(kept) != count:
            fail("zone %d holds only %d stars" % (z, len(kept)))
        record = np.zeros(count, dtype=[("xyz", "<i2", 3), ("colour", "u1"), ("mag", "u1"), ("number", "<u4")])
        record["xyz"], record["colour"] = xyz[kept], colour[kept] << 4
        record["mag"], record["number"] = mag10[kept] + 20, number[kept]
        out.append(record.tobytes())
        reach.append((v[kept[0]], v[kept[-1]]))
    data = b"".join(out)
    if len(data) != SAO_OFFSETS[-1]:
        fail("uvola.sao came out %d bytes" % len(data))
    return data, reach


# ---------------------------------------------------------------- GSC regions

def read_index(directory):
    # Per region (1-based, entry 0 unused): RA and Dec ranges of its stars.
    lines = open(os.path.join(directory, "index.dat"), "rb").read().split(b"\n")
    ranges = [None]
    for line in lines[:GSC_SMALL_TOTAL]:
        fields = line.split(b"|")
        ranges.append(tuple(float(f) for f in fields[2:6]))
    return ranges


def box(zone, large_count, k, n, j):
    # RA and Dec range of small region j of large region k: the n x n split,
    # RA first, rows from the equator outward.
    width = 360.0 / large_count
    base = 7.5 * (zone % 12)
    ra0 = width * k + width * (j % n) / n
    near, far = base + 7.5 * (j // n) / n, base + 7.5 * (j // n + 1) / n
    dec = (near, far) if zone < 12 else (-far, -near)
    return (ra0, ra0 + width / n) + dec


def fits(ranges, b):
    ra_min, ra_max, dec_min, dec_max = ranges
    return (ra_min >= b[0] - INDEX_SLACK and ra_max <= b[1] + INDEX_SLACK and
            dec_min >= b[2] - INDEX_SLACK and dec_max <= b[3] + INDEX_SLACK)


def split_zone(zone, ranges, first, end):
    # The n of each large region of a zone: the split whose boxes hold the
    # star ranges of all its small regions and that ends the zone exactly.
    large_count = GSC_LARGE[zone % 12]

    def search(k, small):
        if k == large_count:
            return [] if small == end else None
        for n in (4, 3, 2):
            if small + n * n <= end and all(fits(ranges[small + j], box(zone, large_count, k, n, j))
                                            for j in range(n * n)):
                rest = search(k + 1, small + n * n)
                if rest is not None:
                    return [n] + rest
        return None

    sizes = search(0, first)
    if sizes is None:
        fail("no split of zone %d fits the index" % zone)
    return sizes


def gsc_regions(ranges):
    # Zones (Dec, large count, first large, directory), large regions
    # (first small, n) and the box of every small region (1-based).
    starts = GSC_NORTH_STARTS + GSC_SOUTH_STARTS + [GSC_SMALL_TOTAL + 1]
    zones, large, boxes, first_large = [], [], [None], 1
    for z in range(24):
        count = GSC_LARGE[z % 12]
        dec = 3.75 + 7.5 * (z % 12)
        band = "%s%02d%02d" % ("N" if z < 12 else "S", int(7.5 * (z % 12)), 30 if z % 2 else 0)
        zones.append((dec if z < 12 else -dec, count, first_large, band))
        small = starts[z]
        for k, n in enumerate(split_zone(z, ranges, starts[z], starts[z + 1])):
            large.append((small, n))
            boxes += [box(z, count, k, n, j) for j in range(n * n)]
            small += n * n
        first_large += count
    return zones, large, boxes


def check_stars(region, ra, dec, boxes):
    b = np.array(boxes[1:])[region - 1]
    # A star just west of RA 0 belongs to a region east of it.
    ra = np.where(ra - b[:, 0] > 180.0, ra - 360.0, ra)
    slack_ra = STAR_SLACK / np.maximum(np.cos(np.radians(dec)), 0.01)
    outside = ((ra < b[:, 0] - slack_ra) | (ra > b[:, 1] + slack_ra) |
               (dec < b[:, 2] - STAR_SLACK) | (dec > b[:, 3] + STAR_SLACK))
    if outside.any():
        fail("%d stars lie outside their region's box, the first in region %d" %
             (outside.sum(), region[outside][0]))


def corners(b):
    # Corners 0 and 2 diagonally opposite.
    return [(b[0], b[2]), (b[1], b[2]), (b[1], b[3]), (b[0], b[3])]


def gsc_index(boxes):
    out = []
    for b in boxes[1:]:
        points = corners(b)
        xyz = q14(unit_vectors(np.array([p[0] for p in points]), np.array([p[1] for p in points])))
        out.append(struct.pack("<12i", *xyz.ravel().tolist()) + bytes(GSC_INDEX_RECORD - 48))
    return b"".join(out)


def gsc_table(zones, large):
    lines = ["// Generated by %s from %s index.dat; do not edit." % (TOOL, SOURCE),
             "// The Guide Star Catalog's 24 declination zones and 732 large regions; a",
             "// large region holds n x n small regions, n from the star ranges of the",
             "// catalogue's small regions.",
             '#include "data/catalog_tables.h"', "",
             "const std::array<GscZone, kGscZoneCount> GscZoneTable = {{"]
    lines += ['    {%.2f, %d, %d, "%s"},' % z for z in zones]
    lines += ["}};", "",
              "const std::array<GscLargeRegion, kGscLargeRegionCount> GscLargeRegionTable = {{"]
    lines += ["    {%d, %d}," % r for r in large]
    lines += ["}};", ""]
    return "\n".join(lines).encode("ascii")


# ---------------------------------------------------------------- dense regions

def near_field(b, ra, dec):
    # Whether any part of the box lies within DENSE_RADIUS of the point:
    # its outline and inside sampled every 0.02 degree.
    ras = np.linspace(b[0], b[1], max(2, int((b[1] - b[0]) / 0.02) + 1))
    decs = np.linspace(b[2], b[3], max(2, int((b[3] - b[2]) / 0.02) + 1))
    grid_ra, grid_dec = np.meshgrid(ras, decs)
    points = unit_vectors(grid_ra.ravel(), grid_dec.ravel())
    centre = unit_vectors(np.array([ra]), np.array([dec]))[0]
    return (points @ centre).max() >= math.cos(math.radians(DENSE_RADIUS))


def dense_regions(boxes):
    return sorted(s for s in range(1, GSC_SMALL_TOTAL + 1)
                  if any(near_field(boxes[s], ra, dec) for _, ra, dec in DENSE_FIELDS))


def dense_text(regions, stars, v):
    region, tyc2, tyc3, ra, dec = stars[:5]
    chosen = np.isin(region, regions)
    order = np.nonzero(chosen)[0]
    order = order[np.lexsort((tyc3[order], tyc2[order], region[order]))]
    lines = ["# Generated by %s from %s; do not edit." % (TOOL, SOURCE),
             "# Every Tycho-2 star (main catalogue and supplement 1) of the Guide Star Catalog",
             "# regions within %.0f degrees of %s." % (DENSE_RADIUS, " and ".join(
                 "%s (%.2f, %.2f)" % f for f in DENSE_FIELDS)),
             "# region TYC2 TYC3 RA Dec (J2000, degrees) V"]
    lines += ["%d %d %d %.5f %.5f %.2f" % (region[i], tyc2[i], tyc3[i], ra[i], dec[i], v[i]) for i in order]
    text = ("\n".join(lines) + "\n").encode("ascii")
    # No name and no time in the gzip header, so that a rerun is byte-equal.
    return gzip.compress(text, compresslevel=9, mtime=0)


# ---------------------------------------------------------------- output

def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    if len(sys.argv) not in (2, 3):
        fail("usage: %s TYCHO2_DIR [repository root]" % TOOL)
    source = sys.argv[1]
    root = sys.argv[2] if len(sys.argv) == 3 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    if not os.path.exists(os.path.join(source, "index.dat")):
        fail("%s holds no unpacked Tycho-2; see the usage at the top of this tool" % source)

    archive = os.path.join(source, "tycho2_2.orig.tar.xz")
    if os.path.exists(archive) and hashlib.sha256(open(archive, "rb").read()).hexdigest() != ORIG_SHA256:
        fail("%s is not the archive of tycho2 2-4" % archive)
    stars = read_catalogue(source)
    region, tyc2, _, ra, dec, bt, vt = stars
    v, bv = johnson(bt, vt)
    known = ~np.isnan(v)
    stars = [a[known] for a in stars]
    region, tyc2, _, ra, dec = stars[:5]
    v, bv = v[known], bv[known]
    vectors = unit_vectors(ra, dec)

    ranges = read_index(source)
    zones, large, boxes = gsc_regions(ranges)
    check_stars(region, ra, dec, boxes)
    sao, reach = sao_file(region, tyc2, vectors, v, bv)
    dense = dense_regions(boxes)

    outputs = {
        "data/uvola.sao": sao,
        "data/uvola.gsc": gsc_index(boxes),
        "data/catalog_gsc_table.cpp": gsc_table(zones, large),
        "tests/data/tycho2-dense-regions.txt.gz": dense_text(dense, stars, v),
    }
    for name, data in outputs.items():
        write(os.path.join(root, name), data)
    sums = ["%s  %s" % (hashlib.sha256(data).hexdigest(), os.path.relpath(name, "data"))
            for name, data in outputs.items()]
    write(os.path.join(root, "data/star_files.sha256"), ("\n".join(sums) + "\n").encode("ascii"))

    print("stars with a magnitude: %d" % len(v))
    print("large regions split 4, 3, 2: %s" % ", ".join(str(sum(1 for _, n in large if n == m)) for m in (4, 3, 2)))
    print("dense regions: %s" % " ".join(map(str, dense)))
    for z, (bright, faint) in enumerate(reach):
        print("SAO zone %2d: V %5.2f .. %5.2f" % (z, bright, faint))
    print("\n".join(sums))


if __name__ == "__main__":
    main()
