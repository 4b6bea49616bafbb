"""The element-file indexes built at start-up, end to end: a first start
with element files newer than any index builds comet.dbm and mp.dbm in the
private ~/.uvola, saying so with dots and "done."; a second start finds them
current and says nothing; a damaged file leaves no index and, building
it, says nothing on standard error.

    element_index_e2e.py UVOLA

Run inside tests/harness/uvola-test-env --xvfb.
"""

import os
import shutil
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import UvolaSession  # noqa: E402

PROGRAM = None
DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data")
ANNOUNCEMENT = "uvola: Creating index file.  This may take a while.\n"
PROGRESS = "." * 50 + "done.\n"


class ElementIndexAtStartUp(unittest.TestCase):
    def setUp(self):
        self.directory = tempfile.mkdtemp(dir=os.path.dirname(UvolaSession.home().rstrip("/")))
        self.comets = os.path.join(self.directory, "comet.elm")
        self.minor_planets = os.path.join(self.directory, "mp.elm")
        shutil.copy(os.path.join(DATA, "comet.elm"), self.comets)
        shutil.copy(os.path.join(DATA, "mp.elm"), self.minor_planets)
        for name in ("comet.dbm", "mp.dbm"):
            path = os.path.join(UvolaSession.user_directory(), name)
            if os.path.exists(path):
                os.remove(path)

    def tearDown(self):
        shutil.rmtree(self.directory, ignore_errors=True)

    def start(self):
        args = ("-q", "-xrm", "UVola*CometFile: " + self.comets,
                "-xrm", "UVola*MPlanetFile: " + self.minor_planets)
        with UvolaSession(PROGRAM, args=args) as uvola:
            uvola.connect().request("DRIVE")
            return uvola.output()

    def index(self, name):
        return os.path.join(UvolaSession.user_directory(), name)

    def temporaries(self, name):
        """What the index's writer left beside it."""
        return [entry for entry in os.listdir(UvolaSession.user_directory())
                if entry.startswith(name + ".$NEW$")]

    def test_first_start_builds_both_indexes_and_the_second_does_not(self):
        stdout, stderr = self.start()
        self.assertEqual(stdout, ANNOUNCEMENT + PROGRESS + PROGRESS)
        self.assertEqual(stderr, "")
        for name in ("comet.dbm", "mp.dbm"):
            self.assertGreater(os.path.getsize(self.index(name)), 0)
            self.assertEqual(self.temporaries(name), [])
        stdout, _ = self.start()
        self.assertEqual(stdout, "")

    def test_a_damaged_file_leaves_no_index_and_says_nothing(self):
        with open(self.comets, "ab") as f:
            f.write(b"C truncated record\r\n")
        stdout, stderr = self.start()
        self.assertEqual(stdout, ANNOUNCEMENT + "." * 49 + PROGRESS)
        self.assertEqual(stderr, "")
        self.assertFalse(os.path.exists(self.index("comet.dbm")))
        self.assertEqual(self.temporaries("comet.dbm"), [])
        self.assertTrue(os.path.exists(self.index("mp.dbm")))


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main()
