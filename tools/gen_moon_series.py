#!/usr/bin/python3
"""Writes astro/moon_series_tables.cpp: the periodic terms of the Moon's
short series (longitude, latitude and horizontal parallax, 1950-2060).

The series has the form  amplitude x sin(phase + rate x t)  with t in Julian
years from 1975 January 0.0 (dynamical time, JDE 2442412.5), amplitudes and
phases in degrees and rates in degrees per Julian year. Its main terms (the
mean longitude, 6.2887 sin of the anomaly, 5.1282 sin of the argument of
latitude) are written in the program itself, and so are the first four and
the last row of the longitude and latitude tables and the whole parallax
table; those rows are copied here unchanged.

The other rows restate the periodic terms of the lunar theory in the form
Meeus gives them (Astronomical Algorithms, 2nd ed., chapter 47, tables 47.A
and 47.B and the additive terms A1, A2, A3, L'; the same data as
src/moonposition.js of the MIT-licensed npm package astronomia 4.2.0). Each
term's argument, a polynomial in centuries from J2000, is replaced by the
straight line that fits it best over 1950-2060; its amplitude is taken at
1975.0 (with the eccentricity factor E of the terms in M). The largest terms
not already in the program's rows fill the tables.

Run from anywhere: tools/gen_moon_series.py [output directory, default astro/].
The output depends only on the data below, so a rerun reproduces the file
byte for byte. The residual of the finished series against Meeus's full
series over the window is printed and written into the file's comment.
"""

import math
import os
import sys

TOOL = "tools/gen_moon_series.py"
SOURCE = ("the periodic terms of Meeus, Astronomical Algorithms ch. 47 "
          "(astronomia 4.2.0, src/moonposition.js)")

EPOCH_JDE = 2442412.5            # 1975 January 0.0, t = 0
J2000 = 2451545.0
WINDOW_YEARS = ((2433282.5 - EPOCH_JDE) / 365.25, (2473459.5 - EPOCH_JDE) / 365.25)
LONGITUDE_ROWS = 44
LATITUDE_ROWS = 29

# Fundamental arguments, degrees, polynomials in Julian centuries from J2000.
ARG_D = (297.8501921, 445267.1114034, -0.0018819, 1 / 545868, -1 / 113065000)
ARG_M = (357.5291092, 35999.0502909, -0.0001536, 1 / 24490000)
ARG_MP = (134.9633964, 477198.8675055, 0.0087414, 1 / 69699, -1 / 14712000)
ARG_F = (93.272095, 483202.0175233, -0.0036539, -1 / 3526000, 1 / 863310000)
ARG_L = (218.3164477, 481267.88123421, -0.0015786, 1 / 538841, -1 / 65194000)
ARG_A1 = (119.75, 131.849)
ARG_A2 = (53.09, 479264.29)
ARG_A3 = (313.45, 481266.484)
ECCENTRICITY_FACTOR = (1.0, -0.002516, -0.0000074)

