#!/usr/bin/python3
"""Writes the periodic-term tables of the planet series for 1950-2060:

  astro/planet_series_tables.h    declarations
  astro/planet_series_tables.cpp  the 24 tables, 195 rows

Usage: tools/gen_planet_series.py ASTRONOMIA_TGZ [output directory, default astro/]

ASTRONOMIA_TGZ is the npm package astronomia 4.2.0 (`npm pack astronomia@4.2.0`),
checked against its SHA-256. Only its data is read:
  - VSOP87D (data/vsop87D*.js: heliocentric, mean ecliptic and equinox of
    date) for Mercury to Neptune;
  - the Pluto series of Meeus, Astronomical Algorithms, ch. 37 (the table t37
    in src/pluto.js: J2000 ecliptic), carried to the ecliptic and equinox of
    date with the ecliptic precession of Meeus ch. 21 (Lieske 1977).
A few rows of the packaged VSOP87 data are NaN; their amplitudes are below
1e-8 and they are skipped.

The series are sampled every 3 days (Mercury), 5 days (Venus, Mars) or 10 days
(the others) from 1950 January 1 to 2059 December 31, UT; the theories are
taken at TT = UT + delta T, delta T = -20 + 32 u^2 s with u = (year - 1820) / 100,
since the program's Julian days are UT.

Each planet's base formulas and the first row of every table are the
program's fixed values and are held. The remaining rows are found one at a
time: a scan over rates finds the sinusoids that take most of the residual
by least squares, a linear fit gives each one's amplitude and phase, then
Levenberg-Marquardt refines amplitude,
phase and rate of every free row of the table through the complete model;
several starting lines are tried and the best outcome kept. Once a table is
full, each free row in turn is taken out and found again (not for Mercury,
whose long series make it slow). For Uranus, Neptune and Pluto, whose few
rows leave the largest residuals at the ends of the span, Lawson's
reweighting then trades a little of the mean square for a lower maximum.
The rows after the first are ordered by amplitude, so that a prefix of a table
is the coarser series. The Venus and Mars centre tables share their second
row, fitted to both planets at once.

The residuals against the source are printed and written at the top of the
generated .cpp. Rerunning on the same package reproduces the files byte for
byte.
"""

import hashlib
import json
import math
import multiprocessing
import os
import re
import sys
import tarfile

# One thread, so that the sums come out the same on every run.
os.environ.setdefault("OPENBLAS_NUM_THREADS", "1")
os.environ.setdefault("OMP_NUM_THREADS", "1")

import numpy as np  # noqa: E402

TOOL = "tools/gen_planet_series.py"
SOURCE = "astronomia 4.2.0 (VSOP87D; Meeus ch. 37 for Pluto)"
SOURCE_SHA256 = "ac5f73398a6c788f9ee371011258f18a72b5194009b3c7fc6e702dffe230e679"

FIRST_UT, LAST_UT = 2433282.5, 2473459.5


# ---------------------------------------------------------------- source data

def read_package(path):
    with open(path, "rb") as f:
        data = f.read()
    digest = hashlib.sha256(data).hexdigest()
    if digest != SOURCE_SHA256:
        sys.exit("%s: %s has SHA-256 %s, expected %s" % (TOOL, path, digest, SOURCE_SHA256))
    texts = {}
    with tarfile.open(path, "r:gz") as tar:
        for member in tar.getmembers():
            if re.fullmatch(r"package/data/vsop87D\w+\.js", member.name) or \
                    member.name == "package/src/pluto.js":
                texts[member.name] = tar.extractfile(member).read().decode("utf-8")
    return texts


def parse_vsop87(js):
    body = js[js.index("{"):js.rindex("}") + 1]
    body = body.replace("NaN", "null")
    body = re.sub(r"^(\s*)(\w+):", r'\1"\2":', body, flags=re.M)
    series = json.loads(body)
    out = {}
    for coord in "LBR":
        powers = []
        for power in sorted(series[coord], key=int):
            rows = [r for r in series[coord][power] if None not in r]
            powers.append(np.array(rows, dtype=float).reshape(-1, 3))
        out[coord] = powers
    return out


