"""User-object files, the sky marks and the click data end to end: the
program started with the sample sky-mark and click-data files, driven
through its command port, its charts read back from GSAVE.

    user_files_e2e.py UVOLA DATA_DIR

Run inside tests/harness/uvola-test-env --xvfb.
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import ChartTestCase, UvolaSession, top_level_windows_named, xpm_pixels  # noqa: E402

DATA = None

# Colours no other layer uses, so that a pixel tells what drew it.
LINE_COLOUR = (0x12, 0xFE, 0x34)     # ColorStar0: colour number 1, the asterisms' lines
LABEL_COLOUR = (0xFE, 0x34, 0x12)    # ColorDirection2Font: colour number 7, their names
MARK_COLOUR = (0xFF, 0x00, 0xFF)     # ColorPictureMark

# A dark, plain chart: no stars (they would take colour 1 too), no status
# strip, so the sky is the whole image and its centre the view's.
PLAIN_CHART = "DATE 2024,1,10,0,0,0; HIDE STAR, STATUSBAR, MILKYWAY; MODE EQT"


def resource(colour):
    return "#%02X%02X%02X" % colour


def colour_pixels(path, colour):
    """(x, y) of every pixel of a GSAVE image in the colour, with the
    image's width and height."""
    width, height, rows = xpm_pixels(path)
    points = [(x, y) for y, row in enumerate(rows) for x, pixel in enumerate(row) if pixel == colour]
    return points, width, height