# Table 47.A: multipliers of D, M, M', F and the longitude coefficient in
# units of 1e-6 degree (the distance column is not used: the program takes
# the distance from its parallax series).
LONGITUDE_TERMS = (
    (0, 0, 1, 0, 6288774), (2, 0, -1, 0, 1274027), (2, 0, 0, 0, 658314),
    (0, 0, 2, 0, 213618), (0, 1, 0, 0, -185116), (0, 0, 0, 2, -114332),
    (2, 0, -2, 0, 58793), (2, -1, -1, 0, 57066), (2, 0, 1, 0, 53322),
    (2, -1, 0, 0, 45758), (0, 1, -1, 0, -40923), (1, 0, 0, 0, -34720),
    (0, 1, 1, 0, -30383), (2, 0, 0, -2, 15327), (0, 0, 1, 2, -12528),
    (0, 0, 1, -2, 10980), (4, 0, -1, 0, 10675), (0, 0, 3, 0, 10034),
    (4, 0, -2, 0, 8548), (2, 1, -1, 0, -7888), (2, 1, 0, 0, -6766),
    (1, 0, -1, 0, -5163), (1, 1, 0, 0, 4987), (2, -1, 1, 0, 4036),
    (2, 0, 2, 0, 3994), (4, 0, 0, 0, 3861), (2, 0, -3, 0, 3665),
    (0, 1, -2, 0, -2689), (2, 0, -1, 2, -2602), (2, -1, -2, 0, 2390),
    (1, 0, 1, 0, -2348), (2, -2, 0, 0, 2236), (0, 1, 2, 0, -2120),
    (0, 2, 0, 0, -2069), (2, -2, -1, 0, 2048), (2, 0, 1, -2, -1773),
    (2, 0, 0, 2, -1595), (4, -1, -1, 0, 1215), (0, 0, 2, 2, -1110),
    (3, 0, -1, 0, -892), (2, 1, 1, 0, -810), (4, -1, -2, 0, 759),
    (0, 2, -1, 0, -713), (2, 2, -1, 0, -700), (2, 1, -2, 0, 691),
    (2, -1, 0, -2, 596), (4, 0, 1, 0, 549), (0, 0, 4, 0, 537),
    (4, -1, 0, 0, 520), (1, 0, -2, 0, -487), (2, 1, 0, -2, -399),
    (0, 0, 2, -2, -381), (1, 1, 1, 0, 351), (3, 0, -2, 0, -340),
    (4, 0, -3, 0, 330), (2, -1, 2, 0, 327), (0, 2, 1, 0, -323),
    (1, 1, -1, 0, 299), (2, 0, 3, 0, 294), (2, 0, -1, -2, 0),
)

# Table 47.B: multipliers of D, M, M', F and the latitude coefficient in
# units of 1e-6 degree.
LATITUDE_TERMS = (
    (0, 0, 0, 1, 5128122), (0, 0, 1, 1, 280602), (0, 0, 1, -1, 277693),
    (2, 0, 0, -1, 173237), (2, 0, -1, 1, 55413), (2, 0, -1, -1, 46271),
    (2, 0, 0, 1, 32573), (0, 0, 2, 1, 17198), (2, 0, 1, -1, 9266),
    (0, 0, 2, -1, 8822), (2, -1, 0, -1, 8216), (2, 0, -2, -1, 4324),
    (2, 0, 1, 1, 4200), (2, 1, 0, -1, -3359), (2, -1, -1, 1, 2463),
    (2, -1, 0, 1, 2211), (2, -1, -1, -1, 2065), (0, 1, -1, -1, -1870),
    (4, 0, -1, -1, 1828), (0, 1, 0, 1, -1794), (0, 0, 0, 3, -1749),
    (0, 1, -1, 1, -1565), (1, 0, 0, 1, -1491), (0, 1, 1, 1, -1475),
    (0, 1, 1, -1, -1410), (0, 1, 0, -1, -1344), (1, 0, 0, -1, -1335),
    (0, 0, 3, 1, 1107), (4, 0, 0, -1, 1021), (4, 0, -1, 1, 833),
    (0, 0, 1, -3, 777), (4, 0, -2, 1, 671), (2, 0, 0, -3, 607),
    (2, 0, 2, -1, 596), (2, -1, 1, -1, 491), (2, 0, -2, 1, -451),
    (0, 0, 3, -1, 439), (2, 0, 2, 1, 422), (2, 0, -3, -1, 421),
    (2, 1, -1, 1, -366), (2, 1, 0, 1, -351), (4, 0, 0, 1, 331),
    (2, -1, 1, 1, 315), (2, -2, 0, -1, 302), (0, 0, 1, 3, -283),
    (2, 1, 1, -1, -229), (1, 1, 0, -1, 223), (1, 1, 0, 1, 223),
    (0, 1, -2, -1, -220), (2, 1, -1, -1, -220), (1, 0, 1, 1, -185),
    (2, -1, -2, -1, 181), (0, 1, 2, 1, -177), (4, 0, -2, -1, 176),
    (4, -1, -1, -1, 166), (1, 0, 1, -1, -164), (4, 0, 1, -1, 132),
    (1, 0, -1, -1, -119), (4, -1, 0, -1, 115), (2, -2, 0, 1, 107),
)

