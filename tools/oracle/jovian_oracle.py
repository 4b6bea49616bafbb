#!/usr/bin/python3
"""Oracle offsets of Jupiter's four large satellites from Jupiter for the
end-to-end test, from Meeus's low-accuracy theory (Astronomical Algorithms,
2nd ed., ch. 44) with Jupiter's place and distance from PyEphem (Debian's
python3-ephem 4.1.4, used only as a test oracle; nothing of it is linked
into the program).

Usage: tools/oracle/jovian_oracle.py > tests/data/jovian_offsets.csv

One row per satellite and instant:
  case,jd,satellite,north,east,north_lt,east_lt
  jd: the instant, Julian day UT; north, east: the satellite's offset from
  Jupiter's centre on the sky, arcseconds, with the satellite where it is at
  the instant itself (the theory's satellite time t = d, no light time);
  north_lt, east_lt: the same where it was when the light seen at the
  instant left it (t = d - delta / 173), as Meeus gives it, so that a test
  can tell the two apart. The theory's x and y (Jupiter radii along and
  across Jupiter's equator) are turned onto the sky with the position angle
  of Jupiter's pole (IAU 2009 rotation elements).
"""

import math

import ephem

DUBLIN_JD = 2415020.0            # PyEphem counts days from JD 2415020.0
DELTA_T = 69.0 / 86400.0         # TT - UT about 2025, days
JUPITER_RADIUS_AU = 71492.0 / 149597870.7
ARCSEC = 180.0 / math.pi * 3600.0
NAMES = ["Io", "Europa", "Ganymede", "Callisto"]

# (case, instant, Julian day UT): Io some 30 degrees from inferior
# conjunction, well clear of Jupiter's disk and of the other satellites,
# where the light time moves it most across the sky.
INSTANTS = [
    ("Jupiter near opposition 2024 December 6", 2460651.15),
]


def sin(degrees):
    return math.sin(math.radians(degrees))


def cos(degrees):
    return math.cos(math.radians(degrees))


def meeus(jde, light_time):
    """x (west) and y (toward Jupiter's north pole) of the four
    satellites, Jupiter radii."""
    d = jde - 2451545.0
    V = 172.74 + 0.00111588 * d
    M = 357.529 + 0.9856003 * d
    N = 20.020 + 0.0830853 * d + 0.329 * sin(V)
    J = 66.115 + 0.9025179 * d - 0.329 * sin(V)
    A = 1.915 * sin(M) + 0.020 * sin(2 * M)
    B = 5.555 * sin(N) + 0.168 * sin(2 * N)
    K = J + A - B
    R = 1.00014 - 0.01671 * cos(M) - 0.00014 * cos(2 * M)
    r = 5.20872 - 0.25208 * cos(N) - 0.00611 * cos(2 * N)
    delta = math.sqrt(r * r + R * R - 2 * r * R * cos(K))
    psi = math.degrees(math.asin(R / delta * sin(K)))
    t = d - delta / 173.0 if light_time else d
    u = [163.8069 + 203.4058646 * t, 358.4140 + 101.2916335 * t, 5.7176 + 50.2345180 * t,
         224.8092 + 21.4879800 * t]
    u = [value + psi - B for value in u]
    G = 331.18 + 50.310482 * t
    H = 87.45 + 21.569231 * t
    c12, c23 = 2 * (u[0] - u[1]), 2 * (u[1] - u[2])
    radius = [5.9057 - 0.0244 * cos(c12), 9.3966 - 0.0882 * cos(c23), 14.9883 - 0.0216 * cos(G),
              26.3627 - 0.1939 * cos(H)]
    u[0] += 0.473 * sin(c12)
    u[1] += 1.065 * sin(c23)
    u[2] += 0.165 * sin(G)
    u[3] += 0.843 * sin(H)
    lam = 34.35 + 0.083091 * d + 0.329 * sin(V) + B
    De = (3.12 * sin(lam + 42.8) - 2.22 * sin(psi) * cos(lam + 22.0)
          - 1.30 * (r - delta) / delta * sin(lam - 100.5))
    return [(radius[i] * sin(u[i]), -radius[i] * cos(u[i]) * sin(De)) for i in range(4)]


def pole_position_angle(ra, dec, jde):
    """Position angle of Jupiter's north pole on the sky, radians."""
    T = (jde - 2451545.0) / 36525.0
    pole_ra = math.radians(268.056595 - 0.006499 * T)
    pole_dec = math.radians(64.495303 + 0.002413 * T)
    return math.atan2(math.cos(pole_dec) * math.sin(pole_ra - ra),
                      math.sin(pole_dec) * math.cos(dec) - math.cos(pole_dec) * math.sin(dec) * math.cos(pole_ra - ra))


def offsets(jd):
    jupiter = ephem.Jupiter(ephem.Date(jd - DUBLIN_JD))
    jde = jd + DELTA_T
    p = pole_position_angle(float(jupiter.a_ra), float(jupiter.a_dec), jde)
    scale = JUPITER_RADIUS_AU / jupiter.earth_distance * ARCSEC
    sky = []
    for light_time in (False, True):
        sky.append([((x * math.sin(p) + y * math.cos(p)) * scale, (y * math.sin(p) - x * math.cos(p)) * scale)
                    for x, y in meeus(jde, light_time)])
    return sky


def main():
    print("case,jd,satellite,north,east,north_lt,east_lt")
    for case, jd in INSTANTS:
        now, seen = offsets(jd)
        for i, name in enumerate(NAMES):
            print("%s,%.6f,%s,%.3f,%.3f,%.3f,%.3f" % (case, jd, name, now[i][0], now[i][1], seen[i][0], seen[i][1]))


if __name__ == "__main__":
    main()