class UserFiles(ChartTestCase):
    @classmethod
    def prepare_home(cls):
        resources = {"SkyMarkFile": os.path.join(DATA, "skymark.adf"),
                     "ClickDataFile": os.path.join(DATA, "uvola.cdf"),
                     "ClickImagePath": os.path.join(DATA, "image") + "/",
                     "ColorStar0": resource(LINE_COLOUR), "ColorDirection2Font": resource(LABEL_COLOUR),
                     "ColorPictureMark": resource(MARK_COLOUR)}
        cls.args = list(ChartTestCase.args)
        for name, value in resources.items():
            cls.args += ["-xrm", "uvola*%s: %s" % (name, value)]
        home = UvolaSession.home()
        with open(os.path.join(home, "marks.adf"), "w") as marks:
            marks.write("LINE 1\nSTAR alphaOri\nSTAR betaOri\nEND\nSTAR alphaOri MARK 1 Giant 7\n")
        with open(os.path.join(home, "bad.adf"), "w") as bad:
            bad.write("# a user file\nM31 Andromeda\nNOSUCH place\n")
        # Numbers that are none read as 0, a pattern that is none is kept,
        # an EPOCH of another word keeps the frame: only targets refuse.
        with open(os.path.join(home, "loose.adf"), "w") as loose:
            loose.write("EPOCH EQT_B1950\nLINE red, zz\nSTAR alphaOri\nSTAR betaOri\nEND\n"
                        "STAR alphaOri STAR bright class Loose blue\nM42 NEBULA four Cloud\n")

    def chart(self):
        self.ok("DRIVE")
        return self.gsave()

    # The sky marks are hidden until shown (the other tests find them so).
    def test_sky_marks_loaded_at_start_draw_the_summer_triangle(self):
        self.ok("SHOW SKYMARK, SKYMARK_NAME")
        self.addCleanup(self.ok, "HIDE SKYMARK, SKYMARK_NAME")
        self.ok(PLAIN_CHART + "; VIEW ANGLE 60; LOOK SKYMARK \"Summer Triangle\"")
        chart = self.chart()
        lines, width, height = colour_pixels(chart, LINE_COLOUR)
        names, _, _ = colour_pixels(chart, LABEL_COLOUR)
        # The outline runs across the view from Vega to Altair and Deneb.
        self.assertGreater(len(lines), 150)
        self.assertLess(min(x for x, _ in lines), width / 2 - 60)
        self.assertGreater(max(x for x, _ in lines), width / 2 + 60)
        # Its name (MARK 0) is centred on the view, which LOOK put there.
        near = [(x, y) for x, y in names if abs(y - height / 2) < 20 and abs(x - width / 2) < 80]
        self.assertGreater(len(near), 20)
        middle = (min(x for x, _ in near) + max(x for x, _ in near)) / 2
        self.assertAlmostEqual(middle, width / 2, delta=4)
        self.ok("HIDE SKYMARK")
        lines, _, _ = colour_pixels(self.chart(), LINE_COLOUR)
        self.assertEqual(lines, [])

    def test_load_ad_draws_the_file_and_unload_takes_it_away(self):
        self.ok(PLAIN_CHART + "; VIEW ANGLE 40; LOOK STAR deltaOri")
        before, _, _ = colour_pixels(self.chart(), LINE_COLOUR)
        self.assertEqual(before, [])
        self.ok("LOAD AD ~/marks.adf")
        chart = self.chart()
        lines, _, _ = colour_pixels(chart, LINE_COLOUR)
        names, _, _ = colour_pixels(chart, LABEL_COLOUR)
        self.assertGreater(len(lines), 40)
        self.assertGreater(len(names), 10)
        self.ok("LOOK AD Giant")
        self.ok("UNLOAD AD ~/marks.adf")
        lines, _, _ = colour_pixels(self.chart(), LINE_COLOUR)
        self.assertEqual(lines, [])

    def test_a_refused_file_is_told_in_a_box_with_its_line(self):
        self.ok("DRIVE")
        boxes = top_level_windows_named("MessageBox_popup")
        self.assertEqual(self.client.request("LOAD AD ~/bad.adf"), "")
        self.ok("DRIVE")
        self.assertEqual(len(top_level_windows_named("MessageBox_popup")), len(boxes) + 1)
        self.assertEqual(self.client.request("LOOK AD Andromeda"), "LOOK: Illegal Parameter: AD\n")
        self.assertEqual(self.client.request("LOAD AD nosuch.adf"),
                         "LOAD: File not found: nosuch.adf\n")

    def test_fields_that_are_no_numbers_load_as_zero(self):
        self.assertEqual(self.client.request("LOAD AD ~/loose.adf"), "")
        self.addCleanup(self.ok, "UNLOAD AD ~/loose.adf")
        self.ok("LOOK AD Loose; LOOK AD Cloud")

    def marks_at_m31(self):
        self.ok(PLAIN_CHART + "; SHOW NEBULA, PICTUREMARK; VIEW ANGLE 30; LOOK M31")
        marks, width, height = colour_pixels(self.chart(), MARK_COLOUR)
        at_centre = [p for p in marks if abs(p[0] - width / 2) <= 5 and abs(p[1] - height / 2) <= 5]
        self.assertGreaterEqual(len(at_centre), 20)
        return marks

    def test_picture_marks_go_when_new_click_data_cannot_be_read(self):
        sample = os.path.join(DATA, "uvola.cdf")
        self.addCleanup(self.ok, "LOAD CLICKDATA %s" % sample)
        # Each row: a file that cannot be read whole, and the reply naming it
        # as it was given. The click data in use go first, marks and all.
        for path, named in (("~/missing.cdf", "~/missing.cdf"),
                            (UvolaSession.home() + "/missing.cdf", UvolaSession.home() + "/missing.cdf"),
                            ("/proc/self/mem", "/proc/self/mem")):
            self.ok("LOAD CLICKDATA %s" % sample)
            self.marks_at_m31()
            self.assertEqual(self.client.request("LOAD CLICKDATA %s" % path),
                             "LOAD: File not found: %s\n" % named[:39], path)
            self.assertEqual(colour_pixels(self.chart(), MARK_COLOUR)[0], [], path)
        self.ok("HIDE PICTUREMARK")

    def test_click_data_removed_after_loading_still_mark_and_blame_no_command(self):
        copy = os.path.join(UvolaSession.home(), "copy.cdf")
        with open(os.path.join(DATA, "uvola.cdf")) as source, open(copy, "w") as out:
            out.write(source.read())
        self.ok("LOAD CLICKDATA %s" % copy)
        self.addCleanup(self.ok, "LOAD CLICKDATA %s" % os.path.join(DATA, "uvola.cdf"))
        marks = self.marks_at_m31()
        os.remove(copy)
        for line in ("DRIVE", "LOOK M31", "SHOW NEBULA", "DRIVE"):
            self.ok(line)
        self.assertEqual(colour_pixels(self.chart(), MARK_COLOUR)[0], marks)
        self.ok("HIDE PICTUREMARK")


if __name__ == "__main__":
    ChartTestCase.program = sys.argv.pop(1)
    DATA = sys.argv.pop(1)
    unittest.main(verbosity=2)
