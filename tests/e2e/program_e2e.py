"""The program end to end: its command line, GSAVE of the drawn chart, the
animation commands, EXIT and the window manager's close button, all through
the command port of a running uvola.

    program_e2e.py UVOLA WM_DELETE_HELPER

Run inside tests/harness/uvola-test-env --xvfb; the session harness is
tests/e2e/uvola_e2e.py.
"""

import os
import re
import subprocess
import sys
import tempfile
import time
import unittest

from uvola_e2e import DEFAULT_SITE_ARGS, DEFAULT_SITE_OPTIONS, UvolaSession

PROGRAM = None
HELPER = None


def run(args, timeout=30):
    return subprocess.run(args, capture_output=True, text=True, timeout=timeout,
                          stdin=subprocess.DEVNULL)


def options_text():
    with open(os.path.join(UvolaSession.user_directory(), "options")) as f:
        return f.read()


def xpm_size(path):
    with open(path) as f:
        text = f.read()
    header = re.search(r'"(\d+) (\d+) \d+ \d+"', text)
    return int(header.group(1)), int(header.group(2))


def shown_box(name):
    """The title (WM_NAME, read with xprop) of the viewable top-level window
    whose WM_CLASS name is `name`, once it is up."""
    shown = run([HELPER, "shown", name])
    if shown.returncode != 0:
        raise AssertionError(shown.stderr)
    window = run(["xdotool", "search", "--onlyvisible", "--classname", "^%s$" % name]).stdout.split()[0]
    wm_name = run(["xprop", "-id", window, "WM_NAME"]).stdout
    return re.search(r'= "(.*)"', wm_name).group(1)


def wait_for_exit(session, seconds=10.0):
    try:
        return session.process.wait(timeout=seconds)
    except subprocess.TimeoutExpired:
        return None


class CommandLine(unittest.TestCase):
    def test_version_prints_and_ends_with_status_1(self):
        result = run([PROGRAM, "-V"])
        self.assertEqual(result.stdout, "Uvola Version 1.0.0\n")
        self.assertEqual(result.returncode, 1)
        self.assertEqual(run([PROGRAM, "--version"]).returncode, 1)

    def test_unknown_option_prints_the_usage(self):
        result = run([PROGRAM, "--colour"])
        self.assertEqual(result.returncode, 1)
        self.assertTrue(result.stderr.startswith(
            "Usage: uvola [toolkit options] [-i] [--install-colormap]\n"
            "             [-q] [--clean-start] [--lang=<locale>] [-l=<locale>]\n"
            "             [<filename>]\n"
            "       uvola --version\n"), result.stderr)

    def test_missing_script_file_is_named_and_ends_the_program(self):
        result = run([PROGRAM, "/no/such/start.stl"])
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stderr, "uvola: can't open file /no/such/start.stl\n")

    def test_script_name_with_a_semicolon_runs_nothing_else(self):
        directory = tempfile.mkdtemp()
        script = os.path.join(directory, "a;EXIT.stl")
        with open(script, "w") as f:
            f.write("BLOCK CONTROL\n\tSCENE MAIN\n\tEND SCENE\nEND BLOCK\n")
        with UvolaSession(PROGRAM, args=(script,)) as uvola:
            client = uvola.connect()
            self.assertEqual(client.request("DRIVE"), "")
            self.assertTrue(uvola.alive())


def dialog_input_modes(name):
    """The input modes of the _MOTIF_WM_HINTS of the shells of the dialog
    called name (0 modeless, 3 full application modal)."""
    tree = run(["xwininfo", "-root", "-tree"]).stdout
    modes = []
    for window in re.findall(r"(0x[0-9a-f]+) [^\n]*\(\"%s_popup\"" % name, tree):
        hints = run(["xprop", "-id", window, "-notype", "_MOTIF_WM_HINTS"]).stdout
        numbers = re.findall(r"0x[0-9a-f]+|\d+", hints.partition("=")[2])
        if len(numbers) >= 4:
            modes.append(int(numbers[3], 0))
    return modes