def vsop87(series, jde):
    """Heliocentric L, B (degrees) and R (AU) of VSOP87D at the dynamical times jde."""
    tau = (jde - 2451545.0) / 365250.0
    result = []
    for coord in "LBR":
        total = np.zeros_like(tau)
        for power, rows in enumerate(series[coord]):
            total += tau ** power * (rows[:, 0:1] * np.cos(rows[:, 1:2] + rows[:, 2:3] * tau)).sum(0)
        result.append(total)
    return np.degrees(result[0]), np.degrees(result[1]), result[2]


def parse_pluto(js):
    rows = re.findall(r"new Pt\(([^)]*)\)", js)
    return np.array([[float(x) for x in r.split(",")] for r in rows])


def pluto(t37, jde):
    """Pluto from Meeus ch. 37, referred to the ecliptic and equinox of date."""
    T = (jde - 2451545.0) / 36525.0
    J = 34.35 + 3034.9057 * T
    S = 50.08 + 1222.1138 * T
    P = 238.96 + 144.96 * T
    arg = np.radians(t37[:, 0:1] * J + t37[:, 1:2] * S + t37[:, 2:3] * P)
    sa, ca = np.sin(arg), np.cos(arg)
    lon = (t37[:, 3:4] * sa + t37[:, 4:5] * ca).sum(0) + 238.958116 + 144.96 * T
    lat = (t37[:, 5:6] * sa + t37[:, 6:7] * ca).sum(0) - 3.908239
    r = (t37[:, 7:8] * sa + t37[:, 8:9] * ca).sum(0) + 40.7241346
    # Ecliptic precession from J2000 to the date (Meeus 21.5, initial epoch J2000).
    eta = np.radians((47.0029 * T - 0.03302 * T ** 2 + 0.000060 * T ** 3) / 3600.0)
    pi_ = np.radians(174.876384 + (-869.8089 * T + 0.03536 * T ** 2) / 3600.0)
    p = np.radians((5029.0966 * T + 1.11113 * T ** 2 - 0.000006 * T ** 3) / 3600.0)
    l0, b0 = np.radians(lon), np.radians(lat)
    a = np.cos(eta) * np.cos(b0) * np.sin(pi_ - l0) - np.sin(eta) * np.sin(b0)
    b = np.cos(b0) * np.cos(pi_ - l0)
    c = np.cos(eta) * np.sin(b0) + np.sin(eta) * np.cos(b0) * np.sin(pi_ - l0)
    return np.degrees(p + pi_ - np.arctan2(a, b)) % 360.0, np.degrees(np.arcsin(c)), r


def delta_t_days(jd):
    u = ((jd - 2451545.0) / 365.25 + 2000.0 - 1820.0) / 100.0
    return (-20.0 + 32.0 * u * u) / 86400.0


# ------------------------------------------------------------------ the models

def sind(x):
    return np.sin(np.radians(x))


def cosd(x):
    return np.cos(np.radians(x))


def sin_terms(rows, t):
    """Sum of amplitude x sin(phase + rate t) over rows {amplitude, phase, rate}."""
    if len(rows) == 0:
        return np.zeros_like(t)
    r = np.asarray(rows)
    return (r[:, 0:1] * sind(r[:, 1:2] + r[:, 2:3] * t)).sum(0)


def cos_terms_kepler(rows, t):
    if len(rows) == 0:
        return np.zeros_like(t)
    r = np.asarray(rows)
    return (r[:, 0:1] * cosd(r[:, 1:2] + r[:, 2:3] * t)).sum(0)


def cos_terms_other(rows, T):
    """Sum of amplitude x cos(phase + rate T) over rows {amplitude, rate, phase}."""
    if len(rows) == 0:
        return np.zeros_like(T)
    r = np.asarray(rows)
    return (r[:, 0:1] * cosd(r[:, 2:3] + r[:, 1:2] * T)).sum(0)


