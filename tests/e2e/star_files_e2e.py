"""The SAO star file and the Guide Star Catalog layers end to end: charts
saved with GSAVE from a running uvola whose star files are the source
tree's, with the Guide Star Catalog tree the test fixture made from them.

    star_files_e2e.py UVOLA

Run inside tests/harness/uvola-test-env --xvfb, with UVOLA_GSC_TREE naming
the directory that holds the fixture's "upper" and "lower" trees.
"""

import collections
import filecmp
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import UvolaSession, read_xpm  # noqa: E402

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data")
TREES = os.environ.get("UVOLA_GSC_TREE", "")
PROGRAM = None

STARS_ONLY = ("HIDE STATUSBAR, CONS_LINE, CONS_NAME1, CONS_NAME2, CONS_BOUNDARY, MILKYWAY, NEBULA, "
              "STARNAME, BAYER, FLAMSTEED, STAR_MAG, EQT_GRID_DATE, EQT_GRID_2000, WINDOW_CENTER, "
              "DAYLIGHT, SUN, MOON, PLANET, GROUND, HRZ_GRID, COMPASS; DATE 2000,1,1,0,0,0,0; TRACK OFF")

# Views where every SAO star must show with the catalogue too: the RA 0
# seam, both poles, a wide field, and the horizon view turned and mirrored.
VIEWS = [
    ("seam", "MODE EQT; MIRROR 0; LOOK EQT 0 10; VIEW ANGLE 12"),
    ("north pole", "MODE EQT; LOOK EQT 3 89.5; VIEW ANGLE 14"),
    ("south pole", "MODE EQT; LOOK EQT 15 -89.2; VIEW ANGLE 14"),
    ("pleiades wide", "MODE EQT; LOOK EQT 3.783 24.1; VIEW ANGLE 40"),
    ("horizon turned", "MODE HRZ; LOOK HRZ 200 30; VIEW ANGLE 50; MIRROR 1"),
    ("horizon mirrored", "MODE HRZ; LOOK HRZ 100 60; VIEW ANGLE 30; MIRROR 2"),
]


class Chart:
    def __init__(self, path):
        self.width, self.height, self.rows = read_xpm(path)
        self.background = collections.Counter(c for r in self.rows for c in r).most_common(1)[0][0]

    def lit(self):
        return [(x, y) for y, row in enumerate(self.rows) for x, c in enumerate(row) if c != self.background]

    def lit_near(self, x, y, reach=1):
        return any(self.rows[j][i] != self.background
                   for j in range(max(0, y - reach), min(self.height, y + reach + 1))
                   for i in range(max(0, x - reach), min(self.width, x + reach + 1)))


class StarFileSession:
    """One running program with the given star files and catalogue root."""

    def __init__(self, sao, index, root):
        args = ["-q", "-xrm", "uvola*SaoFile: %s" % sao, "-xrm", "uvola*GscIndexFile: %s" % index]
        self.session = UvolaSession(PROGRAM, args=args, options={"GscDataPath": root}).start()
        self.client = self.session.connect()
        self.directory = tempfile.mkdtemp(dir=UvolaSession.home())
        self.count = 0

    def ok(self, line):
        reply = self.client.request(line)
        if reply != "":
            raise AssertionError("%s: %r" % (line, reply))

    def gsave(self):
        self.count += 1
        base = os.path.join(self.directory, str(self.count), "sky")
        os.makedirs(os.path.dirname(base))
        self.ok("GSAVE %s" % base)
        return base + ".xpm"

    def close(self):
        self.client.close()
        self.session.stop()


def good_session(case):
    return StarFileSession(os.path.join(DATA, "uvola.sao"), os.path.join(DATA, "uvola.gsc"),
                           os.path.join(TREES, case))


class SaoStarsShowWithTheCatalogue(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.uvola = good_session("upper")
        cls.uvola.ok(STARS_ONLY)

    @classmethod
    def tearDownClass(cls):
        cls.uvola.close()

    def test_every_sao_star_draws_with_the_catalogue(self):
        for name, view in VIEWS:
            with self.subTest(view=name):
                self.uvola.ok("STARDATA SAO; %s; MAG STAR 9.0; DRIVE" % view)
                sao = Chart(self.uvola.gsave())
                self.uvola.ok("STARDATA GSC; MAG STAR 9.0; DRIVE")
                gsc = Chart(self.uvola.gsave())
                lit = sao.lit()
                self.assertGreater(len(lit), 200, name)
                missing = [p for p in lit if not gsc.lit_near(*p)]
                self.assertEqual(missing[:5], [], "%s: %d of %d SAO pixels" % (name, len(missing), len(lit)))
        self.uvola.ok("MIRROR 0")


class CatalogueCase(unittest.TestCase):
    def test_lower_and_upper_case_trees_give_the_same_chart(self):
        charts = []
        for case in ("upper", "lower"):
            uvola = good_session(case)
            try:
                uvola.ok(STARS_ONLY)
                uvola.ok("STARDATA GSC; MODE EQT; LOOK EQT 3.783 24.1; VIEW ANGLE 5; MAG STAR 12; DRIVE")
                charts.append(uvola.gsave())
            finally:
                uvola.close()
        self.assertGreater(len(Chart(charts[0]).lit()), 1000)
        self.assertTrue(filecmp.cmp(charts[0], charts[1], shallow=False))


class BadStarFiles(unittest.TestCase):
    def test_a_bad_file_or_index_draws_no_stars(self):
        home = UvolaSession.home()
        bad_sao = os.path.join(home, "bad.sao")
        with open(os.path.join(DATA, "uvola.sao"), "rb") as good, open(bad_sao, "wb") as bad:
            bad.write(good.read()[:-12])
        bad_index = os.path.join(home, "bad.gsc")
        with open(os.path.join(DATA, "uvola.gsc"), "rb") as good, open(bad_index, "wb") as bad:
            bad.write(good.read() + b"\0")
        uvola = StarFileSession(bad_sao, bad_index, os.path.join(TREES, "upper"))
        try:
            uvola.ok("MODE EQT; LOOK EQT 5.5 0; VIEW ANGLE 40; DRIVE")
            uvola.ok("HIDE STAR; DRIVE")
            hidden = uvola.gsave()
            for data in ("SAO", "GSC"):
                uvola.ok("SHOW STAR; STARDATA %s; DRIVE" % data)
                self.assertTrue(filecmp.cmp(uvola.gsave(), hidden, shallow=False), data)
        finally:
            uvola.close()


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main(verbosity=2)