# The additive terms: Venus (A1), Jupiter (A2), the Earth's flattening (L')
# and their combinations; name, coefficient in 1e-6 degree, and the
# argument as {name: multiplier} of the polynomials below.
NAMED_ARGUMENTS = {"A1": ARG_A1, "A2": ARG_A2, "A3": ARG_A3, "L'": ARG_L,
                   "D": ARG_D, "M": ARG_M, "M'": ARG_MP, "F": ARG_F}
LONGITUDE_EXTRA = (
    ("A1", 3958, {"A1": 1}), ("L' - F", 1962, {"L'": 1, "F": -1}),
    ("A2", 318, {"A2": 1}),
)
# The flattening term -2235 sin L' is left out: the program's series already
# carries it as the 0.0267-degree perturbation of the argument of latitude
# (5.1282 x 0.0267 x pi/180 = 0.0024 degree); counting it twice makes the
# largest residual worse (0.0087 degree instead of 0.0069).
LATITUDE_EXTRA = (
    ("A3", 382, {"A3": 1}), ("A1 - F", 175, {"A1": 1, "F": -1}),
    ("A1 + F", 175, {"A1": 1, "F": 1}), ("L' - M'", 127, {"L'": 1, "M'": -1}),
    ("L' + M'", -115, {"L'": 1, "M'": 1}),
)

# Rows of the program's own series, kept as written there: (position,
# amplitude, phase, rate) as text, position counted from 0 or -1 for last.
FIXED_LONGITUDE_ROWS = (
    (0, "1.274", "107.248", "-4133.3536"), (1, "0.6583", "51.668", "8905.3422"),
    (2, "0.2136", "317.831", "9543.9773"), (3, "0.1856", "176.531", "359.9905"),
    (-1, "0.0008", "31.0", "-7906.7"),
)
FIXED_LATITUDE_ROWS = (
    (0, "0.2806", "215.147", "9604.0088"), (1, "0.2777", "77.316", "60.0316"),
    (2, "0.1732", "4.563", "-4073.322"), (3, "0.0554", "308.98", "8965.374"),
    (-1, "0.0011", "173.0", "19147.99"),
)
PARALLAX_ROWS = (
    ("0.0518", "338.92", "4771.989"), ("0.0095", "287.2", "-4133.35"),
    ("0.0078", "51.7", "8905.34"), ("0.0028", "317.8", "9543.98"),
    ("0.0009", "31.0", "13677.3"), ("0.0005", "305.0", "-8545.4"),
    ("0.0004", "284.0", "-3773.4"), ("0.0003", "342.0", "4412.0"),
)


def poly(coefficients, centuries):
    return sum(c * centuries ** i for i, c in enumerate(coefficients))


def combine(multipliers):
    """Polynomial of a sum of named arguments with integer multipliers."""
    result = [0.0] * 5
    for name, factor in multipliers.items():
        for i, c in enumerate(NAMED_ARGUMENTS[name]):
            result[i] += factor * c
    return tuple(result)


def centuries_of(t):
    return (EPOCH_JDE - J2000) / 36525 + t / 100


def describe(multipliers):
    parts = []
    for name in ("D", "M", "M'", "F"):
        factor = multipliers.get(name, 0)
        if factor == 0:
            continue
        sign = "-" if factor < 0 else "+"
        size = "" if abs(factor) == 1 else str(abs(factor))
        parts.append((sign, size + name))
    text = ("-" if parts[0][0] == "-" else "") + parts[0][1]
    for sign, term in parts[1:]:
        text += " %s %s" % (sign, term)
    return text


def table_term(row):
    """A row of table 47.A/B as (name, coefficient in degrees, polynomial)."""
    d, m, mp, f, coefficient = row
    multipliers = {"D": d, "M": m, "M'": mp, "F": f}
    factor = poly(ECCENTRICITY_FACTOR, centuries_of(0.0)) ** abs(m)
    return (describe(multipliers), coefficient * 1e-6 * factor, combine(multipliers))


def extra_term(extra):
    name, coefficient, multipliers = extra
    return (name, coefficient * 1e-6, combine(multipliers))