K_VENUS = [310.1735, 585.19212, -0.0503, 107.44, 1170.37, 0.7775, -0.00005, 178.954, 585.178,
           0.05922, 233.72, 585.183, -0.002947, 0.00000021, 178.954, 585.178, -0.140658]
K_MARS = [249.3542, 191.41696, -0.0149, 40.01, 382.819, 10.6886, 0.0001, 273.768, 191.399,
          0.03227, 200.0, 191.409, -0.040421, -0.00000039, 273.768, 191.399, 0.183844]
K_JUPITER = [13.6526, 0.01396, 0.0075, 5.94, 5.528, 0.1666, 0.007, 0.0003, 0.022889,
             272.975, 0.0128, 0.0001, 35.52, 5.190688, 0.048254]
K_SATURN = [91.856, 0.01396, 0.0272, 135.53, 6.4215, 0.2248, 0.0109, 0.0006, 0.043519,
            337.763, 0.0286, 0.00023, 77.06, 9.508863, 0.056061]


def venus_mars(K, tables, t):
    d = (K[5] + K[6] * t) * sind(K[7] + K[8] * t) + sin_terms(tables["Anomaly"], t)
    l = K[0] + K[1] * t + K[2] * sind(K[3] + K[4] * t + 2 * d) + sin_terms(tables["Centre"], t) + d
    b = np.degrees(np.arcsin(K[9] * sind(K[10] + K[11] * t + d)))
    q = K[16] + (K[12] + K[13] * t) * cosd(K[14] + K[15] * t) + cos_terms_kepler(tables["Radius"], t)
    return l, b, q


def jupiter_saturn_base(planet, t):
    if planet == "Jupiter":
        M = (341.5208 + 30.34907 * t + 0.0004 + (0.035 + 0.00028 * t) * sind(245.94 - 30.349 * t)
             - (0.0019 + 0.00002 * t) * sind(162.78 + 0.38 * t))
        q = (0.000132 + 0.0000011 * t) * cosd(245.93 - 30.349 * t)
    else:
        M = (12.3042 + 12.22117 * t + 0.0008 + (0.0934 + 0.00075 * t) * sind(250.29 + 12.221 * t)
             + (0.0057 + 0.00005 * t) * sind(265.8 - 11.81 * t)
             + (0.0049 + 0.00004 * t) * sind(162.7 + 0.38 * t)
             + (0.0019 + 0.00002 * t) * sind(262.0 + 24.44 * t))
        q = (0.000183 + (0.000354 + 0.0000028 * t) * cosd(70.28 + 12.22 * t)
             + (0.000021 + 0.0000002 * t) * cosd(265.8 - 11.81 * t))
    return M, q


def jupiter_saturn(planet, K, tables, t):
    M, q = jupiter_saturn_base(planet, t)
    M = M + sin_terms(tables["Anomaly"], t)
    v = M + K[4] * sind(M) + K[5] * sind(2 * M) + K[6] * sind(3 * M) + K[7] * sind(4 * M)
    l = v + K[2] * sind(2 * v + K[3]) + K[0] + K[1] * t
    b = (np.degrees(np.arcsin(K[8] * sind(v + K[9]))) + (K[10] + K[11] * t) * sind(v + K[12])
         + sin_terms(tables["Latitude"], t))
    q = q + cos_terms_kepler(tables["Radius"], t)
    r = 10.0 ** q * K[13] / (1.0 + K[14] * cosd(v))
    return l, b, r


