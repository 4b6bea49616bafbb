#!/usr/bin/python3
"""Writes the comet and minor-planet element files from the JPL Small-Body
Database extracts that Debian's kstars-data ships:

  data/comet.elm              comets with a total magnitude M1
  data/mp.elm                 minor planets with a mean anomaly
  data/element_manifest.txt   counts and source checksums, checked by the tests

Usage: tools/gen_element_files.py KSTARS_DATA_DIR [output dir]

KSTARS_DATA_DIR is the unpacked kstars-data 5:3.6.2-2 package (`apt-get
download kstars-data`, `dpkg-deb -x`); only usr/share/kstars/comets.dat and
usr/share/kstars/asteroids.dat are read (JSON, ecliptic and equinox J2000).
The output depends only on those two files, so a rerun reproduces every file
byte for byte.

Every record is the long form: 203 characters and CR LF. The element files
hold nothing but records, so they carry no header; data/SOURCES.md stands
for one.
"""

import collections
import hashlib
import json
import math
import os
import re
import sys

TOOL = "tools/gen_element_files.py"
SOURCE = "kstars-data 5:3.6.2-2"
GAUSS_K = 0.01720209895
MJD_OFFSET = 2400000.5
GREGORIAN_START_JD = 2299160.5
LINE_LENGTH = 203
MINOR_PLANET_K = 5.0
EQUINOX = 2000.0

# Fields of a record: (first column, width). A field whose text is longer
# than its width is refused, never cut.
KIND = (0, 1)
NUMBER = (2, 6)
DESIGNATION = (9, 10)
NAME = (20, 30)
YEAR = (51, 4)
MONTH = (55, 2)
DAY = (57, 9)
ECCENTRICITY = (67, 10)
PERIHELION = (78, 11)
ARG_PERIHELION = (90, 10)
NODE = (101, 10)
INCLINATION = (112, 10)
EQUINOX_YEAR = (123, 6)
MAG_H = (130, 6)
MAG_K = (137, 5)
DUST_TAIL = (143, 4)
ION_TAIL = (148, 4)
SECOND_NAME = (188, 15)

# How closely a record read back must give its source values: a millionth
# of a day in T (the day's printed decimals), and the printed decimals of
# each element.
TOLERANCES = {"T": 1.5e-6, "e": 6e-9, "q": 6e-9, "w": 6e-7, "om": 6e-7, "i": 6e-7, "H": 6e-3}

# The tail lengths of a comet from its total magnitude M1 (H here): a tail
# as long as the comet is bright next to Halley (M1 5.5, some 0.1 AU of dust
# and 0.2 AU of ions in March 1986), clamped; the ion tail twice the dust
# tail. data/SOURCES.md gives the rule and its check against three comets.
TAIL_REFERENCE_H = 5.5
TAIL_REFERENCE_DUST = 0.1      # AU
DUST_TAIL_RANGE = (0.07, 1.0)  # AU
ION_TO_DUST = 2.0

COMET_NAME = re.compile(r"^\s*(?:(\d+[PDI])/(.*)|([PCDXAI]/-?\d+ [A-Z]+\d*(?:-[A-Z]+)?)(?: \((.*)\))?)$")
FRAGMENT = re.compile(r"^(.*)-([A-Z]{1,2})$")
MINOR_PLANET_NAME = re.compile(r"^\s*(\d+)?\s*([^()]*?)\s*(?:\((.+)\))?\s*$")


def fail(text):
    sys.exit("%s: %s" % (TOOL, text))


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


# ---------------------------------------------------------------- calendar

def calendar_from_jd(jd):
    # Meeus, Astronomical Algorithms, ch. 7: Julian calendar before 1582
    # October 15, Gregorian after, as the program reads dates.
    z = math.floor(jd + 0.5)
    f = jd + 0.5 - z
    a = z
    if z >= GREGORIAN_START_JD + 0.5:
        alpha = math.floor((z - 1867216.25) / 36524.25)
        a = z + 1 + alpha - math.floor(alpha / 4)
    b = a + 1524
    c = math.floor((b - 122.1) / 365.25)
    d = math.floor(365.25 * c)
    e = math.floor((b - d) / 30.6001)
    day = b - d - math.floor(30.6001 * e) + f
    month = e - 1 if e < 14 else e - 13
    year = c - 4716 if month > 2 else c - 4715
    return int(year), int(month), day


def jd_from_calendar(year, month, day):
    # The program's own conversion, restated to check what it will read.
    if month < 3:
        month += 12
        year -= 1
    jd = math.floor(365.25 * year) + math.floor(30.59 * (month - 2)) + day + 1721086.5
    if jd > GREGORIAN_START_JD:
        jd += 2 + math.floor(year / 400) - math.floor(year / 100)
    return jd


