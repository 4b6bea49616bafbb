#!/usr/bin/python3
"""Oracle places and rise/set times of comets and minor planets for the
tests, from PyEphem (Debian's python3-ephem 4.1.4, an independent ephemeris
library used only as a test oracle; nothing of it is linked into the
program).

Usage: tools/oracle/small_body_oracle.py places   > tests/data/small_body_places.csv
       tools/oracle/small_body_oracle.py rise_set > tests/data/small_body_rise_set.csv

The elements of each case are read from the shipped element files
(data/comet.elm, data/mp.elm, found by second name) and written into its
row, so that the rows stay valid whatever later becomes of those files.
Element times are Terrestrial Time, as PyEphem takes them; every instant of
a row is UT.

places: one row per case:
  case,jd,kind,perihelion_jd,e,q,arg_perihelion,node,inclination,ra,dec,delta,r
  jd: the instant, Julian day UT; the elements: perihelion time (JD, TT),
  eccentricity, perihelion distance (AU), argument of perihelion, node and
  inclination (degrees, ecliptic and equinox J2000); ra, dec: PyEphem's
  astrometric geocentric place (light time applied, no aberration, no
  nutation), equator and equinox J2000, degrees; delta and r: the geocentric
  and heliocentric distances, AU.

rise_set: one row per event asked of one local day [0h, 24h) local time:
  case,latitude,longitude,year,month,day,zone,event,kind,perihelion_jd,e,q,
  arg_perihelion,node,inclination,jd
  event: RISE, TRANSIT or SET; rise and set are the crossings of the
  geometric horizon at -0.5855555 degrees (the program's refraction
  allowance; no refraction in PyEphem, pressure 0) by the body's centre;
  jd: the event, Julian day UT, or 0 when there is none in the local day.

PyEphem holds elements in single precision, so that far from the element
epoch its places drift: some 10" for Eros, 0.15 AU away, 47 years before
the epoch of its elements. Those rows are kept: they stay well within the
tests' tolerance.
"""

import math
import os
import sys

import ephem

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data")
DUBLIN_JD = 2415020.0           # PyEphem counts days from JD 2415020.0
HORIZON = "-0.5855555"          # degrees, the program's refraction allowance

# (case, file, second name, instant): the instant is a Julian day UT, or
# None for the perihelion passage itself.
PLACES = [
    ("12P/Pons-Brooks at perihelion 1954", "comet.elm", "12P", None),
    ("1P/Halley at perihelion 1986", "comet.elm", "1P", None),
    ("1P/Halley 1986 March 13", "comet.elm", "1P", 2446502.5),
    ("2P/Encke at perihelion 2017", "comet.elm", "2P", None),
    ("C/1980 E1 Bowell at perihelion 1982 (hyperbolic)", "comet.elm", "C/1980 E1", None),
    ("C/2008 J4 McNaught at perihelion 2008 (hyperbolic)", "comet.elm", "C/2008 J4", None),
    ("C/1995 O1 Hale-Bopp at perihelion 1997", "comet.elm", "C/1995 O1", None),
    ("C/1995 O1 Hale-Bopp nearest Earth 1997 March 22", "comet.elm", "C/1995 O1", 2450529.5),
    ("C/1996 B2 Hyakutake nearest Earth 1996 March 25", "comet.elm", "C/1996 B2", 2450167.75),
    ("C/1996 B2 Hyakutake at perihelion 1996", "comet.elm", "C/1996 B2", None),
    ("C/2006 P1 McNaught at perihelion 2007", "comet.elm", "C/2006 P1", None),
    ("C/2011 W3 Lovejoy at perihelion 2011 (sungrazer)", "comet.elm", "C/2011 W3", None),
    ("C/2012 S1 ISON at perihelion 2013 (sungrazer)", "comet.elm", "C/2012 S1", None),
    ("C/2020 F3 NEOWISE at perihelion 2020", "comet.elm", "C/2020 F3", None),
    ("C/2020 F3 NEOWISE nearest Earth 2020 July 23", "comet.elm", "C/2020 F3", 2459053.5),
    ("433 Eros close approach 1975 January 23", "mp.elm", "433", 2442435.5),
    ("433 Eros close approach 2012 January 31", "mp.elm", "433", 2455957.5),
    ("1036 Ganymed close approach 2024 October 13", "mp.elm", "1036", 2460596.5),
    ("1 Ceres 1950 January 1", "mp.elm", "1", 2433282.5),
    ("3 Juno 2000 January 1.5", "mp.elm", "3", 2451545.0),
    ("2 Pallas 2035 June 1", "mp.elm", "2", 2464480.5),
    ("4 Vesta 2059 December 1", "mp.elm", "4", 2473423.5),
]

