"""Windows at and beyond the limits of the screen and the X server, and view
centres outside the scroll bars' range.

    window_limits_e2e.py PROGRAM

PROGRAM is uvola; run inside uvola-test-env --xvfb (a 1280x1024 screen).
"""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import UvolaSession, read_xpm  # noqa: E402

PROGRAM = None
SCREEN = (1280, 1024)


def xpm_size(path):
    width, height, _ = read_xpm(path)
    return width, height


class HugeWindows(unittest.TestCase):
    def gsave_size(self, uvola):
        client = uvola.connect()
        path = os.path.join(tempfile.mkdtemp(dir=UvolaSession.home()), "sky")
        self.assertEqual(client.request("GSAVE " + path), "")
        client.close()
        return xpm_size(path + ".xpm")

    def test_geometry_beyond_the_server_starts_with_a_screen_sized_window(self):
        # 65535x65535 ended every start with BadAlloc; 23300x23300 ended GSAVE.
        for geometry in ("65535x65535", "23300x23300+0+0"):
            with self.subTest(geometry=geometry):
                with UvolaSession(PROGRAM, options={"Geometry": geometry}) as uvola:
                    width, height = self.gsave_size(uvola)
                    self.assertLessEqual(width, SCREEN[0])
                    self.assertLessEqual(height, SCREEN[1])
                    self.assertGreater(width * height, SCREEN[0] * SCREEN[1] // 2)
                    self.assertTrue(uvola.alive())

    def test_window_resources_beyond_the_screen_draw_a_screen_sized_chart(self):
        args = ("-q", "-xrm", "uvola*Main.width: 30000", "-xrm", "uvola*Main.height: 30000")
        with UvolaSession(PROGRAM, args=args) as uvola:
            width, height = self.gsave_size(uvola)
            self.assertEqual(width, SCREEN[0])
            self.assertLessEqual(height, SCREEN[1])
            self.assertTrue(uvola.alive())


class ViewCentresForTheScrollBars(unittest.TestCase):
    def test_look_beyond_0_to_360_draws_no_scroll_bar_warning(self):
        with UvolaSession(PROGRAM) as uvola:
            client = uvola.connect()
            for line in ("LOOK HRZ -359.9,30", "MODE GAL; LOOK GAL -1e-13,0", "LOOK GAL -0.5,0",
                         "MODE ECL; LOOK ECL -360,10", "MODE ALL1_EQT; LOOK EQT_DATE 0,0",
                         "MODE HRZ; LOOK HRZ 359.999,0", "LOOK HRZ 10 95", "LOOK HRZ 0 1e5",
                         "MODE EQT; LOOK EQT_DATE 0 -95"):
                self.assertEqual(client.request(line), "", line)
            self.assertEqual(client.request("DRIVE"), "")
            self.assertNotIn("Warning", uvola.output()[1])


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main(verbosity=2)