def date_fields(jd):
    # The day's fraction is rounded to its six printed decimals before the
    # date is taken, so that printing never carries a day past its month.
    midnight = math.floor(jd + 0.5) - 0.5
    year, month, day = calendar_from_jd(midnight + round((jd - midnight) * 1e6) / 1e6)
    return "%4d" % year, "%02d" % month, "%09.6f" % day


# ---------------------------------------------------------------- fields

def fit_number(value, width):
    # The most decimals that fit the width; refuses a value with no room for
    # at least four.
    for decimals in range(8, 3, -1):
        text = "%*.*f" % (width, decimals, value)
        if len(text) <= width:
            return text
    fail("value %r does not fit %d columns" % (value, width))


def put(line, field, text, align="left"):
    col, width = field
    if len(text) > width:
        fail("%r is longer than %d columns" % (text, width))
    text = text.rjust(width) if align == "right" else text.ljust(width)
    line[col:col + width] = list(text)


def tail_lengths(h):
    dust = TAIL_REFERENCE_DUST * 10.0 ** (0.4 * (TAIL_REFERENCE_H - h))
    dust = min(max(dust, DUST_TAIL_RANGE[0]), DUST_TAIL_RANGE[1])
    return dust, ION_TO_DUST * dust


def record(kind, number, designation, name, jd, e, q, w, om, i, h, k, second, tails=None):
    line = [" "] * LINE_LENGTH
    put(line, KIND, kind)
    put(line, NUMBER, number, "right")
    put(line, DESIGNATION, designation)
    put(line, NAME, name)
    year, month, day = date_fields(jd)
    put(line, YEAR, year)
    put(line, MONTH, month)
    put(line, DAY, day)
    put(line, ECCENTRICITY, "%10.8f" % e)
    put(line, PERIHELION, fit_number(q, 11))
    put(line, ARG_PERIHELION, "%10.6f" % w)
    put(line, NODE, "%10.6f" % om)
    put(line, INCLINATION, "%10.6f" % i)
    put(line, EQUINOX_YEAR, "%6.1f" % EQUINOX)
    put(line, MAG_H, "%6.2f" % h)
    if k is not None:
        put(line, MAG_K, "%5.1f" % k)
    if tails is not None:
        put(line, DUST_TAIL, "%4.2f" % tails[0])
        put(line, ION_TAIL, "%4.2f" % tails[1])
    put(line, SECOND_NAME, second)
    return "".join(line)


# ---------------------------------------------------------------- reading back

def field_text(line, field):
    col, width = field
    return line[col:col + width]


def key(line, field):
    return field_text(line, field).strip().upper()


def read_back(line):
    # What the program's element reader takes from the line.
    jd = jd_from_calendar(int(field_text(line, YEAR)), int(field_text(line, MONTH)),
                          float(field_text(line, DAY)))
    return {"T": jd, "e": float(field_text(line, ECCENTRICITY)),
            "q": float(field_text(line, PERIHELION)), "w": float(field_text(line, ARG_PERIHELION)),
            "om": float(field_text(line, NODE)), "i": float(field_text(line, INCLINATION)),
            "H": float(field_text(line, MAG_H))}


def check_line(line, source, label):
    if len(line) != LINE_LENGTH or line[0] not in "CM" or not line.isascii():
        fail("%s: malformed record %r" % (label, line))
    if not field_text(line, NAME).strip():
        fail("%s: empty name" % label)
    got = read_back(line)
    for name, tolerance in TOLERANCES.items():
        if abs(got[name] - source[name]) > tolerance:
            fail("%s: %s reads back as %r, source %r" % (label, name, got[name], source[name]))


def check_second_names(lines, what):
    # The comet dialogs key on the second name: it must find its own record
    # and no other, so it may equal no other record's designation, number or
    # name, and no two records may share one.
    owners = collections.defaultdict(set)
    for n, line in enumerate(lines):
        for field in (DESIGNATION, NUMBER, NAME, SECOND_NAME):
            k = key(line, field)
            if k:
                owners[k].add(n)
    for n, line in enumerate(lines):
        second = field_text(line, SECOND_NAME).strip()
        if not second or second != second.upper():
            fail("%s record %d: second name %r is empty or not upper case" % (what, n, second))
        if owners[second] != {n}:
            fail("%s record %d: second name %r is a key of records %s" % (what, n, second, sorted(owners[second])))


# ---------------------------------------------------------------- comets

def comet_numbers(rows):
    # Fragments carry the letters after their name's last hyphen into their
    # number ("73P-B"), so that no fragment takes the bare number's key.
    shared = collections.Counter()
    for full in rows:
        m = COMET_NAME.match(full)
        if m and m.group(1):
            shared[m.group(1)] += 1
    return shared


def comet_fields(full, shared):
    m = COMET_NAME.match(full)
    if not m:
        fail("comet name %r not understood" % full)
    if m.group(1):
        number, name = m.group(1), m.group(2)
        fragment = FRAGMENT.match(name)
        if shared[number] > 1 and fragment:
            number = "%s-%s" % (number, fragment.group(2))
        return number, "", name or number, number
    designation, name = m.group(3), m.group(4) or ""
    short = designation if len(designation) <= DESIGNATION[1] else ""
    return "", short, name or designation, designation


