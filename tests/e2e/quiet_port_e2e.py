"""What the program has to tell a command-port client comes in its replies,
never in a box on a screen nobody may be watching: the end of an animation
the client started at the date limit. INIT without a default site tells it
nothing: the request for a default site is the person's, shown at start.

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
    """No SiteName: start-up itself shows the site box, once."""

    args = ("-q",)
    options = {}

    def setUp(self):
        super().setUp()
        self.ok("DRIVE")
        self.boxes = top_level_windows_named("MessageBox_popup")

    def assert_no_new_box(self):
        # A round trip brings the program back to its event loop, which
        # sends any window it made to the server.
        self.ok("DRIVE")
        self.assertEqual(top_level_windows_named("MessageBox_popup"), self.boxes)

    def test_init_without_a_default_site_answers_nothing_but_its_prompt(self):
        for _ in range(3):
            self.assertEqual(self.client.request("INIT"), "")
        self.assert_no_new_box()

    def test_run_stopped_at_the_date_limit_is_told_in_the_next_reply(self):
        self.assertEqual(self.client.request("DATE 30000,12,31,12,0; PERIOD 1; CONTINUE"), "")
        deadline = time.monotonic() + 10.0
        reply = ""
        while reply == "" and time.monotonic() < deadline:
            reply = self.client.request("DRIVE")
        self.assertEqual(reply, OUT_OF_DATE)
        self.ok("DRIVE")
        self.assert_no_new_box()


if __name__ == "__main__":
    ChartTestCase.program = sys.argv.pop(1)
    unittest.main(verbosity=2)