def other_planet(planet, tables, T):
    if planet == "Mercury":
        l = (252.2502 + 149474.0714 * T + (23.4405 + 0.0023 * T) * cosd(84.7947 + 149472.5153 * T)
             + (2.9818 + 0.0006 * T) * cosd(259.589 + 298945.031 * T))
        b = ((6.7057 + 0.0017 * T) * cosd(113.919 + 149472.886 * T)
             + (1.4396 + 0.0005 * T) * cosd(119.12 + 0.37 * T)
             + (1.3643 + 0.0005 * T) * cosd(288.71 + 298945.4 * T))
        r = (0.395283 + 0.000002 * T + (0.078341 + 0.000008 * T) * cosd(354.795 + 149472.515 * T)
             + (0.007955 + 0.000002 * T) * cosd(169.59 + 298945.03 * T))
    elif planet == "Uranus":
        l = (313.33676 + 428.7288 * T + 3.20671 * T * cosd(114.0274 + 705.15539 * T)
             + 2.69325 * T * cosd(317.7651 + 597.77389 * T) + 0.00015 * T * cosd(313.4 + 3798.6 * T))
        b = (-0.02997 + 1.78488 * T * cosd(188.32394 + 507.52281 * T)
             + 0.56518 * T * cosd(354.9571 + 892.2869 * T) + 0.00036 * T * cosd(263.0 + 1526.5 * T))
        r = (19.203034 + 0.042617 * T + 0.361949 * T * cosd(19.879 + 440.702 * T)
             + 0.166685 * T * cosd(307.419 + 702.024 * T))
    elif planet == "Neptune":
        l = (-55.13323 + 219.93503 * T + 0.04403 * T * cosd(332.797 + 684.128 * T)
             + 0.02928 * T * cosd(342.114 + 904.371 * T))
        b = 0.01725 + 0.0 * T
        r = 30.073033 + 0.009784 * T * cosd(195.7 + 515.2 * T)
    else:
        l = 241.82574 + 179.09519 * T
        b = -2.30285 + 0.0 * T
        r = 38.662489 + 0.007619 * T * cosd(31.0 + 1425.9 * T) + 0.002543 * T * cosd(199.5 + 2196.1 * T)
    l = l + cos_terms_other(tables["Longitude"], T)
    b = b + cos_terms_other(tables["Latitude"], T)
    r = r + cos_terms_other(tables["Radius"], T)
    return l, b, r


# Per planet: form, sampling step (days), tables in order {suffix: (rows, first row, quantity)}.
PLANETS = {
    "Venus": ("venus_mars", 5.0, [("Centre", 2, [-0.0048, 248.6, -19.34], "l"),
                                  ("Anomaly", 4, [0.0033, 357.9, 1170.35], "l"),
                                  ("Radius", 3, [-0.000015, 357.9, 1170.35], "r")]),
    "Mars": ("venus_mars", 5.0, [("Centre", 2, [-0.0048, 248.6, -19.34], "l"),
                                 ("Anomaly", 14, [0.6225, 187.54, 382.797], "l"),
                                 ("Radius", 8, [-0.002825, 187.54, 382.797], "r")]),
    "Jupiter": ("jupiter_saturn", 10.0, [("Anomaly", 23, [0.3323, 162.78, 0.385], "l"),
                                         ("Latitude", 2, [0.001, 291.9, -29.94], "b"),
                                         ("Radius", 16, [0.00023, 38.47, -36.256], "r")]),
    "Saturn": ("jupiter_saturn", 10.0, [("Anomaly", 21, [0.8081, 342.74, 0.385], "l"),
                                        ("Latitude", 3, [0.0024, 3.9, -11.81], "b"),
                                        ("Radius", 14, [0.000701, 3.43, -11.813], "r")]),
    "Mercury": ("other", 3.0, [("Longitude", 13, [0.5258, 448417.55, 74.38], "l"),
                               ("Latitude", 12, [0.3123, 448417.92, 103.51], "b"),
                               ("Radius", 4, [0.001214, 448417.55, 344.38], "r")]),
    "Uranus": ("other", 10.0, [("Longitude", 4, [5.35857, 460.61987, 48.85031], "l"),
                               ("Latitude", 4, [1.15483, 419.91739, 128.15303], "b"),
                               ("Radius", 7, [0.90579, 408.729, 320.313], "r")]),
    "Neptune": ("other", 10.0, [("Longitude", 6, [0.9745, 221.3904, 167.7269], "l"),
                                ("Latitude", 5, [1.76958, 218.87906, 83.11018], "b"),
                                ("Radius", 5, [0.260457, 222.371, 79.994], "r")]),
    "Pluto": ("other", 10.0, [("Longitude", 8, [15.81087, 246.556453, 298.348019], "l"),
                              ("Latitude", 8, [17.0455, 172.554318, 42.574982], "b"),
                              ("Radius", 7, [8.670489, 181.3383, 198.4973], "r")]),
}
# Highest rate scanned for a new row (degrees per year for Venus to Saturn,
# per century for the others): past the sixth harmonic of the mean motion.
MAX_RATE = {"Venus": 2500.0, "Mars": 1000.0, "Jupiter": 500.0, "Saturn": 500.0,
            "Mercury": 1100000.0, "Uranus": 10000.0, "Neptune": 10000.0, "Pluto": 10000.0}