def fit_line(argument):
    """Phase at t = 0 and rate per year of the line fitting the argument
    polynomial best (least squares) over the window."""
    count = 2201
    first, last = WINDOW_YEARS
    ts = [first + (last - first) * k / (count - 1) for k in range(count)]
    ys = [poly(argument, centuries_of(t)) for t in ts]
    mean_t = sum(ts) / count
    mean_y = sum(ys) / count
    rate = (sum((t - mean_t) * (y - mean_y) for t, y in zip(ts, ys))
            / sum((t - mean_t) ** 2 for t in ts))
    return (mean_y - rate * mean_t) % 360.0, rate


def series_row(term):
    """(amplitude, phase, rate, name) with a positive amplitude."""
    name, coefficient, argument = term
    phase, rate = fit_line(argument)
    if coefficient < 0:
        phase = (phase + 180.0) % 360.0
    return abs(coefficient), phase, rate, name


def same_frequency(rate, fixed_rate):
    return abs(abs(rate) - abs(fixed_rate)) < 0.05


def choose_rows(terms, main_name, fixed_rows, row_count):
    """The fixed rows in their places, the largest other terms between."""
    fixed_rates = [float(rate) for _, _, _, rate in fixed_rows]
    rows = [series_row(term) for term in terms if term[0] != main_name]
    free = [row for row in rows if not any(same_frequency(row[2], r) for r in fixed_rates)]
    if len(rows) - len(free) != len(fixed_rows):
        sys.exit("%s: the fixed rows do not match the theory's terms" % TOOL)
    free.sort(key=lambda row: -row[0])
    chosen = free[:row_count - len(fixed_rows)]
    head = [row for row in fixed_rows if row[0] >= 0]
    tail = [row for row in fixed_rows if row[0] < 0]
    table = [("fixed", row[1:]) for row in head]
    table += [("derived", row) for row in chosen]
    table += [("fixed", row[1:]) for row in tail]
    return table, free[row_count - len(fixed_rows):]


def row_values(entry):
    kind, row = entry
    if kind == "fixed":
        return tuple(float(v) for v in row)
    return tuple(float(v) for v in formatted(row)[:3])


def formatted(row):
    amplitude, phase, rate, name = row
    return ("%.5f" % amplitude, "%.3f" % phase, "%.4f" % rate, name)


def evaluate(table, t):
    total = 0.0
    for entry in table:
        amplitude, phase, rate = row_values(entry)
        total += amplitude * math.sin(math.radians(phase + rate * t))
    return total


def sind(x):
    return math.sin(math.radians(x))


def program_longitude(table, t):
    a = (338.915 + 4771.9886 * t + 0.004 * sind(93.8 - 1.33 * t)
         + 0.002 * sind(248.6 - 19.34 * t) + 0.0006 * sind(66.0 + 0.2 * t)
         + 0.0006 * sind(249.0 - 19.3 * t))
    return 124.8754 + 4812.67881 * t + 6.2887 * sind(a) + evaluate(table, t)


def program_latitude(table, t):
    a = (236.231 + 4832.0202 * t + 0.0267 * sind(68.64 - 19.341 * t)
         + 0.0043 * sind(342.0 - 19.36 * t) + 0.004 * sind(93.8 - 1.33 * t)
         + 0.002 * sind(248.6 - 19.34 * t) + 0.0005 * sind(358.0 - 19.4 * t))
    return 5.1282 * sind(a) + evaluate(table, t)


def theory_sum(terms, centuries):
    e = poly(ECCENTRICITY_FACTOR, centuries)
    total = 0.0
    for row in terms:
        d, m, mp, f, coefficient = row
        argument = poly(combine({"D": d, "M": m, "M'": mp, "F": f}), centuries)
        total += coefficient * 1e-6 * e ** abs(m) * sind(argument)
    return total


def theory_longitude(t):
    c = centuries_of(t)
    extra = (3958 * sind(poly(ARG_A1, c)) + 1962 * sind(poly(ARG_L, c) - poly(ARG_F, c))
             + 318 * sind(poly(ARG_A2, c))) * 1e-6
    return poly(ARG_L, c) + theory_sum(LONGITUDE_TERMS, c) + extra


