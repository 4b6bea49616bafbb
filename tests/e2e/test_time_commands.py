"""The time and place commands end to end: DATE, LOCATE, STIME and DRIVE sent
to a running uvola through its command port, the chart compared through
GSAVE images, and refused commands answered with their error text while the
chart stays as it was.

    test_time_commands.py UVOLA

Run inside tests/harness/uvola-test-env --xvfb.
"""

import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import ChartTestCase, UvolaSession  # noqa: E402



def site_record(name, longitude, latitude, height, zone):
    """A line of the site list as the site dialogs write it."""
    return "%-40.40s %7.3f%s %6.3f%s %4d %s%05.2f \n" % (
        name, abs(longitude), "W" if longitude < 0 else "E", abs(latitude),
        "S" if latitude < 0 else "N", height, "-" if zone < 0 else "+", abs(zone))


def message_boxes():
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True,
                          check=True).stdout
    return [line for line in tree.splitlines() if '"MessageBox_popup"' in line]


class TimeAndPlace(ChartTestCase):
    @classmethod
    def prepare_home(cls):
        directory = UvolaSession.user_directory()
        os.makedirs(directory, exist_ok=True)
        with open(os.path.join(directory, "uvola.obs"), "w") as sites:
            sites.write(site_record("Greenwich (United Kingdom)", 0.0, 51.477, 50, 0.0))
            sites.write(site_record("Sydney (Australia)", 151.2, -33.867, 40, 10.0))
            sites.write(site_record("Alert (Canada)", -62.35, 82.5, 30, -5.0))
            # The list ends here: no site below this line is ever found.
            sites.write("# sites of the club\n")
            sites.write(site_record("Hidden (Nowhere)", 10.0, 10.0, 0, 1.0))

    def chart(self):
        """The chart as drawn now, as the bytes of a GSAVE image."""
        with open(self.gsave(), "rb") as image:
            return image.read()

    def noon_in_greenwich(self):
        self.ok('TIMESYS LST; STIME NONE; LOCATE "Greenwich (United Kingdom)"; '
                "DATE 2000,6,21,12,0,0,0; DRIVE")
        return self.chart()

    def test_date_and_locate_change_the_chart_and_return_to_it(self):
        noon = self.noon_in_greenwich()
        self.ok("DATE 2000,6,21,0,0,0; DRIVE")
        midnight = self.chart()
        self.assertNotEqual(noon, midnight)
        self.ok('LOCATE "Sydney (Australia)"; DRIVE')
        self.assertNotEqual(self.chart(), midnight)
        # Sydney's zone came with the site, so the clock moved with it; going
        # back to the same instant at Greenwich gives the same chart again.
        self.ok("LOCATE 0E,51.477N,0,50,\"Greenwich (United Kingdom)\"; DRIVE")
        self.assertEqual(self.chart(), midnight)
        self.ok("INCTIME ,,,12; DRIVE")
        self.assertEqual(self.chart(), noon)
        self.ok("DECTIME ,,,,720; DRIVE")
        self.assertEqual(self.chart(), midnight)

    def test_refused_commands_answer_their_error_and_keep_the_chart(self):
        noon = self.noon_in_greenwich()
        for line, reply in (
                ("DATE 2000,1,1,0,0,1e300", "DATE: Illegal Parameter: \n"),
                ("DATE 2000,13,1", "DATE: Illegal Parameter: \n"),
                ("DATE 30001,1,1", "DATE: Illegal Parameter: \n"),
                ("INCTIME 99999999999", "INCTIME: Illegal Parameter: 99999999999\n"),
                ("LOCATE nan", "LOCATE: Illegal Parameter: nan\n"),
                ("LOCATE ,,1e300", "LOCATE: Illegal Parameter: 1e300\n"),
                ("TIMESYS GMT", "TIMESYS: Illegal Parameter: GMT\n"),
                ("STIME SUNSET 30", "STIME: Illegal Parameter: 30\n"),
                # A name the site list lacks reads as longitude 0, where
                # Greenwich is: accepted, and the chart is the same.
                ("LOCATE Atlantis", ""),
                # So does one listed below the comment that ends the list.
                ('LOCATE "Hidden (Nowhere)"', ""),
                ("INCTIME x", "")):
            self.assertEqual(self.client.request(line), reply, line)
            self.ok("DRIVE")
            self.assertEqual(self.chart(), noon, line)

    def test_sunrise_lock_moves_the_clock_and_ends_in_polar_night(self):
        self.ok('TIMESYS LST; STIME NONE; LOCATE "Greenwich (United Kingdom)"; '
                "DATE 2000,12,21,3,46,0,0; DRIVE")
        early = self.chart()
        self.ok("STIME SUNRISE +30MIN; DRIVE")
        locked = self.chart()
        self.assertNotEqual(locked, early)
        # Any clock time of the day gives the same locked chart.
        self.ok("DATE ,,,15,0,0; DRIVE")
        self.assertEqual(self.chart(), locked)

        # LOCATE reports no error: the lock ends with a box on the screen,
        # also for a request of the command port.
        boxes = message_boxes()
        self.assertEqual(self.client.request('LOCATE "Alert (Canada)"'), "")
        self.ok("DRIVE")
        self.assertEqual(len(message_boxes()), len(boxes) + 1)
        # The lock is gone: back at Greenwich the clock stays as set.
        self.ok('LOCATE "Greenwich (United Kingdom)"; DATE 2000,12,21,3,46,0; DRIVE')
        self.assertEqual(self.chart(), early)


if __name__ == "__main__":
    ChartTestCase.program = sys.argv.pop(1)
    unittest.main()
