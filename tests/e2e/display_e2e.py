"""The mode, magnitude and display commands end to end, and every command
text that the toolbar, the step box, the menus, the key and wheel
translations and the dialogs send, run through a running uvola's command
port: none may be refused for a typo.

    display_e2e.py UVOLA

Run inside tests/harness/uvola-test-env --xvfb.
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import ChartTestCase, UvolaSession, xpm_pixels  # noqa: E402


CONSTELLATION_LINE_COLOUR = (0x24, 0x43, 0x82)   # ColorConstLine
# Label colours set apart by resource lines, so that a pixel tells which
# resource drew it.
LABEL_COLOURS = {"ColorStarNameFont": (0x12, 0x34, 0xFE), "ColorStarMagFont": (0x34, 0xFE, 0x12),
                 "ColorNabulaNameFont": (0xFE, 0x12, 0x34), "ColorNebulaMagFont": (0xAB, 0xCD, 0x01)}

DATA_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data")
TEXTS_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "command_texts.txt")


def command_texts():
    """The program's command texts, one a line; "#" lines are comments."""
    with open(TEXTS_FILE) as texts:
        return [line.rstrip("\n") for line in texts if line.strip() and not line.startswith("#")]


class DisplayCommands(ChartTestCase):
    @classmethod
    def prepare_home(cls):
        # The open-script dialog's text names a script in the working
        # directory, which the program takes from the test.
        os.chdir(UvolaSession.home())
        with open("scene.stl", "w") as script:
            script.write("BLOCK CONTROL\n\tSCENE MAIN\n\t\tSHOW CONS_LINE\n\t\tDRIVE\n\tEND SCENE\nEND BLOCK\n")
        # The star files the STARDATA texts choose, so that they have
        # nothing to report: the program's data and a catalogue root.
        os.makedirs(os.path.join("gsc", "TABLES"), exist_ok=True)
        open(os.path.join("gsc", "TABLES", "REGIONS.TBL"), "w").close()
        cls.args = ChartTestCase.args + ("-xrm", "uvola*SaoFile: %s" % os.path.join(DATA_DIR, "uvola.sao"),
                                         "-xrm", "uvola*GscIndexFile: %s" % os.path.join(DATA_DIR, "uvola.gsc"))
        for name, colour in LABEL_COLOURS.items():
            cls.args += ("-xrm", "uvola*%s: #%02X%02X%02X" % ((name,) + colour))
        cls.options = dict(ChartTestCase.options, GscDataPath=os.path.join(UvolaSession.home(), "gsc"))

    def chart(self):
        """The path of a GSAVE image of the chart as drawn now."""
        return self.gsave()

    def test_every_fixed_and_formatted_command_text_is_accepted(self):
        # Statement by statement: a reply carries only the last statement's
        # error, so "TOGGLE CONS_LIN;DRIVE" sent whole would pass.
        for text in command_texts():
            for statement in (s.strip() for s in text.split(";")):
                if statement:
                    self.assertEqual(self.client.request(statement), "", text)

    def test_mode_nonsense_answers_its_error(self):
        self.assertEqual(self.client.request("MODE NONSENSE"), "MODE: Illegal Parameter: NONSENSE\n")
        # A keyword is reported as it was looked up, upper-cased; the command
        # word as it was typed.
        self.assertEqual(self.client.request("mode nonsense"), "mode: Illegal Parameter: NONSENSE\n")
        self.assertEqual(self.client.request("mode eqt; show nosuch, cons_line"),
                         "show: Illegal Parameter: NOSUCH\n")
        self.assertEqual(self.client.request("look betelgeuze"), "look: Illegal Parameter: BETELGEUZE\n")
        self.assertEqual(self.client.request("MAG STAR nan"), "MAG: Illegal Parameter: nan\n")
        self.assertEqual(self.client.request("DISK_MAG 501"), "DISK_MAG: Illegal Parameter: 501\n")
        self.assertEqual(self.client.request("SHOW COMET0"), "SHOW: Illegal Parameter: COMET0\n")
        self.assertEqual(self.client.request("LOAD AD x.adf"), "LOAD: File not found: x.adf\n")

    def test_constellation_lines_follow_show_and_hide(self):
        # Orion at a winter midnight, without daylight, the figures alone.
        self.ok("INIT; DATE 2000,1,1,0,0,0; MODE EQT; VIEW ANGLE 60; LOOK EQT 5.5 0")
        self.ok("HIDE DAYLIGHT, CONS_NAME1, CONS_NAME2, CONS_LIMIT, MILKYWAY; HIDE CONS_LINE; DRIVE")
        hidden = self.count_colour(self.chart(), CONSTELLATION_LINE_COLOUR)
        self.ok("SHOW CONS_LINE; DRIVE")
        shown = self.count_colour(self.chart(), CONSTELLATION_LINE_COLOUR)
        self.assertEqual(hidden, 0)
        self.assertGreater(shown, 200)
        self.ok("TOGGLE CONS_LINE; DRIVE")
        self.assertEqual(self.count_colour(self.chart(), CONSTELLATION_LINE_COLOUR), 0)

    def test_mode_keeps_the_chart_on_the_same_sky(self):
        # Round trip through the ecliptic view: the same equatorial chart.
        self.ok("INIT; DATE 2000,1,1,0,0,0; MODE EQT; VIEW ANGLE 60; LOOK EQT 5.5 0; DRIVE")
        before = self.chart()
        self.ok("MODE ECL; DRIVE; MODE EQT; DRIVE")
        after = self.chart()
        _, _, a = xpm_pixels(before)
        _, _, b = xpm_pixels(after)
        differing = sum(1 for ra, rb in zip(a, b) for pa, pb in zip(ra, rb) if pa != pb)
        total = sum(len(r) for r in a)
        # The centre goes through the sine table twice: a pixel at most.
        self.assertLess(differing, total // 20)

    def test_starsize_grows_the_star_symbols(self):
        # Orion by night with nothing but the stars: STARSIZE 0 and 1 draw
        # the same chart, 3 lights more pixels, and the largest size caps.
        self.ok("INIT; DATE 2000,1,1,0,0,0; MODE EQT; VIEW ANGLE 60; LOOK EQT 5.5 0")
        self.ok("HIDE DAYLIGHT, CONS_NAME1, CONS_NAME2, CONS_LIMIT, CONS_LINE, MILKYWAY, STATUSBAR, NEBULA")
        lit = {}
        images = {}
        for size in (0, 1, 3, 4, 9):
            self.ok("STARSIZE %d; DRIVE" % size)
            path = self.chart()
            with open(path, "rb") as image:
                images[size] = image.read()
            _, _, rows = xpm_pixels(path)
            background = rows[0][0]
            lit[size] = sum(1 for row in rows for pixel in row if pixel != background)
        self.assertTrue(images[0] == images[1], "STARSIZE 0 and 1 differ")
        self.assertTrue(images[1] != images[3], "STARSIZE 3 draws what 1 draws")
        self.assertGreater(lit[3], 2 * lit[1])
        self.assertGreater(lit[4], lit[3])
        self.assertTrue(images[4] == images[9], "STARSIZE 9 grows past 4")

    def test_nebula_labels_take_the_star_label_colours(self):
        self.ok("INIT; DATE 2000,1,1,0,0,0; MODE EQT; VIEW ANGLE 20; LOOK M13")
        self.ok("HIDE DAYLIGHT, STAR, CONS_NAME1, CONS_NAME2, CONS_LIMIT, CONS_LINE, MILKYWAY, STATUSBAR")
        self.ok("SHOW NEBULA, NEBULA_NAME, NEBULA_MAG; DRIVE")
        path = self.chart()
        count = {name: self.count_colour(path, colour) for name, colour in LABEL_COLOURS.items()}
        self.assertGreater(count["ColorStarNameFont"], 20, count)
        self.assertGreater(count["ColorStarMagFont"], 10, count)
        self.assertEqual(count["ColorNabulaNameFont"] + count["ColorNebulaMagFont"], 0, count)

    @staticmethod
    def count_colour(path, colour):
        _, _, rows = xpm_pixels(path)
        return sum(1 for row in rows for pixel in row if pixel == colour)


if __name__ == "__main__":
    ChartTestCase.program = sys.argv.pop(1)
    unittest.main(verbosity=2)
