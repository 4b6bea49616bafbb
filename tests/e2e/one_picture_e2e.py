"""One state, one picture: in a freshly started program, a DRIVE that
changes nothing draws the very chart the DRIVE before it drew, byte for
byte, however many layers are shown: no layer may draw with a pen (line
style, dashes, width, function, fill, colour) that another layer or the
previous chart left behind.

    one_picture_e2e.py UVOLA DATA_DIR

Run inside tests/harness/uvola-test-env --xvfb.
"""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import DEFAULT_SITE_ARGS, DEFAULT_SITE_OPTIONS, UvolaSession, element_line, read_xpm  # noqa: E402

DATA = None

# Every SHOW keyword that draws on the chart, ten at a time (the trace
# keyword is left out: it keeps the earlier chart on purpose).
EVERY_LAYER = [
    "SHOW JMOON, JMOON_NAME, JMOON_NO, STAR, STARNAME, BAYER, FLAMSTEED, STAR_MAG, VARIABLE, MILKYWAY",
    "SHOW NEBULA, NEBULA_NAME, NEBULA_LINE, NEBULA_MAG, PLANETARY, DIFFUSE, GLOBE, OPEN, GALAXY, COMPOUND",
    "SHOW MESSIER, NGC, IC, CONS_NAME1, CONS_NAME2, CONS_LINE, CONS_PICT, CONS_LIMIT, DAYLIGHT, TWILIGHT",
    "SHOW LANDSCAPE, METEOR, SWMETEOR, SCMETEOR, HORIZON, HRZ_GRID, DIR, MERIDIAN, HRZ_GRID_NUM, ECL_GRID_NUM",
    "SHOW EQT_GRID_2000_NUM, EQT_GRID_1950_NUM, EQT_GRID_DATE_NUM, GAL_GRID_NUM, EQT_GRID_2000, EQT_GRID_1950",
    "SHOW EQT_GRID_DATE, EQT_2000, EQT_1950, EQT_DATE, ECL_GRID, ECL, GAL_GRID, GAL, SOL_GRID, WINDOW_CENTER",
    "SHOW MRD_NUM, EQT_2000_NUM, EQT_1950_NUM, EQT_DATE_NUM, ECL_NUM, GAL_NUM, VIEW_CIRCLE, IMAGE_MARK",
    "SHOW VIEW_PHOTO, AD, AD_NAME, SKYMARK, SKYMARK_NAME, PICTUREMARK, STATUSBAR, PLANET, PLANET_NAME",
    "SHOW PLANET_MAG, PLANET_OBT, COMET, DUSTTAIL, IONTAIL, MINORPLANET, SUN_SPOT",
]

# A user-object file whose outlines use every dash pattern in turn, round
# the whole sky between declinations -20 and +20, with a point of each kind.
PATTERNS = ["5555", "f99f", "f0f0", "ffea", "ffff"]
USER_OBJECTS = "EPOCH J2000\n" + "".join(
    "LINE %d, %s\n%02d00 -2000\n%02d00 2000\n%02d00 2000\nEND\n%02d00 0000 STAR 35 1 \"Dot%d\" 7\n"
    "%02d30 0500 NEBULA 2 \"Smudge%d\" 8\n%02d30 -0500 MARK %d \"Here%d\" 9\n"
    % (2 + h % 5, PATTERNS[h % 5], h, h, (h + 1) % 24, h, h, h, h, h, h // 2 % 2, h) for h in range(0, 24, 2))

# Halley six weeks after its perihelion, with its tails, and two more.
SMALL_BODIES = {"Halley": "1P", "Encke": "2P", "Pons-Brooks": "12P"}

# Rows: (what, statements after the files are loaded). Each runs in a
# program of its own, started afresh; the view is set before the layers are
# shown, since LOOK draws a chart of its own.
ROWS = [
    ("grids over the sky marks at the clock's time", ["SHOW SKYMARK, ECL_GRID, EQT_GRID_DATE"]),
    ("every layer, horizontal view", ["MODE HRZ; VIEW ANGLE 120; LOOK COMET1"] + EVERY_LAYER),
    ("every layer, equatorial view", ["MODE EQT; VIEW ANGLE 60; LOOK COMET1"] + EVERY_LAYER),
    ("every layer, Aitoff map", ["MODE ALL2_EQT"] + EVERY_LAYER),
    ("every layer, cylindrical map", ["MODE ALL1_ECL"] + EVERY_LAYER),
    ("every layer, planisphere", ["MODE VOLA"] + EVERY_LAYER),
    ("every layer, solar system", ["MODE SOL1"] + EVERY_LAYER),
    ("every layer, grids numbered in MODE2", ["GRID MODE2; MODE EQT; VIEW ANGLE 30; LOOK COMET1"] + EVERY_LAYER),
]


def write_files(home):
    """The user-object file and a script loading the comets at the date
    of the charts; their paths."""
    objects = os.path.join(home, "pens.adf")
    with open(objects, "w") as out:
        out.write(USER_OBJECTS)
    script = os.path.join(home, "comets.stl")
    with open(script, "w") as out:
        out.write("BLOCK CONTROL\n\tSCENE MAIN\n\t\tDATE 1986,3,20,5,0,0,0\n")
        out.write("".join('\t\tCOMET "%s"\n' % label for label in SMALL_BODIES))
        out.write("\tEND SCENE\nEND BLOCK\n\nBLOCK ORBIT\n")
        out.write("".join(":%s\n%s\n" % (label, element_line(name)) for label, name in SMALL_BODIES.items()))
        out.write("END BLOCK\n")
    return objects, script


class OneStateOnePicture(unittest.TestCase):
    program = None

    def two_charts(self, statements):
        """The GSAVE images after a DRIVE and after the DRIVE after it, in a
        program started for them, with the sample sky marks and click data."""
        objects, script = write_files(UvolaSession.home())
        args = ("-q",) + DEFAULT_SITE_ARGS
        for name, value in (("SkyMarkFile", os.path.join(DATA, "skymark.adf")),
                            ("ClickDataFile", os.path.join(DATA, "uvola.cdf")),
                            ("ClickImagePath", os.path.join(DATA, "image") + "/")):
            args += ("-xrm", "uvola*%s: %s" % (name, value))
        charts = []
        with UvolaSession(self.program, args=args, options=DEFAULT_SITE_OPTIONS) as uvola:
            client = uvola.connect()
            if len(statements) > 1:
                for line in ("LOAD AD %s" % objects, 'STL "%s"' % script):
                    self.assertEqual(client.request(line), "", line)
            for line in statements:
                self.assertEqual(client.request(line), "", line)
            for _ in range(2):
                self.assertEqual(client.request("DRIVE"), "")
                directory = tempfile.mkdtemp(dir=UvolaSession.home())
                self.assertEqual(client.request("GSAVE %s/sky" % directory), "")
                charts.append(os.path.join(directory, "sky.xpm"))
        return charts

    def test_a_second_drive_draws_the_same_chart(self):
        for what, statements in ROWS:
            with self.subTest(what):
                first, second = self.two_charts(statements)
                with open(first, "rb") as a, open(second, "rb") as b:
                    if a.read() != b.read():
                        _, _, rows_a = read_xpm(first)
                        _, _, rows_b = read_xpm(second)
                        changed = sum(p != q for ra, rb in zip(rows_a, rows_b) for p, q in zip(ra, rb))
                        self.fail("%s: %d pixels differ" % (what, changed))


if __name__ == "__main__":
    OneStateOnePicture.program = sys.argv.pop(1)
    DATA = sys.argv.pop(1)
    unittest.main()
