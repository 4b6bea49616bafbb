"""A command-port client hears only the errors of its own requests: an
animation it started that stops at the date limit shows its box on the
screen, as any other run does, and adds nothing to a later reply. INIT
without a default site answers the client nothing and asks the person at
the screen for a default site in a box, as it does at start, each time.

    quiet_port_e2e.py PROGRAM

PROGRAM is uvola; run inside uvola-test-env --xvfb.
"""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import ChartTestCase, top_level_windows_named  # noqa: E402


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

    def test_run_stopped_at_the_date_limit_shows_its_box(self):
        self.assertEqual(self.client.request("DATE 30000,12,31,12,0; PERIOD 1; CONTINUE"), "")
        deadline = time.monotonic() + 10.0
        while (len(top_level_windows_named("MessageBox_popup")) == len(self.boxes)
               and time.monotonic() < deadline):
            self.assertEqual(self.client.request("DRIVE"), "")
        self.assertEqual(len(top_level_windows_named("MessageBox_popup")), len(self.boxes) + 1)
        # Once: the run has stopped, and the replies stay empty.
        for _ in range(3):
            self.assertEqual(self.client.request("DRIVE"), "")
        self.assertEqual(len(top_level_windows_named("MessageBox_popup")), len(self.boxes) + 1)


if __name__ == "__main__":
    ChartTestCase.program = sys.argv.pop(1)
    unittest.main(verbosity=2)
