"""The view commands end to end: MODE, LOOK, VIEW, ZOOM, TRACK and BLINK sent
to a running uvola through its command port, the chart read back from GSAVE
images, and refused commands answered with their error text while the chart
stays as it was.

    view_e2e.py UVOLA

Run inside tests/harness/uvola-test-env --xvfb.
"""

import collections
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import ChartTestCase, read_xpm  # noqa: E402

# Everything but the stars off, so that the middle of the chart shows only
# what the test looks for.
PLAIN_SKY = ("HIDE STATUSBAR, CONS_LINE, CONS_NAME1, CONS_NAME2, MILKYWAY, NEBULA, "
             "STARNAME, BAYER, FLAMSTEED, EQT_GRID_DATE, EQT_GRID_2000, WINDOW_CENTER, "
             "DAYLIGHT")

FIELD = 30.0   # degrees across


class Chart:
    def __init__(self, path):
        self.width, self.height, self.rows = read_xpm(path)
        counts = collections.Counter(c for row in self.rows for c in row)
        self.background = counts.most_common(1)[0][0]

    def brightest_blob(self):
        """Centre of the largest run of pixels of one colour (other than the
        background) in the middle three quarters of the height: Sirius's
        disk in these charts, also when a LOOK has moved it five degrees
        from the middle."""
        best = None
        for y in range(self.height // 8, 7 * self.height // 8):
            for x in range(self.width // 4, 3 * self.width // 4):
                colour = self.rows[y][x]
                if colour == self.background:
                    continue
                cells = [(i, j) for j in range(y - 3, y + 4) for i in range(x - 3, x + 4)
                         if self.rows[j][i] == colour]
                if best is None or len(cells) > best[0]:
                    best = (len(cells), sum(c[0] for c in cells) / len(cells),
                            sum(c[1] for c in cells) / len(cells))
        return best

    def lit_near(self, x, y, reach=2):
        """Number of pixels other than the background within reach of (x, y)."""
        return sum(1 for j in range(y - reach, y + reach + 1)
                   for i in range(x - reach, x + reach + 1)
                   if 0 <= i < self.width and 0 <= j < self.height
                   and self.rows[j][i] != self.background)


class ViewCommands(ChartTestCase):
    def setUp(self):
        super().setUp()
        self.ok(PLAIN_SKY)
        self.ok('DATE 2000,1,1,0,0,0,0; MODE EQT; TRACK OFF; VIEW ANGLE %g; DRIVE' % FIELD)

    def chart(self):
        """The chart, redrawn and read from a GSAVE image."""
        self.ok("DRIVE")
        return Chart(self.gsave())

    def raw_chart(self):
        """The rows of the last chart."""
        return Chart(os.path.join(self.directory, str(self.count), "sky.xpm")).rows

    def test_look_puts_sirius_in_the_middle(self):
        self.ok("MODE EQT; LOOK STAR alphaCMa; DRIVE")
        chart = self.chart()
        size, x, y = chart.brightest_blob()
        self.assertGreaterEqual(size, 9)
        # Across, the middle of the window; down, the projection's centre,
        # which lies a few pixels above the window's middle.
        self.assertAlmostEqual(x, chart.width / 2, delta=1.0)
        self.assertAlmostEqual(y, chart.height / 2, delta=chart.height / 20)
        # Five degrees north of Sirius, Sirius stands five degrees lower.
        self.ok("LOOK EQT 6.7525 -11.716; DRIVE")
        north = self.chart()
        moved, x2, y2 = north.brightest_blob()
        # The same star; a shift of a fraction of a pixel may light one
        # pixel more or less of its disc.
        self.assertAlmostEqual(moved, size, delta=1)
        self.assertAlmostEqual(x2, x, delta=1.0)
        self.assertAlmostEqual(y2 - y, 5.0 * north.width / FIELD, delta=2.0)
        self.assertEqual(north.lit_near(round(x), round(y), 1), 0)
        self.centre = (round(x), round(y))

    def test_the_same_place_by_every_name_gives_the_same_chart(self):
        self.ok("LOOK STAR alphaCMa; DRIVE")
        self.chart()
        by_designation = self.raw_chart()
        for line in ("LOOK Sirius", "VIEW CENTER STAR 9CMa; DRIVE", "LOOK sirius"):
            self.ok("LOOK EQT 12 0; DRIVE")
            self.ok(line + "; DRIVE")
            self.chart()
            self.assertEqual(self.raw_chart(), by_designation, line)

    def test_track_survives_look_and_zoom(self):
        self.ok("LOOK STAR alphaCMa; DRIVE")
        self.chart()
        centred = self.raw_chart()
        self.ok("LOOK EQT 12 0; TRACK STAR alphaCMa; DRIVE; LOOK EQT 12 0; ZOOM DOWN; ZOOM UP; DRIVE")
        self.chart()
        self.assertEqual(self.raw_chart(), centred)
        self.ok("TRACK OFF; LOOK EQT 12 0; DRIVE")
        self.chart()
        self.assertNotEqual(self.raw_chart(), centred)

    def test_blink_leaves_the_chart_as_it_was(self):
        self.ok("LOOK STAR alphaCMa; DRIVE")
        self.chart()
        before = self.raw_chart()
        self.ok("BLINK STAR alphaCMa")
        self.chart()
        self.assertEqual(self.raw_chart(), before)

    def test_coordinates_are_read_as_numbers_are_and_taken_as_given(self):
        # 25 hours is 1 hour round the sky; text that is no number reads 0.
        for line, same in (("LOOK EQT 25 0", "LOOK EQT 1 0"), ("LOOK EQT 6 abc", "LOOK EQT 6 0"),
                           ("LOOK GAL 370 -5", "LOOK GAL 10 -5")):
            self.ok(same + "; DRIVE")
            self.chart()
            expected = self.raw_chart()
            self.ok("LOOK EQT 12 40; DRIVE")
            self.ok(line + "; DRIVE")
            self.chart()
            self.assertEqual(self.raw_chart(), expected, line)

    def test_fields_below_one_degree_are_drawn(self):
        # A tenth of a degree north of Sirius, Sirius stands a tenth of a
        # degree below the middle: twice as far in a 0.5-degree field as
        # in a 1-degree one (the catalogue's places are good to 0.004
        # degrees, some 5 pixels here).
        shifts = []
        for field in (1.0, 0.5):
            self.ok("VIEW ANGLE %g; LOOK STAR alphaCMa; DRIVE" % field)
            size, x, y = self.chart().brightest_blob()
            self.ok("LOOK EQT 6.7525 -16.616; DRIVE")
            chart = self.chart()
            moved, x2, y2 = chart.brightest_blob()
            self.assertAlmostEqual(y2 - y, 0.1 * chart.width / field, delta=5.0, msg=field)
            shifts.append(y2 - y)
        self.assertAlmostEqual(shifts[1], 2 * shifts[0], delta=3.0)

    def test_refused_commands_answer_their_error_and_keep_the_chart(self):
        self.ok("LOOK STAR alphaCMa; DRIVE")
        self.chart()
        sirius = self.raw_chart()
        for line, reply in (
                ("LOOK hrz 10 1e300", "LOOK: Illegal Parameter: HRZ\n"),
                ("LOOK EQT nan 0", "LOOK: Illegal Parameter: EQT\n"),
                ("LOOK NOSUCH", "LOOK: Illegal Parameter: NOSUCH\n"),
                ("LOOK PLANET", "LOOK: Illegal Parameter: PLANET\n"),
                ("LOOK", "LOOK: Illegal Parameter: \n"),
                ("TRACK GAL 1e999 0", "TRACK: Illegal Parameter: GAL\n"),
                ("ZOOM UP nan", "ZOOM: Illegal Parameter: nan\n"),
                ("ZOOM", "ZOOM: Illegal Parameter: \n"),
                ("VIEW ANGLE -3", "VIEW: Illegal Parameter: -3\n"),
                ("VIEW ANGLE inf", "VIEW: Illegal Parameter: inf\n"),
                ("VIEW FOO 1", "VIEW: Syntax Error: FOO\n"),
                ("MIRROR 3", "MIRROR: Illegal Parameter: 3\n"),
                ("SOL_OFFSET 1 nan", "SOL_OFFSET: Illegal Parameter: nan\n"),
                ("BLINK NOSUCH", "BLINK: Illegal Parameter: NOSUCH\n")):
            self.assertEqual(self.client.request(line), reply, line)
            self.ok("DRIVE")
            self.chart()
            self.assertEqual(self.raw_chart(), sirius, line)

    def test_zoom_and_mirror_change_the_chart_and_return(self):
        self.ok("LOOK STAR alphaCMa; DRIVE")
        self.chart()
        start = self.raw_chart()
        self.ok("ZOOM UP 10; DRIVE")
        self.chart()
        self.assertNotEqual(self.raw_chart(), start)
        self.ok("ZOOM DOWN 10; DRIVE")
        self.chart()
        self.assertEqual(self.raw_chart(), start)
        self.ok("MIRROR 2; DRIVE")
        self.chart()
        self.assertNotEqual(self.raw_chart(), start)
        self.ok("MIRROR 0; DRIVE")
        self.chart()
        self.assertEqual(self.raw_chart(), start)

    def test_numbers_are_read_as_the_commands_read_them(self):
        """Text that is no number is 0, and values beyond the view's limits
        are taken (the redraw clamps the field): each line is accepted and
        draws what its plain form draws."""
        base = ("DATE 2000,1,1,0,0,0,0; MODE EQT; MIRROR 0; STIME NONE; STARSIZE 1; MAG STAR 6; "
                "VIEW ANGLE %g; LOOK STAR alphaCMa" % FIELD)
        for line, same in (("MODE HRZ; MIRROR -1", "MODE HRZ; MIRROR 0"),
                           ("MIRROR 2; MIRROR x", "MIRROR 0"),
                           ("ZOOM UP x", "ZOOM UP"),
                           ("VIEW ANGLE 500", "VIEW ANGLE 1000"),
                           ("STARSIZE x", "STARSIZE 0"),
                           ("MAG STAR x", "MAG STAR 0"),
                           ("DATE 2000,1,1,x,0,0,0", "DATE 2000,1,1,0,0,0,0"),
                           ("STIME SUNRISE 100DEG", "STIME NONE")):
            charts = []
            for text in (line, same):
                self.ok(base)
                self.assertEqual(self.client.request(text), "", text)
                self.chart()
                charts.append(self.raw_chart())
            self.assertEqual(charts[0], charts[1], line)


if __name__ == "__main__":
    ChartTestCase.program = sys.argv.pop(1)
    unittest.main()