class StartUp(unittest.TestCase):
    def test_utf8_locale_starts_without_a_word_unless_a_charset_is_really_missing(self):
        # The installed fonts cover every charset of C.UTF-8: nothing on
        # standard error, not even the toolkit's tip font. A font set named
        # without the charcell fallback lacks some: named once, in one line,
        # whether the first chart draws with it (the status line) or it is
        # made once the program is idle (the constellation names): its base
        # names on one line, then one line for each missing charset.
        base_names = "-*-*-medium-r-normal--12-*-*-*-p-*-iso8859-1"
        proportional_only = "uvola*%s: " + base_names
        missing = ("ISO8859-7", "JISX0208.1983-0", "KSC5601.1987-0", "GB2312.1980-0", "JISX0201.1976-0")
        lines = 1 + len(missing)
        for extra, lines in (((), 0), (("-xrm", proportional_only % "StatusFontset"), lines),
                             (("-xrm", proportional_only % "ConstNameFontset"), lines)):
            with self.subTest(extra=extra):
                with UvolaSession(PROGRAM, args=("-q", "--lang=C.UTF-8") + extra) as uvola:
                    client = uvola.connect()
                    self.assertEqual(client.request("DRIVE"), "")
                    deadline = time.monotonic() + 5.0
                    while len(uvola.output()[1].splitlines()) < lines and time.monotonic() < deadline:
                        time.sleep(0.05)
                    stdout, stderr = uvola.output()
                    self.assertNotIn("can't create font", stdout)
                    self.assertTrue(uvola.alive())
                self.assertEqual(len(stderr.splitlines()), lines, stderr)
                if lines:
                    self.assertEqual(stderr.splitlines()[0], "uvola: missing charsets for " + base_names)
                    self.assertEqual(sorted(stderr.splitlines()[1:]),
                                     sorted("uvola: " + charset for charset in missing))

    def test_turkish_locale_reads_keywords_and_resource_values_in_ascii(self):
        # tr_TR lower-cases "I" to a dotless i and upper-cases "i" to a dotted
        # I, so a locale's case rules would refuse "min" and Motif's names.
        locales = os.path.join(UvolaSession.home(), "locales")
        os.makedirs(locales, exist_ok=True)
        subprocess.run(["localedef", "-i", "tr_TR", "-f", "UTF-8", os.path.join(locales, "tr_TR.UTF-8")],
                       check=True, capture_output=True)
        os.environ["LOCPATH"] = locales
        self.addCleanup(os.environ.pop, "LOCPATH")
        with UvolaSession(PROGRAM, args=("-q", "--lang=tr_TR.UTF-8")) as uvola:
            client = uvola.connect()
            for line in ("STIME SUNSET -30min", "stime sunrise 5deg", "mode eqt", "show star, cons_line",
                         "show daylight, milkyway", "look sirius", "INPUT DATE"):
                self.assertEqual(client.request(line), "", line)
            self.assertEqual(client.request("mode lima"), "mode: Illegal Parameter: LIMA\n")
            modes = dialog_input_modes("DateDialog")
            stdout, stderr = uvola.output()
        self.assertNotIn("Cannot convert", stderr)
        self.assertNotIn("Cannot convert", stdout)
        # The date dialog stays modal for the whole application (_MOTIF_WM_HINTS
        # input mode 3).
        self.assertEqual(modes, [3])

    def test_window_too_small_for_any_sky_draws_nothing_and_gsave_refuses(self):
        with UvolaSession(PROGRAM, options={"Geometry": "130x40"}) as uvola:
            client = uvola.connect()
            self.assertEqual(client.request("DRIVE"), "")
            tiny = "%s/tiny.xpm" % tempfile.mkdtemp()
            self.assertEqual(client.request("GSAVE " + tiny),
                             "GSAVE: Failed to create file: \n")
            self.assertTrue(uvola.alive())


