"""The Moon on the chart end to end: a date and a site set through the
command port, LOOK MOON, and the chart read back from a GSAVE image: the
Moon's disk stands in the middle with its lit side toward the Sun. The
eclipse of 2024 April 8 at Dallas: drawn the same after any detour to
another day. And Io beside Jupiter where it is at the instant itself (the
row of tests/data/jovian_offsets.csv).

    bodies_e2e.py UVOLA

Run inside tests/harness/uvola-test-env --xvfb.
"""

import collections
import csv
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import DEFAULT_SITE_OPTIONS, ChartTestCase, UvolaSession, element_line, read_xpm  # noqa: E402


# Only the bodies: no stars, lines, names or status strip in the way.
PLAIN_SKY = ("HIDE STATUSBAR, STAR, CONS_LINE, CONS_NAME1, CONS_NAME2, MILKYWAY, NEBULA, "
             "STARNAME, BAYER, FLAMSTEED, EQT_GRID_DATE, EQT_GRID_2000, WINDOW_CENTER, "
             "DAYLIGHT")
FIELD = 5.0   # degrees across
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


class MoonOnTheChart(ChartTestCase):
    def setUp(self):
        super().setUp()
        self.ok(PLAIN_SKY)

    def chart(self, name):
        self.ok("DRIVE")
        width, height, rows = read_xpm(self.gsave(name))
        background = collections.Counter(c for row in rows for c in row).most_common(1)[0][0]
        return width, height, rows, background

    def lit_pixels(self, rows, background):
        """Pixels of the Moon's lit colour: the commonest colour other than
        the sky's in the middle half of the chart (the strip at the bottom
        edge has a colour of its own)."""
        height, width = len(rows), len(rows[0])
        middle = collections.Counter(rows[y][x] for y in range(height // 4, 3 * height // 4)
                                     for x in range(width // 4, 3 * width // 4)
                                     if rows[y][x] != background)
        self.assertTrue(middle, "nothing drawn in the middle of the chart")
        lit = middle.most_common(1)[0][0]
        return [(x, y) for y, row in enumerate(rows) for x, colour in enumerate(row) if colour == lit]

    def test_waxing_gibbous_moon_in_the_middle_lit_toward_the_sun(self):
        # Tokyo, 2024 March 19, 21:00 local time: the Moon some 110 degrees
        # east of the Sun, high in Gemini; the Sun, near the March equinox
        # point, lies to its west and a little south. On the equatorial chart
        # (north up, east left) the lit side is the right-hand one.
        self.ok("LOCATE 139.77E, 35.68N, 9, 40, Tokyo; DATE 2024,3,19,21,0,0,9; MODE EQT; "
                "TRACK OFF; VIEW ANGLE %g; LOOK MOON; DRIVE" % FIELD)
        width, height, rows, background = self.chart("gibbous")
        lit = self.lit_pixels(rows, background)
        self.assertGreater(len(lit), 500)
        xs = [x for x, _ in lit]
        ys = [y for _, y in lit]
        # The disk: its lit limb spans the full height, centred on the
        # middle of the window across (the projection's centre lies a few
        # pixels above the window's middle).
        radius = (max(ys) - min(ys)) / 2.0
        centre_y = (max(ys) + min(ys)) / 2.0
        centre_x = max(xs) - radius
        self.assertGreater(radius, 15)
        self.assertAlmostEqual(centre_x, width / 2.0, delta=2.0)
        self.assertAlmostEqual(centre_y, height / 2.0, delta=height / 20.0)
        # Gibbous: the middle is lit; the right limb lit, the left dark.
        cx, cy = round(centre_x), round(centre_y)
        self.assertNotEqual(rows[cy][cx], background)
        self.assertNotEqual(rows[cy][round(cx + 0.85 * radius)], background)
        self.assertEqual(rows[cy][round(cx - 0.85 * radius)], background)
        mean_x = sum(xs) / len(xs)
        self.assertGreater(mean_x - centre_x, 0.1 * radius)

    def test_mirrored_chart_turns_the_lit_side_with_the_sky(self):
        self.ok("LOCATE 139.77E, 35.68N, 9, 40, Tokyo; DATE 2024,3,19,21,0,0,9; MODE EQT; "
                "TRACK OFF; VIEW ANGLE %g; MIRROR 2; LOOK MOON; DRIVE" % FIELD)
        try:
            width, height, rows, background = self.chart("mirrored")
        finally:
            self.ok("MIRROR 0; DRIVE")
        lit = self.lit_pixels(rows, background)
        xs = [x for x, _ in lit]
        ys = [y for _, y in lit]
        radius = (max(ys) - min(ys)) / 2.0
        centre_x = min(xs) + radius
        self.assertAlmostEqual(centre_x, width / 2.0, delta=2.0)
        cy = round((max(ys) + min(ys)) / 2.0)
        self.assertNotEqual(rows[cy][round(centre_x - 0.85 * radius)], background)
        self.assertEqual(rows[cy][round(centre_x + 0.85 * radius)], background)


class EclipseOnTheChart(ChartTestCase):
    """Dallas at mid-eclipse, in the horizontal view with a 40 degree field:
    whatever the program did at another day in between, coming back to the
    instant draws the very same chart (the dark Sun in a dark sky)."""

    ECLIPSE = "DATE 2024,4,8,18,42,0,0"
    # Detours to another day: (what it is, its statements).
    DETOURS = [
        ("a solar-system view two days on", "MODE SOL1; DATE 2024,4,10,18,42,0,0; DRIVE; MODE HRZ"),
        ("a solar-system view at the instant", "MODE SOL2; DRIVE; MODE HRZ"),
        ("the sky two days on", "DATE 2024,4,10,18,42,0,0; DRIVE"),
        ("a script loading a comet at another day", 'STL "%s"; HIDE COMET'),
    ]

    def test_eclipse_drawn_the_same_after_every_detour(self):
        script = os.path.join(UvolaSession.home(), "halley.stl")
        with open(script, "w") as out:
            out.write("BLOCK CONTROL\n\tSCENE MAIN\n\t\tDATE 2010,6,1,0,0,0,0\n\t\tCOMET \"Halley\"\n"
                      "\tEND SCENE\nEND BLOCK\n\nBLOCK ORBIT\n:Halley\n%s\nEND BLOCK\n" % element_line("1P"))
        self.ok('LOCATE 96.80W, 32.78N, 0, 139, Dallas; MODE HRZ; %s; VIEW ANGLE 40; LOOK SUN; DRIVE'
                % self.ECLIPSE)
        with open(self.gsave("eclipse"), "rb") as image:
            before = image.read()
        for name, detour in self.DETOURS:
            with self.subTest(name):
                self.client.request(detour.replace("%s", script))
                self.ok("%s; DRIVE; LOOK SUN; DRIVE" % self.ECLIPSE)
                with open(self.gsave(), "rb") as image:
                    self.assertTrue(image.read() == before, "the chart after %s differs" % name)


class SatellitesOnTheChart(ChartTestCase):
    # The narrowest field on the widest window the screen holds: some 3" a
    # pixel.
    options = dict(DEFAULT_SITE_OPTIONS, Geometry="1280x1024+0+0")
    FIELD = 1.0          # degrees across
    TOLERANCE = 5.0      # arcseconds: the circular orbits' few per cent of Io's 140", and a pixel

    def oracle_row(self, satellite):
        with open(os.path.join(ROOT, "tests", "data", "jovian_offsets.csv")) as f:
            for row in csv.DictReader(f):
                if row["satellite"] == satellite:
                    return row
        raise AssertionError("no oracle row for %s" % satellite)

    def test_io_stands_where_it_is_at_the_instant(self):
        # 2024 December 6, 15:36 UT: Io 55" east of Jupiter's centre, 22
        # degrees from passing in front of it, where it crosses the sky
        # fastest: where its light left it 34 minutes earlier lies 11" off.
        row = self.oracle_row("Io")
        expected = (float(row["north"]), float(row["east"]))
        seen = (float(row["north_lt"]), float(row["east_lt"]))
        self.assertGreater(((expected[0] - seen[0]) ** 2 + (expected[1] - seen[1]) ** 2) ** 0.5,
                           2 * self.TOLERANCE)
        self.ok(PLAIN_SKY + "; HIDE JMOON_NAME, JMOON_NO, JUPITER_NAME, JUPITER_MAG, JUPITER_DATE; "
                "SHOW JUPITER, JMOON")
        self.ok("DATE 2024,12,6,15,36,0,0; MODE EQT; TRACK OFF; VIEW ANGLE %g; LOOK JUPITER; DRIVE" % self.FIELD)
        width, height, rows = read_xpm(self.gsave("io"))
        background = collections.Counter(c for row in rows for c in row).most_common(1)[0][0]
        drawn = collections.defaultdict(list)
        for y in range(height // 4, 3 * height // 4):
            for x in range(width // 4, 3 * width // 4):
                if rows[y][x] != background:
                    drawn[rows[y][x]].append((x, y))
        # Jupiter is the disk in the middle; the satellites are single points
        # of another colour.
        disk_colour = max(drawn, key=lambda colour: len(drawn[colour]))
        disk = drawn[disk_colour]
        jupiter = (sum(x for x, _ in disk) / len(disk), sum(y for _, y in disk) / len(disk))
        points = [p for colour, pixels in drawn.items() if colour != disk_colour for p in pixels]
        arcsec_per_pixel = self.FIELD * 3600.0 / width
        # On the equatorial chart north is up and east to the left.
        placed = [((jupiter[1] - y) * arcsec_per_pixel, (jupiter[0] - x) * arcsec_per_pixel) for x, y in points]
        self.assertTrue(placed, "no satellite drawn near Jupiter")
        io = min(placed, key=lambda p: (p[0] - expected[0]) ** 2 + (p[1] - expected[1]) ** 2)
        error = ((io[0] - expected[0]) ** 2 + (io[1] - expected[1]) ** 2) ** 0.5
        self.assertLess(error, self.TOLERANCE, "Io is %.1f\" from its place at the instant (north %.1f\", "
                        "east %.1f\")" % (error, io[0], io[1]))


if __name__ == "__main__":
    ChartTestCase.program = sys.argv.pop(1)
    unittest.main()