def theory_latitude(t):
    c = centuries_of(t)
    l, f, mp, a1 = poly(ARG_L, c), poly(ARG_F, c), poly(ARG_MP, c), poly(ARG_A1, c)
    extra = (-2235 * sind(l) + 382 * sind(poly(ARG_A3, c)) + 175 * sind(a1 - f)
             + 175 * sind(a1 + f) + 127 * sind(l - mp) - 115 * sind(l + mp)) * 1e-6
    return theory_sum(LATITUDE_TERMS, c) + extra


def residuals(longitude_table, latitude_table):
    """Largest and rms difference from the full theory over the window, in
    degrees, sampled every 0.8 days."""
    first, last = WINDOW_YEARS
    count = int((last - first) * 365.25 / 0.8)
    worst = [0.0, 0.0]
    squares = [0.0, 0.0]
    for k in range(count + 1):
        t = first + (last - first) * k / count
        dl = (program_longitude(longitude_table, t) - theory_longitude(t) + 180.0) % 360.0 - 180.0
        db = program_latitude(latitude_table, t) - theory_latitude(t)
        for i, d in enumerate((dl, db)):
            worst[i] = max(worst[i], abs(d))
            squares[i] += d * d
    return [(worst[i], math.sqrt(squares[i] / (count + 1))) for i in range(2)]


def table_text(name, table):
    lines = ["const std::array<MoonSeriesTerm, %d> %s = {{" % (len(table), name)]
    for kind, row in table:
        if kind == "fixed":
            lines.append("    {%s, %s, %s}," % row)
        else:
            amplitude, phase, rate, argument = formatted(row)
            lines.append("    {%s, %s, %s},  // %s" % (amplitude, phase, rate, argument))
    lines.append("}};")
    return "\n".join(lines) + "\n"


def dropped_sum(dropped):
    return sum(row[0] for row in dropped)


def build():
    longitude_terms = [table_term(row) for row in LONGITUDE_TERMS if row[4] != 0]
    longitude_terms += [extra_term(extra) for extra in LONGITUDE_EXTRA]
    latitude_terms = [table_term(row) for row in LATITUDE_TERMS]
    latitude_terms += [extra_term(extra) for extra in LATITUDE_EXTRA]
    longitude, dropped_longitude = choose_rows(
        longitude_terms, "M'", FIXED_LONGITUDE_ROWS, LONGITUDE_ROWS)
    latitude, dropped_latitude = choose_rows(
        latitude_terms, "F", FIXED_LATITUDE_ROWS, LATITUDE_ROWS)
    (lon_max, lon_rms), (lat_max, lat_rms) = residuals(longitude, latitude)
    summary = (
        "// Residual against the full theory (tables 47.A, 47.B and the additive\n"
        "// terms) over 1950-2060, sampled every 0.8 days: longitude %.4f degree\n"
        "// at most, %.4f rms; latitude %.4f at most, %.4f rms. Terms left out sum\n"
        "// to %.4f degree in longitude and %.4f in latitude.\n"
        % (lon_max, lon_rms, lat_max, lat_rms,
           dropped_sum(dropped_longitude), dropped_sum(dropped_latitude)))
    text = ("// Generated by %s from %s; do not edit.\n" % (TOOL, SOURCE)
            + "// Terms amplitude x sin(phase + rate x t) (the parallax with cos), degrees\n"
            "// and degrees per Julian year, t in Julian years from 1975 January 0.0;\n"
            "// rows by decreasing amplitude. Derived rows name their argument.\n"
            + summary
            + '#include "astro/moon_series_tables.h"\n\n'
            + table_text("MoonLongitudeTable", longitude) + "\n"
            + table_text("MoonLatitudeTable", latitude) + "\n"
            + table_text("MoonParallaxTable", [("fixed", row) for row in PARALLAX_ROWS]))
    return text, summary


def main():
    directory = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "astro")
    text, summary = build()
    with open(os.path.join(directory, "moon_series_tables.cpp"), "w", newline="\n") as out:
        out.write(text)
    sys.stdout.write(summary.replace("// ", "").replace("//", ""))


if __name__ == "__main__":
    main()
