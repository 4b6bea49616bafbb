"""Script files end to end through a running uvola's command port: STL of a
file draws the chart its statements draw when they are sent as one request;
a script named on the command line and the user's uvolarc run at start-up,
and "-q" skips uvolarc; bad files and bad statements answer with their
error, once, and the program lives on.

    script_e2e.py UVOLA

Run inside tests/harness/uvola-test-env --xvfb.
"""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import (DEFAULT_SITE_ARGS, DEFAULT_SITE_OPTIONS, ChartTestCase,  # noqa: E402
                       UvolaSession, element_line)

PROGRAM = None

# Scripts in the form the program saves them.
SCRIPTS = {
    "equatorial": [
        "INIT",
        'LOCATE 139.767E, 35.681N, 9.000000, 40, "Tokyo"',
        "DATE 2024,3,20,21,0,0.000000,9.000",
        "PERIOD 0,0,1,0,0,0.000000",
        "STIME NONE",
        "MODE EQT",
        "SOL_OFFSET 0.000000,0.000000,0.000000",
        "VIEW CENTER EQT_DATE 5.500000, 5.000000",
        "VIEW ANGLE 60.000000",
        "VIEW SOL 12.000000",
        "MAG STAR  5.5",
        "MAG STARNAME  2.0",
        "SHOW PLANET_NAME",
        "DISK_MAG 100",
        "SHOW CONS_LINE, CONS_NAME1",
        "MAG NEBULAMIN 11.0",
        "MAG NEBULAMAX  0.0",
        "SHOW NEBULA, NEBULA_NAME",
        "HIDE GALAXY",
        "SHOW STARNAME, BAYER",
        "SHOW EQT_GRID_DATE",
        "DRIVE",
    ],
    "horizon tracking a star": [
        "INIT",
        'LOCATE   2.350E, 48.855N, 1.000000, 35, "Paris"',
        "TIMESYS UT",
        "DATE 2023,12,1,22,0,0.000000,0.000",
        "PERIOD 0,0,0,1,0,0.000000",
        "STIME NONE",
        "MODE HRZ",
        "VIEW CENTER HRZ 300.000000, 30.000000",
        "VIEW ANGLE 90.000000",
        "TRACK STAR alphaOri",
        "MIRROR 1",
        "MAG STAR  4.5",
        "SHOW HRZ_GRID, MERIDIAN",
        "HIDE DIR",
        "SHOW HRZ_GRID_NUM",
        "GRID MODE2",
        "DRIVE",
    ],
    "galactic map": [
        "INIT",
        "HIDE STATUSBAR",
        'LOCATE 111.500W, 33.250N, -7.000000, 1200, "Phoenix"',
        "DATE 2020,7,15,21,30,0.000000,-7.000",
        "MODE ALL2_GAL",
        "VIEW CENTER GAL 0.000000, 0.000000",
        "SHOW GAL_GRID, GAL, ECL",
        "HIDE MILKYWAY",
        "SHOW CONS_LIMIT",
        "DRIVE",
    ],
}


def script_text(statements, orbit=()):
    text = "BLOCK CONTROL\n\tSCENE MAIN\n"
    text += "".join("\t\t%s\n" % statement for statement in statements)
    text += "\tEND SCENE\nEND BLOCK\n"
    if orbit:
        text += "\nBLOCK ORBIT\n" + "".join(line + "\n" for line in orbit) + "END BLOCK\n"
    return text


def write_home_file(name, text):
    path = os.path.join(UvolaSession.home(), name)
    with open(path, "w") as out:
        out.write(text)
    return path


def image(client, directory):
    """The chart as GSAVE writes it; every image is called sky.xpm."""
    os.makedirs(directory, exist_ok=True)
    assert client.request("GSAVE %s/sky" % directory) == ""
    with open(os.path.join(directory, "sky.xpm"), "rb") as saved:
        return saved.read()


class ScriptImages(ChartTestCase):
    def test_stl_draws_what_its_statements_draw_sent_as_one_request(self):
        for name, statements in SCRIPTS.items():
            with self.subTest(name):
                path = write_home_file(name.replace(" ", "-") + ".stl", script_text(statements))
                self.ok("INIT; MODE ALL1_ECL; SHOW BAYER; DRIVE")
                self.ok('STL "%s"' % path)
                by_script = self.gsave()
                self.ok("; ".join(statements))
                by_request = self.gsave()
                with open(by_script, "rb") as a, open(by_request, "rb") as b:
                    self.assertTrue(a.read() == b.read(), "the charts differ")


