"""Comets on the chart end to end, through the command port of a running
uvola: a comet loaded by STL stands where PyEphem places it (the row of
tests/data/small_body_places.csv), measured against the projection centre
that a star marks; and a sungrazer far from the Sun, whose tail cannot be
computed, is told by the command that redraws the chart, in every view,
each time the tail is shown again.

    small_bodies_e2e.py UVOLA

Run inside tests/harness/uvola-test-env --xvfb.
"""

import collections
import csv
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import ChartTestCase, UvolaSession, element_line, read_xpm  # noqa: E402

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
TOLERANCE = 30.0       # arcseconds, as the oracle test's
FIELD = 1.0            # degrees across
PLAIN_SKY = ("HIDE STATUSBAR, CONS_LINE, CONS_NAME1, CONS_NAME2, MILKYWAY, NEBULA, STARNAME, BAYER, "
             "FLAMSTEED, EQT_GRID_DATE, EQT_GRID_2000, WINDOW_CENTER, DAYLIGHT, PLANET, MOON")
# Regulus, J2000 (hours, degrees): the star that marks the projection centre.
REGULUS = (10.1395296, 11.9672083)


def date_statement(jd):
    """DATE of a Julian day, UT (Meeus, Astronomical Algorithms, ch. 7)."""
    z = int(jd + 0.5)
    alpha = int((z - 1867216.25) / 36524.25)
    b = z + 1 + alpha - alpha // 4 + 1524
    c = int((b - 122.1) / 365.25)
    e = int((b - int(365.25 * c)) / 30.6001)
    day = b - int(365.25 * c) - int(30.6001 * e)
    month = e - 1 if e < 14 else e - 13
    year = c - 4716 if month > 2 else c - 4715
    seconds = (jd + 0.5 - z) * 86400.0
    return "DATE %d,%d,%d,%d,%d,%.3f,0" % (year, month, day, seconds // 3600, seconds % 3600 // 60, seconds % 60)


def oracle_row(case):
    with open(os.path.join(ROOT, "tests", "data", "small_body_places.csv")) as f:
        for row in csv.DictReader(f):
            if row["case"] == case:
                return row
    raise AssertionError("no oracle row %r" % case)


def load_script(name, statements, comets):
    """A script that runs the statements and loads the comets
    ({label: second name}) from its BLOCK ORBIT; returns its path."""
    text = "BLOCK CONTROL\n\tSCENE MAIN\n" + "".join("\t\t%s\n" % s for s in statements)
    text += "".join('\t\tCOMET "%s"\n' % label for label in comets)
    text += "\tEND SCENE\nEND BLOCK\n\nBLOCK ORBIT\n"
    text += "".join(":%s\n%s\n" % (label, element_line(second)) for label, second in comets.items())
    text += "END BLOCK\n"
    path = os.path.join(UvolaSession.home(), name)
    with open(path, "w") as out:
        out.write(text)
    return path


def centroid_near_middle(path, reach=60):
    """The centre of the drawn pixels within `reach` of the image's middle."""
    width, height, rows = read_xpm(path)
    background = collections.Counter(c for row in rows for c in row).most_common(1)[0][0]
    points = [(x, y) for y in range(height // 2 - reach, height // 2 + reach)
              for x in range(width // 2 - reach, width // 2 + reach) if rows[y][x] != background]
    if not points:
        raise AssertionError("nothing drawn near the middle of %s" % path)
    return (sum(x for x, _ in points) / len(points), sum(y for _, y in points) / len(points), width)


class CometOnTheChart(ChartTestCase):
    def test_sungrazer_stands_where_the_oracle_places_it(self):
        # Lovejoy at perihelion, 0.0056 AU from the Sun's centre and moving
        # 0.8" a second across the sky: light time and the time scale of
        # its elements matter here most.
        row = oracle_row("C/2011 W3 Lovejoy at perihelion 2011 (sungrazer)")
        self.ok(PLAIN_SKY + "; OUTLINE SUN")
        path = load_script("lovejoy.stl", [date_statement(float(row["jd"])), "MODE EQT", "VIEW ANGLE %g" % FIELD],
                           {"Lovejoy": "C/2011 W3"})
        self.ok('STL "%s"' % path)
        self.ok("HIDE DUSTTAIL, IONTAIL, STAR; VIEW CENTER EQT %.7f %.7f; DRIVE"
                % (float(row["ra"]) / 15.0, float(row["dec"])))
        # The Sun's limb passes some 30 pixels from the comet.
        comet_x, comet_y, width = centroid_near_middle(self.gsave("comet"), reach=12)
        self.ok("HIDE COMET; SHOW STAR; VIEW CENTER EQT %.7f %.7f; DRIVE" % REGULUS)
        star_x, star_y, _ = centroid_near_middle(self.gsave("star"), reach=6)
        arcsec_per_pixel = FIELD * 3600.0 / width
        error = ((comet_x - star_x) ** 2 + (comet_y - star_y) ** 2) ** 0.5 * arcsec_per_pixel
        self.assertLess(error, TOLERANCE, "the comet is %.1f\" from the oracle's place" % error)
        self.ok("REAL SUN; SHOW COMET")


class TailMessage(ChartTestCase):
    MESSAGE = "%s: Failed to get position of tail of comet ISON, hided.\n"
    # Every family of views: the sky, the solar system, the two maps, the planisphere.
    VIEWS = ["EQT", "HRZ", "ECL", "SOL1", "SOL2", "SOL3", "ALL1_EQT", "ALL2_EQT", "VOLA"]

    def test_failing_tail_told_by_the_redraw_each_time_it_is_shown(self):
        # ISON three years before its perihelion: its dust tail cannot be
        # computed. STL loads it with Halley and draws nothing, so tells
        # nothing; the DRIVE that draws it tells. The tail is hidden, so the
        # next redraws, LOOK's too, have nothing to tell; shown again, in any
        # view, it fails again and is told again.
        path = load_script("ison.stl", ["DATE 2010,6,1,0,0,0,0", "MODE EQT"], {"ISON": "C/2012 S1", "Halley": "1P"})
        self.ok('STL "%s"' % path)
        self.assertEqual(self.client.request("DRIVE"), self.MESSAGE % "DRIVE")
        self.ok("DRIVE")
        self.ok("LOOK COMET2")
        for view in self.VIEWS:
            with self.subTest(view):
                self.ok("MODE %s; SHOW DUSTTAIL" % view)
                self.assertEqual(self.client.request("DRIVE"), self.MESSAGE % "DRIVE")
                self.ok("DRIVE")
        self.ok("MODE EQT; SHOW DUSTTAIL")
        self.assertEqual(self.client.request("LOOK COMET2"), self.MESSAGE % "LOOK")
        self.ok("DATE 2010,7,1,0,0,0,0; LOOK COMET2")


if __name__ == "__main__":
    ChartTestCase.program = sys.argv.pop(1)
    unittest.main()
