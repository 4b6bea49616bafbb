"""What the program has to tell a command-port client comes in its replies,
never in a box on a screen nobody may be watching: the end of an animation
the client started at the date limit. INIT without a default site answers
the client nothing and asks the person at the screen for a default site in
a box, as it does at start, each time.

    quiet_port_e2e.py PROGRAM

PROGRAM is uvola; run inside uvola-test-env --xvfb.
"""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import ChartTestCase, top_level_windows_named  # noqa: E402

OUT_OF_DATE = "Out of date limit, stopped playing.\n"


class QuietPort(ChartTestCase):
    """No SiteName: start-up itself shows the site box."""

    args = ("-q",)
    options = {}

    def setUp(self):
        super().setUp()
        self.ok("DRIVE")
        self.boxes = top_level_windows_named("MessageBox_popup")

    def assert_new_boxes(self, count):
        # A round trip brings the program back to its event loop, which
        # sends any window it made to the server.
        self.ok("DRIVE")
        self.assertEqual(len(top_level_windows_named("MessageBox_popup")), len(self.boxes) + count)

    def test_init_without_a_default_site_shows_the_site_box_each_time(self):
        for _ in range(3):
            self.assertEqual(self.client.request("INIT"), "")
        self.assert_new_boxes(3)

    def test_run_stopped_at_the_date_limit_is_told_in_the_next_reply(self):
        self.assertEqual(self.client.request("DATE 30000,12,31,12,0; PERIOD 1; CONTINUE"), "")
        deadline = time.monotonic() + 10.0
        reply = ""
        while reply == "" and time.monotonic() < deadline:
            reply = self.client.request("DRIVE")
        self.assertEqual(reply, OUT_OF_DATE)
        self.ok("DRIVE")
        self.assert_new_boxes(0)


if __name__ == "__main__":
    ChartTestCase.program = sys.argv.pop(1)
    unittest.main(verbosity=2)