class Drawing(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.uvola = UvolaSession(PROGRAM).start()
        cls.directory = tempfile.mkdtemp()

    @classmethod
    def tearDownClass(cls):
        cls.uvola.stop()

    def tearDown(self):
        self.assertTrue(self.uvola.alive(), "the program ended: %r" % (self.uvola.output(),))

    def test_gsave_writes_the_window_and_the_same_state_gives_the_same_file(self):
        client = self.uvola.connect()
        self.addCleanup(client.close)
        for name in ("one", "two"):
            os.mkdir(os.path.join(self.directory, name))
        self.assertEqual(client.request("DRIVE"), "")
        self.assertEqual(client.request("GSAVE %s/one/sky" % self.directory), "")
        self.assertEqual(client.request("GSAVE %s/two/sky.xpm" % self.directory), "")
        first = os.path.join(self.directory, "one", "sky.xpm")
        second = os.path.join(self.directory, "two", "sky.xpm")
        with open(first, "rb") as a, open(second, "rb") as b:
            self.assertEqual(a.read(), b.read())

        # The image is the drawing area: a window of exactly its size
        # sits below the menu bar in the main window.
        width, height = xpm_size(first)
        tree = run(["xwininfo", "-root", "-tree"]).stdout
        self.assertRegex(tree, r"\b%dx%d\+0\+\d+" % (width, height))
        self.assertGreater(width, 100)
        self.assertGreater(height, 100)

    def test_gsave_with_the_status_line_hidden_holds_only_the_window(self):
        # The pixmap keeps room for a hidden status line below the window;
        # nothing is drawn there, so an image that held those rows would
        # carry whatever earlier charts left and depend on the way here.
        client = self.uvola.connect()
        self.addCleanup(client.close)
        images = []
        for name, path in (("direct", ["LOOK EQT 6 0"]), ("roundabout", ["LOOK EQT 6 10", "DRIVE", "LOOK EQT 6 0"])):
            os.mkdir(os.path.join(self.directory, name))
            for line in ["HIDE STATUSBAR", "MODE EQT", "VIEW ANGLE 30"] + path + ["DRIVE"]:
                self.assertEqual(client.request(line), "", line)
            self.assertEqual(client.request("GSAVE %s/%s/sky" % (self.directory, name)), "")
            images.append(os.path.join(self.directory, name, "sky.xpm"))
        self.assertEqual(client.request("SHOW STATUSBAR; MODE HRZ; DRIVE"), "")
        with open(images[0], "rb") as a, open(images[1], "rb") as b:
            self.assertEqual(a.read(), b.read())
        width, height = xpm_size(images[0])
        tree = run(["xwininfo", "-root", "-tree"]).stdout
        self.assertRegex(tree, r"\b%dx%d\+0\+\d+" % (width, height))

    def test_bad_gsave_reports_and_the_program_goes_on(self):
        client = self.uvola.connect()
        self.addCleanup(client.close)
        self.assertEqual(client.request("GSAVE"), "GSAVE: Illegal Parameter: \n")
        self.assertEqual(client.request("GSAVE /no/such/dir/sky"),
                         "GSAVE: Failed to create file: \n")
        self.assertFalse(os.path.exists("/no/such/dir/sky.xpm"))
        self.assertEqual(client.request("DRIVE"), "")

    def test_animation_commands_refuse_bad_arguments_and_run(self):
        client = self.uvola.connect()
        self.addCleanup(client.close)
        self.assertEqual(client.request("CONTINUE X"), "CONTINUE: Illegal Parameter: X\n")
        self.assertEqual(client.request("CONTINUE 2001,1,1,99999999999"),
                         "CONTINUE: Illegal Parameter: 99999999999\n")
        self.assertEqual(client.request("REVERSE 2001,13"), "")   # a run to 2002 January 1
        self.assertEqual(client.request("DRIVE"), "")         # served between steps
        # Stopped whatever the arguments; X is still reported.
        self.assertEqual(client.request("CONTINUE X"), "CONTINUE: Illegal Parameter: X\n")
        self.assertEqual(client.request("CONTINUE"), "")      # starts a run
        self.assertEqual(client.request("CONTINUE"), "")      # stops it
        self.assertEqual(client.request("INPUT FOO"), "INPUT: Illegal Parameter: FOO\n")


def uvola_window():
    """The id of uvola's visible top-level window."""
    return run(["xdotool", "search", "--onlyvisible", "--classname", "^uvola$"]).stdout.split()[0]


def toolbar_geometry():
    """The toolbar's width and its buttons' (x, width), from xwininfo's
    tree: the toolbar is the window of 27 children."""
    lines = run(["xwininfo", "-root", "-tree"]).stdout.splitlines()
    start = next(i for i, line in enumerate(lines) if line.strip() == "27 children:")
    size = re.compile(r"\)\s+(\d+)x(\d+)\+(-?\d+)\+(-?\d+)")
    width = int(size.search(lines[start - 1]).group(1))
    buttons = [size.search(line) for line in lines[start + 1:start + 28]]
    return width, [(int(b.group(3)), int(b.group(1))) for b in buttons]


# The gap left of each toolbar button: 1 to the form, 7 where a group starts.
TOOLBAR_OFFSETS = [1, 0, 7, 0, 0, 0, 0, 0, 7, 0, 7, 0, 7, 0, 7, 0, 0, 0, 0, 0, 0, 0, 7, 0, 7, 0, 0]


class Window(unittest.TestCase):
    def test_default_window_is_640_wide_and_the_toolbar_runs_on_past_it(self):
        with UvolaSession(PROGRAM) as uvola:
            client = uvola.connect()
            width, buttons = toolbar_geometry()
            self.assertEqual(width + 2, 640, "the toolbar and its border span the window")
            buttons.sort()
            # Each button right of the one before it, at its gap; a 16-pixel
            # icon with Motif's own margins, shadows and highlight round it.
            right = 0
            for (x, button_width), offset in zip(buttons, TOOLBAR_OFFSETS):
                self.assertEqual(x, right + offset)
                self.assertEqual(button_width, 26)
                right = x + button_width
            self.assertGreater(right, width, "the last buttons lie beyond the window")

            # The least size the window manager allows, and the program
            # still draws at it.
            window = uvola_window()
            hints = run(["xprop", "-id", window, "WM_NORMAL_HINTS"]).stdout
            least = re.search(r"minimum size: (\d+) by (\d+)", hints)
            self.assertEqual(least.groups(), ("120", "160"))
            run(["xdotool", "windowsize", window, "120", "160"])
            self.assertEqual(client.request("DATE 2024,1,1,0,0,0,0; MODE HRZ; DRIVE"), "")
            self.assertTrue(uvola.alive())


class Quitting(unittest.TestCase):
    def test_exit_writes_the_options_file_keeping_what_it_does_not_know(self):
        # A newer version's key, and a value too long for its field (refused
        # at start-up, so never known), stand in the file as they were.
        too_long = "9" * 45
        uvola = UvolaSession(PROGRAM, options={"FutureKey": "from a newer version",
                                               "Geometry": too_long}).start()
        try:
            client = uvola.connect()
            client.send_raw("EXIT\n")
            client.read_until_closed()
            self.assertEqual(wait_for_exit(uvola), 0)
            text = options_text()
            self.assertIn("ConfirmInit = True\n", text)
            self.assertIn("SocketPort = %d\n" % uvola.port, text)
            self.assertIn("FutureKey = from a newer version\n", text)
            self.assertIn("Geometry = %s\n" % too_long, text)
        finally:
            uvola.stop()

    def test_tip_help_is_written_back_as_the_user_left_it(self):
        for given, written in ((None, "True"), ("True", "True"), ("False", "False")):
            with self.subTest(TipHelp=given):
                options = {} if given is None else {"TipHelp": given}
                uvola = UvolaSession(PROGRAM, options=options).start()
                try:
                    client = uvola.connect()
                    client.send_raw("EXIT\n")
                    client.read_until_closed()
                    self.assertEqual(wait_for_exit(uvola), 0)
                    self.assertIn("TipHelp = %s\n" % written, options_text())
                finally:
                    uvola.stop()

    def test_a_line_run_in_the_command_box_is_in_the_history_after_exit(self):
        history = os.path.join(UvolaSession.user_directory(), "history")
        # With a default site no notice box comes up at start, which would
        # hold the keys until it was answered.
        uvola = UvolaSession(PROGRAM, args=("-q",) + DEFAULT_SITE_ARGS, options=DEFAULT_SITE_OPTIONS).start()
        try:
            run(["xdotool", "mousemove", "20", "120"])
            run(["xdotool", "key", "ctrl+space"])
            shown = run([HELPER, "shown", "CommandDialog_popup"])
            self.assertEqual(shown.returncode, 0, shown.stderr)
            x, y, width, height = map(int, shown.stdout.split())
            run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2)])
            # A line the interpreter refuses: its warning box shows that it ran.
            run(["xdotool", "type", "--delay", "20", "MODE BAD"])
            run(["xdotool", "key", "Return"])
            # The warning's window has the toolkit's own title.
            self.assertEqual(shown_box("MessageBox_popup"), "MessageBox_popup")
            client = uvola.connect()
            client.send_raw("EXIT\n")
            client.read_until_closed()
            self.assertEqual(wait_for_exit(uvola), 0)
            with open(history) as f:
                self.assertEqual(f.read(), "MODE BAD\n")
        finally:
            uvola.stop()

    def close_window(self):
        self.assertEqual(run([HELPER, "close"]).returncode, 0)

    def test_window_manager_close_answered_cancel_keeps_the_program(self):
        uvola = UvolaSession(PROGRAM, options={"ConfirmQuit": "YES"}).start()
        try:
            self.close_window()
            self.assertEqual(shown_box("QuestionDialog_popup"), "QuestionDialog_popup")
            x, y, width, height = map(int, run([HELPER, "shown", "QuestionDialog_popup"]).stdout.split())
            run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2)])
            time.sleep(0.3)
            run(["xdotool", "key", "Escape"])
            self.assertEqual(run([HELPER, "gone", "QuestionDialog_popup"]).returncode, 0)
            client = uvola.connect()
            self.assertEqual(client.request("DRIVE"), "")
            self.assertTrue(uvola.alive())
            self.assertNotIn("ConfirmInit", options_text())   # nothing saved
            client.close()
        finally:
            uvola.process.kill()
            uvola.stop()

    def test_window_manager_close_without_confirmation_quits_and_saves(self):
        uvola = UvolaSession(PROGRAM).start()
        try:
            self.close_window()
            self.assertEqual(wait_for_exit(uvola), 0)
            self.assertIn("ConfirmInit = True\n", options_text())
        finally:
            uvola.stop()


if __name__ == "__main__":
    PROGRAM, HELPER = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0], "-v"])