def comets(path):
    data = json.load(open(path))
    f = {name: n for n, name in enumerate(data["fields"])}
    rows = [r for r in data["data"] if r[f["M1"]] is not None]
    shared = comet_numbers(r[f["full_name"]] for r in rows)
    lines = []
    for r in rows:
        number, designation, name, second = comet_fields(r[f["full_name"]], shared)
        src = {"T": float(r[f["tp"]]), "e": float(r[f["e"]]), "q": float(r[f["q"]]),
               "w": float(r[f["w"]]), "om": float(r[f["om"]]), "i": float(r[f["i"]]),
               "H": float(r[f["M1"]])}
        line = record("C", number, designation, name, src["T"], src["e"], src["q"], src["w"],
                      src["om"], src["i"], src["H"], None, second, tail_lengths(src["H"]))
        check_line(line, src, r[f["full_name"]])
        lines.append(line)
    return lines, len(data["data"]) - len(rows)


# ---------------------------------------------------------------- minor planets

def perihelion_time(epoch_jd, a, mean_anomaly):
    # The last perihelion passage or the next, whichever is nearer the epoch:
    # the mean anomaly taken in (-180, 180].
    m = math.fmod(mean_anomaly, 360.0)
    if m > 180.0:
        m -= 360.0
    elif m <= -180.0:
        m += 360.0
    motion = math.degrees(GAUSS_K) / (a * math.sqrt(a))
    return epoch_jd - m / motion


def minor_planets(path):
    data = json.load(open(path))
    f = {name: n for n, name in enumerate(data["fields"])}
    lines, without_anomaly = [], 0
    for r in data["data"]:
        full = r[f["full_name"]]
        if r[f["ma"]] is None:
            without_anomaly += 1
            continue
        m = MINOR_PLANET_NAME.match(full)
        if not m or not (m.group(1) or m.group(3)):
            fail("minor-planet name %r not understood" % full)
        number, name, designation = m.group(1) or "", m.group(2), m.group(3) or ""
        # Unnamed: the designation as the source writes it, "5480 (1989 YK8)".
        name = name or full.strip()
        a, e = float(r[f["a"]]), float(r[f["e"]])
        src = {"T": perihelion_time(float(r[f["epoch_mjd"]]) + MJD_OFFSET, a, float(r[f["ma"]])),
               "e": e, "q": float(r[f["q"]]), "w": float(r[f["w"]]), "om": float(r[f["om"]]),
               "i": float(r[f["i"]]), "H": float(r[f["H"]])}
        short = designation if len(designation) <= DESIGNATION[1] else ""
        second = number or designation
        line = record("M", number, short, name, src["T"], src["e"], src["q"], src["w"],
                      src["om"], src["i"], src["H"], MINOR_PLANET_K, second.upper())
        check_line(line, src, full)
        lines.append(line)
    return lines, without_anomaly


# ---------------------------------------------------------------- output

def write(path, text):
    with open(path, "wb") as f:
        f.write(text.encode("ascii"))


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    kstars = os.path.join(sys.argv[1], "usr/share/kstars")
    out = sys.argv[2] if len(sys.argv) == 3 else os.path.join(os.path.dirname(__file__), "..", "data")
    comet_path = os.path.join(kstars, "comets.dat")
    mp_path = os.path.join(kstars, "asteroids.dat")

    comet_lines, without_m1 = comets(comet_path)
    mp_lines, without_anomaly = minor_planets(mp_path)
    check_second_names(comet_lines, "comet")
    check_second_names(mp_lines, "minor-planet")

    write(os.path.join(out, "comet.elm"), "".join(l + "\r\n" for l in comet_lines))
    write(os.path.join(out, "mp.elm"), "".join(l + "\r\n" for l in mp_lines))
    manifest = [
        "# Generated by %s from %s (comets.dat, asteroids.dat); do not edit." % (TOOL, SOURCE),
        "# The counts of the element files; the tests check the files against them.",
        "comets %d" % len(comet_lines),
        "comets_without_m1_left_out %d" % without_m1,
        "minor_planets %d" % len(mp_lines),
        "minor_planets_without_mean_anomaly_left_out %d" % without_anomaly,
        "record_bytes %d" % (LINE_LENGTH + 2),
        "sha256_comets.dat %s" % sha256(comet_path),
        "sha256_asteroids.dat %s" % sha256(mp_path),
    ]
    write(os.path.join(out, "element_manifest.txt"), "\n".join(manifest) + "\n")
    print("%s: %d comets (%d without M1 left out), %d minor planets (%d without mean anomaly left out)"
          % (TOOL, len(comet_lines), without_m1, len(mp_lines), without_anomaly))


if __name__ == "__main__":
    main()