# Number of starting lines tried for each new row.
STARTS = {"Venus": 3, "Mars": 3, "Jupiter": 3, "Saturn": 3, "Mercury": 2, "Uranus": 8,
          "Neptune": 8, "Pluto": 8}
# Planets whose rows are each taken out and found again once the table is
# full (the others are too slow for it and gain little).
POLISHED = ("Venus", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto")
# Planets whose few rows leave residuals that are largest at the ends of the
# span; their tables are refitted towards the smallest largest residual.
MINIMAX = ("Uranus", "Neptune", "Pluto")
LAWSON_ROUNDS = 12
ORDER = ["Venus", "Mars", "Jupiter", "Saturn", "Mercury", "Uranus", "Neptune", "Pluto"]


class Planet:
    def __init__(self, name, texts):
        self.name = name
        self.form, step, layouts = PLANETS[name]
        self.layouts = layouts
        self.ut = np.arange(FIRST_UT + step / 2.0, LAST_UT, step)
        tt = self.ut + delta_t_days(self.ut)
        if name == "Pluto":
            self.target = pluto(parse_pluto(texts["package/src/pluto.js"]), tt)
        else:
            key = "package/data/vsop87D%s.js" % name.lower()
            self.target = vsop87(parse_vsop87(texts[key]), tt)
        if self.form == "other":
            self.time = (self.ut - 2451545.0) / 36525.0
        else:
            # The program's yearsSince1975, with its own small dynamical-time term.
            x = (self.ut - 2442412.5) / 365.25
            self.time = x + (0.0317 * x + 1.43) * 1e-6
        self.tables = {suffix: [first] for suffix, _, first, _ in layouts}

    def model(self, tables=None):
        tables = tables or self.tables
        if self.form == "venus_mars":
            K = K_VENUS if self.name == "Venus" else K_MARS
            return venus_mars(K, tables, self.time)
        if self.form == "jupiter_saturn":
            K = K_JUPITER if self.name == "Jupiter" else K_SATURN
            return jupiter_saturn(self.name, K, tables, self.time)
        return other_planet(self.name, tables, self.time)

    def residual(self, quantity, tables=None):
        """Target minus model in the units the table adds to (q for the log radius)."""
        l, b, r = self.model(tables)
        tl, tb, tr = self.target
        if quantity == "l":
            return (tl - l + 180.0) % 360.0 - 180.0
        if quantity == "b":
            return tb - b
        if self.form == "venus_mars":
            return np.log10(tr) - r
        if self.form == "jupiter_saturn":
            return np.log10(tr / r)
        return tr - r


# ------------------------------------------------------------------ the fit

def make_row(form, amplitude, phase, rate):
    if form == "other":
        return [amplitude, rate, phase]
    return [amplitude, phase, rate]


def row_parts(form, row):
    if form == "other":
        return row[0], row[2], row[1]
    return row[0], row[1], row[2]


def is_cosine(form, suffix):
    return form == "other" or suffix == "Radius"


def scan_gains(time, residual, rates):
    """Square sum of the residual that one sinusoid of each candidate rate
    takes by least squares."""
    gains = []
    angle = np.radians(time)
    for chunk in np.array_split(rates, max(1, len(rates) * len(time) // 4000000)):
        x = chunk[:, None] * angle[None, :]
        s, c = np.sin(x), np.cos(x)
        ss, cc, sc = (s * s).sum(1), (c * c).sum(1), (s * c).sum(1)
        rs, rc = s @ residual, c @ residual
        det = ss * cc - sc * sc
        with np.errstate(divide="ignore", invalid="ignore"):
            gains.append(np.where(det > 1e-9 * len(time) ** 2,
                                  (rs * rs * cc - 2 * rs * rc * sc + rc * rc * ss) / det,
                                  rc * rc / cc))
    return np.concatenate(gains)


def candidate_rates(time, residual, taken, max_rate, count):
    """Rates (degrees per time unit, >= 0) of the sinusoids that take most of
    the residual, strongest first, away from the rates already in the table.
    Over a window of one or two periods the lines are far from orthogonal, so
    the scan solves the two-term fit at every rate instead of taking a
    spectrum: first at a quarter of the window's resolution up to max_rate,
    then finely about each of the count strongest peaks."""
    resolution = 360.0 / (time[-1] - time[0])
    rates = np.arange(0.0, max_rate, resolution / 4.0)
    for rate in taken:
        rates = rates[np.abs(rates - abs(rate)) >= resolution / 2.0]
    gains = scan_gains(time, residual, rates)
    peaks = [k for k in range(len(rates))
             if (k == 0 or gains[k] >= gains[k - 1]) and (k + 1 == len(rates) or gains[k] > gains[k + 1])]
    peaks.sort(key=lambda k: -gains[k])
    result = []
    for k in peaks[:count]:
        fine = np.linspace(max(0.0, rates[k] - resolution / 4.0), rates[k] + resolution / 4.0, 201)
        result.append(float(fine[int(np.argmax(scan_gains(time, residual, fine)))]))
    return result


def linear_row(time, residual, rate, cosine):
    """Amplitude and phase of a line of the given rate, by linear least squares."""
    a = np.stack([np.sin(np.radians(rate * time)), np.cos(np.radians(rate * time))], 1)
    (s, c), *_ = np.linalg.lstsq(a, residual, rcond=None)
    # s sin x + c cos x = A sin(x + p) = A cos(x + p - 90)
    amplitude = math.hypot(s, c)
    phase = math.degrees(math.atan2(c, s))
    if cosine:
        phase -= 90.0
    return amplitude, phase % 360.0


def refine(group, suffix, quantity, free, weights=None):
    """Levenberg-Marquardt over amplitude, phase and rate of the free rows of
    one table, shared by every planet of the group; optionally weighted."""
    form = group[0].form
    first = group[0].tables[suffix][:1]

    def rows_of(params):
        return [make_row(form, *params[3 * k:3 * k + 3]) for k in range(len(params) // 3)]

    def residual(params):
        rows = first + rows_of(params)
        res = np.concatenate([p.residual(quantity, dict(p.tables, **{suffix: rows})) for p in group])
        return res if weights is None else res * weights

    params = np.array([v for row in free for v in row_parts(form, row)], dtype=float)
    lam = 1e-3
    current = residual(params)
    cost = float(current @ current)
    for _ in range(40):
        jac = np.empty((len(current), len(params)))
        for k in range(len(params)):
            step = np.zeros_like(params)
            step[k] = 1e-6
            jac[:, k] = (residual(params + step) - residual(params - step)) / 2e-6
        jj = jac.T @ jac
        grad = jac.T @ current
        improved = False
        while lam < 1e12:
            trial = params - np.linalg.solve(jj + lam * np.diag(np.diag(jj) + 1e-30), grad)
            trial_res = residual(trial)
            trial_cost = float(trial_res @ trial_res)
            if trial_cost < cost:
                improved = cost - trial_cost > 1e-7 * cost
                params, current, cost, lam = trial, trial_res, trial_cost, max(lam / 10.0, 1e-9)
                break
            lam *= 10.0
        if not improved:
            break
    return rows_of(params)


def normalise_row(form, row):
    amplitude, phase, rate = row_parts(form, row)
    if amplitude < 0:
        amplitude, phase = -amplitude, phase + 180.0
    return make_row(form, amplitude, phase % 360.0, rate)


def group_cost(group, quantity):
    return sum(float(np.sum(p.residual(quantity) ** 2)) for p in group)


def add_row(group, suffix, quantity, free):
    """The free rows with one more, refined jointly; the new row starts from
    each of the strongest lines left in the residual and the best outcome is
    kept."""
    form = group[0].form
    first = group[0].tables[suffix][:1]
    residual = np.mean([p.residual(quantity, dict(p.tables, **{suffix: first + free}))
                        for p in group], 0)
    taken = [row_parts(form, r)[2] for r in first + free]
    time = group[0].time
    best, best_cost = None, math.inf
    for rate in candidate_rates(time, residual, taken, MAX_RATE[group[0].name],
                                STARTS[group[0].name]):
        amplitude, phase = linear_row(time, residual, rate, is_cosine(form, suffix))
        rows = refine(group, suffix, quantity, free + [make_row(form, amplitude, phase, rate)])
        for p in group:
            p.tables[suffix] = first + rows
        cost = group_cost(group, quantity)
        if cost < best_cost:
            best, best_cost = rows, cost
    for p in group:
        p.tables[suffix] = first + best
    return best, best_cost


def lower_maximum(group, suffix, quantity, free):
    """Trades some of the root mean square for a lower largest residual by
    Lawson's reweighting: each round raises the weight where the residual is
    large."""
    first = group[0].tables[suffix][:1]
    weights = np.ones(sum(len(p.time) for p in group))

    def largest(rows):
        return max(np.abs(p.residual(quantity, dict(p.tables, **{suffix: first + rows}))).max()
                   for p in group)

    best, best_max = free, largest(free)
    for _ in range(LAWSON_ROUNDS):
        res = np.concatenate([p.residual(quantity, dict(p.tables, **{suffix: first + free}))
                              for p in group])
        weights = weights * np.abs(res)
        weights = weights / weights.mean()
        free = refine(group, suffix, quantity, free, np.sqrt(weights))
        if largest(free) < best_max:
            best, best_max = free, largest(free)
    for p in group:
        p.tables[suffix] = first + best
    return best


def fit_table(group, suffix, count, quantity):
    """Fills a table up to count rows after its fixed first row; a table shared
    by a group of planets is fitted to all of them at once. Once full, each
    free row in turn is taken out and found again, and the change is kept
    when it lowers the residual."""
    form = group[0].form
    first = group[0].tables[suffix][:1]
    free = list(group[0].tables[suffix][1:])
    while len(free) < count - 1:
        free, cost = add_row(group, suffix, quantity, free)
    cost = group_cost(group, quantity)
    for k in range(len(free) if group[0].name in POLISHED else 0):
        trial, trial_cost = add_row(group, suffix, quantity, free[:k] + free[k + 1:])
        if trial_cost < cost:
            free, cost = trial, trial_cost
    if group[0].name in MINIMAX:
        free = lower_maximum(group, suffix, quantity, free)
    free = [normalise_row(form, r) for r in free]
    free.sort(key=lambda r: -abs(row_parts(form, r)[0]))
    for p in group:
        p.tables[suffix] = first + free


def statistics(planet):
    l, b, r = planet.model()
    if planet.form == "venus_mars":
        r = 10.0 ** r
    tl, tb, tr = planet.target
    dl = (tl - l + 180.0) % 360.0 - 180.0
    return (np.abs(dl).max(), np.sqrt(np.mean(dl ** 2)), np.abs(tb - b).max(),
            np.sqrt(np.mean((tb - b) ** 2)), np.abs(tr - r).max(), np.sqrt(np.mean((tr - r) ** 2)))


def fit_venus_mars(texts):
    venus, mars = Planet("Venus", texts), Planet("Mars", texts)
    # The shared centre row is fitted after each planet's own anomaly rows,
    # and those again with the shared row held, so that neither takes the
    # other's lines.
    for p in (venus, mars):
        fit_table([p], "Anomaly", PLANETS[p.name][2][1][1], "l")
    fit_table([venus, mars], "Centre", 2, "l")
    for p in (venus, mars):
        p.tables["Anomaly"] = p.tables["Anomaly"][:1]
        fit_table([p], "Anomaly", PLANETS[p.name][2][1][1], "l")
        fit_table([p], "Radius", PLANETS[p.name][2][2][1], "r")
    return {"Venus": venus.tables, "Mars": mars.tables}


def fit_planet(name, texts):
    p = Planet(name, texts)
    for suffix, count, _, quantity in p.layouts:
        fit_table([p], suffix, count, quantity)
    return {name: p.tables}


def fit_job(job):
    name, texts = job
    result = fit_venus_mars(texts) if name == "Venus" else fit_planet(name, texts)
    print("%s: %s fitted" % (TOOL, " and ".join(result)), file=sys.stderr, flush=True)
    return result


def fit_all(texts):
    """Every planet's tables; the planets are independent (but for Venus and
    Mars, fitted together) and go to separate processes."""
    jobs = [(name, texts) for name in ("Mercury", "Venus", "Jupiter", "Saturn", "Uranus",
                                       "Neptune", "Pluto")]
    with multiprocessing.Pool(len(jobs)) as pool:
        results = pool.map(fit_job, jobs)
    planets = {name: Planet(name, texts) for name in ORDER}
    for result in results:
        for name, tables in result.items():
            planets[name].tables = tables
    return planets


# ------------------------------------------------------------------ output

def fmt(x):
    text = "%.9g" % x
    if "e" not in text and "." not in text:
        text += ".0"
    return text


def write_outputs(planets, outdir):
    header = [
        "// Generated by %s from %s; do not edit." % (TOOL, SOURCE),
        "// Periodic terms of the planet series for 1950-2060; each row is three",
        "// doubles whose meaning depends on the planet (astro/planet_series.h).",
        "#pragma once",
        "",
        "#include <array>",
        "",
        "using PlanetSeriesRow = std::array<double, 3>;",
        "",
    ]
    body = [
        "// Generated by %s from %s; do not edit." % (TOOL, SOURCE),
        "// Source SHA-256 %s." % SOURCE_SHA256,
        "//",
        "// Residuals of the full series against the source, 1950-2060 (degrees, AU):",
        "//            max |dl|   rms dl     max |db|   rms db     max |dr|    rms dr",
    ]
    for name in ORDER:
        s = statistics(planets[name])
        body.append("// %-8s  %.6f   %.6f   %.6f   %.6f   %.7f   %.7f" % ((name,) + s))
    body += ["", '#include "astro/planet_series_tables.h"', ""]
    for name in ORDER:
        p = planets[name]
        for suffix, count, _, _ in p.layouts:
            rows = p.tables[suffix]
            assert len(rows) == count, (name, suffix, len(rows))
            table = "%s%sTable" % (name, suffix)
            header.append("extern const std::array<PlanetSeriesRow, %d> %s;" % (count, table))
            body.append("const std::array<PlanetSeriesRow, %d> %s = {{" % (count, table))
            for row in rows:
                body.append("    {%s}," % ", ".join(fmt(v) for v in row))
            body.append("}};")
            body.append("")
    with open(os.path.join(outdir, "planet_series_tables.h"), "w") as f:
        f.write("\n".join(header) + "\n")
    with open(os.path.join(outdir, "planet_series_tables.cpp"), "w") as f:
        f.write("\n".join(body).rstrip("\n") + "\n")


def main():
    if len(sys.argv) < 2:
        sys.exit("usage: %s ASTRONOMIA_TGZ [output directory]" % TOOL)
    outdir = sys.argv[2] if len(sys.argv) > 2 else "astro"
    planets = fit_all(read_package(sys.argv[1]))
    print("planet    max|dl|    rms dl     max|db|    rms db     max|dr|     rms dr")
    for name in ORDER:
        print("%-8s  %.6f   %.6f   %.6f   %.6f   %.7f   %.7f" % ((name,) + statistics(planets[name])))
    write_outputs(planets, outdir)


if __name__ == "__main__":
    main()