# (case, file, second name, site latitude and east longitude, date, zone hours)
RISE_SET = [
    ("C/1995 O1 Hale-Bopp at Tokyo 1997 March 25", "comet.elm", "C/1995 O1", 35.68, 139.77, (1997, 3, 25), 9.0),
    ("C/1995 O1 Hale-Bopp at Tokyo 1997 May 10", "comet.elm", "C/1995 O1", 35.68, 139.77, (1997, 5, 10), 9.0),
    ("C/1995 O1 Hale-Bopp at Santiago 1997 April 15", "comet.elm", "C/1995 O1", -33.45, -70.67, (1997, 4, 15),
     -4.0),
    ("1 Ceres at Tokyo 2026 December 6", "mp.elm", "1", 35.68, 139.77, (2026, 12, 6), 9.0),
    ("1 Ceres at Tokyo 2027 March 20", "mp.elm", "1", 35.68, 139.77, (2027, 3, 20), 9.0),
]


def field(line, col, width):
    return line[col:col + width]


def jd_from_calendar(year, month, day):
    # Gregorian, as the element files are read.
    if month < 3:
        month += 12
        year -= 1
    a = year // 100
    return math.floor(365.25 * (year + 4716)) + math.floor(30.6001 * (month + 1)) + day + 2 - a + a // 4 - 1524.5


def elements(name, second):
    with open(os.path.join(DATA, name), "rb") as f:
        for raw in f:
            line = raw.decode("ascii")
            if field(line, 188, 15).strip() == second:
                return {
                    "kind": line[0],
                    "T": jd_from_calendar(int(field(line, 51, 4)), int(field(line, 55, 2)),
                                          float(field(line, 57, 9))),
                    "e": float(field(line, 67, 10)), "q": float(field(line, 78, 11)),
                    "w": float(field(line, 90, 10)), "om": float(field(line, 101, 10)),
                    "i": float(field(line, 112, 10)),
                }
    sys.exit("%s: %s not found" % (name, second))


def body(el):
    # The same conic in PyEphem's three forms: an ellipse from its mean
    # anomaly 0 at perihelion, a parabola, a hyperbola.
    e, q = el["e"], el["q"]
    if e < 1.0:
        b = ephem.EllipticalBody()
        b._a = q / (1.0 - e)
        b._M = 0.0
        b._epoch_M = ephem.Date(el["T"] - DUBLIN_JD)
        b._e = e
    elif e == 1.0:
        b = ephem.ParabolicBody()
        b._epoch_p = ephem.Date(el["T"] - DUBLIN_JD)
        b._q = q
    else:
        b = ephem.HyperbolicBody()
        b._epoch_p = ephem.Date(el["T"] - DUBLIN_JD)
        b._e = e
        b._q = q
    b._inc, b._Om, b._om = el["i"], el["om"], el["w"]
    b._epoch = ephem.Date("2000/1/1.5")
    return b


def element_cells(el):
    return ["%.8f" % el["T"], "%.10f" % el["e"], "%.10f" % el["q"], "%.7f" % el["w"], "%.7f" % el["om"],
            "%.7f" % el["i"]]


def places():
    print("case,jd,kind,perihelion_jd,e,q,arg_perihelion,node,inclination,ra,dec,delta,r")
    for case, name, second, instant in PLACES:
        el = elements(name, second)
        jd = el["T"] if instant is None else instant
        b = body(el)
        b.compute(ephem.Date(jd - DUBLIN_JD), epoch=ephem.J2000)
        print(",".join([case, "%.6f" % jd, el["kind"]] + element_cells(el) +
                       ["%.8f" % math.degrees(b.a_ra), "%.8f" % math.degrees(b.a_dec),
                        "%.9f" % b.earth_distance, "%.9f" % b.sun_distance]))


def event(site, b, start, kind):
    site.date = ephem.Date(start - DUBLIN_JD)
    try:
        if kind == "TRANSIT":
            jd = float(site.next_transit(b)) + DUBLIN_JD
        else:
            search = site.next_rising if kind == "RISE" else site.next_setting
            jd = float(search(b, use_center=True)) + DUBLIN_JD
    except (ephem.AlwaysUpError, ephem.NeverUpError):
        return 0.0
    return jd if jd < start + 1.0 else 0.0


def rise_set():
    print("case,latitude,longitude,year,month,day,zone,event,kind,perihelion_jd,e,q,arg_perihelion,node,"
          "inclination,jd")
    for case, name, second, latitude, longitude, (year, month, day), zone in RISE_SET:
        el = elements(name, second)
        site = ephem.Observer()
        site.lat, site.lon = str(latitude), str(longitude)
        site.elevation = 0.0
        site.pressure = 0.0
        site.horizon = HORIZON
        start = jd_from_calendar(year, month, day) - zone / 24.0
        for kind in ("RISE", "TRANSIT", "SET"):
            jd = event(site, body(el), start, kind)
            print(",".join([case, "%.4f" % latitude, "%.4f" % longitude, str(year), str(month), str(day),
                            "%.1f" % zone, kind, el["kind"]] + element_cells(el) + ["%.7f" % jd]))


def main():
    if len(sys.argv) != 2 or sys.argv[1] not in ("places", "rise_set"):
        sys.exit(__doc__)
    places() if sys.argv[1] == "places" else rise_set()


if __name__ == "__main__":
    main()