class BadInput(ChartTestCase):
    def stl(self, name, text):
        return self.client.request('STL "%s"' % write_home_file(name, text))

    def test_bad_files_answer_file_not_found(self):
        home = UvolaSession.home()
        self.assertEqual(self.client.request("STL"), "STL: Illegal Parameter: \n")
        self.assertEqual(self.client.request("STL /no/such/file.stl"), "STL: File not found: /no/such/file.stl\n")
        self.assertEqual(self.client.request('STL "%s"' % home), "STL: File not found: %s\n" % home[:39])
        fifo = os.path.join(home, "fifo.stl")
        os.mkfifo(fifo)
        self.assertEqual(self.client.request('STL "%s"' % fifo), "STL: File not found: %s\n" % fifo[:39])
        # The name is taken as given: "~" is no home directory here.
        write_home_file("tilde.stl", script_text(["DRIVE"]))
        self.assertEqual(self.client.request("STL ~/tilde.stl"), "STL: File not found: ~/tilde.stl\n")

    def test_binary_and_huge_files_break_nothing(self):
        noise = bytes((i * 7919 + 13) % 256 for i in range(1 << 20))
        path = os.path.join(UvolaSession.home(), "noise.stl")
        with open(path, "wb") as out:
            out.write(noise)
        self.assertEqual(self.client.request('STL "%s"' % path), "")
        with open(path, "w") as out:
            out.write("SCENE MAIN\n" + "M" * (20 << 20) + "\nMODE EQT\n")
        self.assertEqual(self.client.request('STL "%s"' % path), "STL: Illegal Parameter: %s\n" % ("M" * 39))
        self.assertEqual(self.client.request("DRIVE"), "")

    def test_statement_errors_answer_as_stl(self):
        self.assertEqual(self.stl("unknown.stl", script_text(["FOO 1", "DRIVE"])), "STL: Syntax Error: FOO\n")
        self.assertEqual(self.stl("long.stl", script_text(["SHOW " + "X" * 300])),
                         "STL: Illegal Parameter: SHOW %s\n" % ("X" * 34))
        self.assertEqual(self.stl("comet.stl", script_text(['COMET "Halley"'])),
                         "STL: Comet or Minor Planet not found: Halley\n")
        self.assertEqual(self.stl("element.stl", script_text(['COMET "Halley"'], [":Halley", "C     1P  short"])),
                         "STL: Invalid element: Halley\n")

    def test_element_fields_are_read_as_they_stand(self):
        # A field without a number reads as 0: an eccentricity of "x" loads a
        # circle; a perihelion distance of 0 loads too, and the redraw that
        # finds no place for it hides it and says so.
        halley = element_line("1P")
        for field, text, drive in ((67, "x".ljust(10), ""),
                                   (78, "0".rjust(11), "DRIVE: Failed to get position of comet ")):
            self.ok("INIT")
            line = halley[:field] + text + halley[field + len(text):]
            self.assertEqual(self.stl("fields.stl", script_text(['COMET "Halley"'], [":Halley", line])), "", text)
            self.assertEqual(self.client.request("SHOW COMET1"), "", text)
            self.assertTrue(self.client.request("DRIVE").startswith(drive), text)
        # Without SCENE MAIN nothing runs; without END SCENE everything after it.
        self.assertEqual(self.stl("plain.stl", "FOO\n"), "")
        self.assertEqual(self.stl("open.stl", "SCENE MAIN\nDRIVE\nBAR\n"), "STL: Syntax Error: BAR\n")

    def test_script_that_runs_itself_answers_once_and_the_program_lives(self):
        path = os.path.join(UvolaSession.home(), "self.stl")
        write_home_file("self.stl", script_text(['STL "%s"' % path, "DRIVE"]))
        self.assertEqual(self.client.request('STL "%s"' % path), "STL: Illegal Parameter: %s\n" % path[:39])
        self.assertEqual(self.client.request("DRIVE"), "")

    def test_script_that_runs_itself_five_times_a_line_is_stopped_within_seconds(self):
        path = os.path.join(UvolaSession.home(), "fan.stl")
        fan = "; ".join(['STL "%s"' % path] * 5)
        write_home_file("fan.stl", script_text([fan, fan, fan]))
        start = time.monotonic()
        self.assertEqual(self.client.request('STL "%s"' % path),
                         "STL: Script stopped, it runs too many statements: %s\n" % path[:39])
        self.assertEqual(self.client.request("DRIVE"), "")
        self.assertLess(time.monotonic() - start, 5.0)


def start_and_image(args, startup_script=None, name="start"):
    """The image of the first chart of a program started with args, and the
    image after the statements of SCRIPTS["equatorial"] were sent."""
    with UvolaSession(PROGRAM, args=DEFAULT_SITE_ARGS + args, options=DEFAULT_SITE_OPTIONS,
                      startup_script=startup_script) as uvola:
        client = uvola.connect()
        directory = os.path.join(UvolaSession.home(), "images-" + name)
        first = image(client, os.path.join(directory, "first"))
        assert client.request("; ".join(SCRIPTS["equatorial"])) == ""
        sent = image(client, os.path.join(directory, "sent"))
        assert uvola.alive()
    return first, sent


class StartUp(unittest.TestCase):
    def test_script_named_on_the_command_line_runs_at_start(self):
        path = write_home_file("start.stl", script_text(SCRIPTS["equatorial"]))
        first, sent = start_and_image((path,), name="command-line")
        self.assertTrue(first == sent, "the first chart is not the script's")

    def test_uvolarc_runs_at_start(self):
        first, sent = start_and_image((), script_text(SCRIPTS["equatorial"]), name="uvolarc")
        self.assertTrue(first == sent, "the first chart is not uvolarc's")

    def test_q_skips_uvolarc(self):
        first, sent = start_and_image(("-q",), script_text(SCRIPTS["equatorial"]), name="quiet")
        self.assertFalse(first == sent, "uvolarc ran in spite of -q")
        # The same file does run when asked for.
        with UvolaSession(PROGRAM, args=("-q",), startup_script=script_text(["HIDE STATUSBAR", "DRIVE"])) as uvola:
            client = uvola.connect()
            directory = os.path.join(UvolaSession.home(), "images-q")
            before = image(client, os.path.join(directory, "before"))
            rc = os.path.join(UvolaSession.user_directory(), "uvolarc")
            self.assertEqual(client.request('STL "%s"' % rc), "")
            self.assertFalse(image(client, os.path.join(directory, "after")) == before)


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    ChartTestCase.program = PROGRAM
    unittest.main()
