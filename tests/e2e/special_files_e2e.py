"""A FIFO or a link to /dev/zero under the name of a file the program reads
at start-up (the options file, the site list, a name file) reads as a
missing file: the program starts at once instead of blocking in the open or
reading forever.

    special_files_e2e.py PROGRAM WM_DELETE_HELPER

PROGRAM is uvola, WM_DELETE_HELPER tests/wm_delete_helper; run inside
uvola-test-env --xvfb.
"""

import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import UvolaSession  # noqa: E402

PROGRAM = None
HELPER = None
START_LIMIT = 30.0   # seconds before a start counts as hung


def make_special(path, kind):
    if os.path.lexists(path):
        os.remove(path)
    if kind == "fifo":
        os.mkfifo(path)
    else:
        os.symlink("/dev/zero", path)


def seconds_to_serve(args=("-q",), options=None):
    """Seconds from the start until the command port serves; None when the
    program never gets there."""
    started = time.monotonic()
    uvola = UvolaSession(PROGRAM, args=args, options=options)
    try:
        uvola.start()
        client = uvola.connect()
        if client.request("DRIVE") != "":
            return None
        return time.monotonic() - started
    except RuntimeError:
        return None
    finally:
        if uvola.process is not None:
            uvola.process.kill()
        uvola.stop()


def helper(*args):
    return subprocess.run([HELPER] + list(args), capture_output=True, text=True, timeout=60,
                          stdin=subprocess.DEVNULL).returncode == 0


def seconds_to_answer_close():
    """Without an options file to name a port: seconds from the start until
    the program asks its quit question for the window manager's close (it
    does so only from its event loop, after the whole start-up)."""
    started = time.monotonic()
    process = subprocess.Popen([PROGRAM, "-q"], stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while time.monotonic() - started < START_LIMIT and process.poll() is None:
            if helper("close") and helper("shown", "QuestionDialog_popup"):
                return time.monotonic() - started
            time.sleep(0.02)
        return None
    finally:
        process.kill()
        process.wait()


class SpecialFilesAtStartUp(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.directory = UvolaSession.user_directory()
        os.makedirs(cls.directory, exist_ok=True)
        # What a start with nothing special takes on this machine now.
        cls.usual = seconds_to_serve()

    def setUp(self):
        self.assertIsNotNone(self.usual, "the program did not start at all")

    def assert_prompt(self, seconds):
        self.assertIsNotNone(seconds, "the program never got through its start-up")
        self.assertLess(seconds, self.usual + 2.0)

    def test_options_file(self):
        options = os.path.join(self.directory, "options")
        for kind in ("fifo", "zero"):
            with self.subTest(kind=kind):
                make_special(options, kind)
                self.assert_prompt(seconds_to_answer_close())
        os.remove(options)

    def test_private_site_list_and_the_site_file(self):
        sites = os.path.join(self.directory, "uvola.obs")
        for kind in ("fifo", "zero"):
            with self.subTest(kind=kind):
                make_special(sites, kind)
                self.assert_prompt(seconds_to_serve(("-q", "-xrm", "uvola*SiteFile: " + sites),
                                                    {"SiteName": "Tokyo (Japan)"}))
        os.remove(sites)

    def test_name_files(self):
        names = os.path.join(UvolaSession.home(), "names")
        for kind in ("fifo", "zero"):
            with self.subTest(kind=kind):
                make_special(names, kind)
                self.assert_prompt(seconds_to_serve(("-q", "-xrm", "uvola*StarNameDataFile: " + names,
                                                     "-xrm", "uvola*ConstDataFile: " + names)))
        os.remove(names)

    def test_site_list_that_is_no_file_has_no_sites(self):
        sites = os.path.join(self.directory, "uvola.obs")
        make_special(sites, "fifo")
        with UvolaSession(PROGRAM, args=("-q", "-xrm", "uvola*SiteFile: " + sites)) as uvola:
            client = uvola.connect()
            # No site is found (the name reads as longitude 0), and the
            # program goes on serving.
            self.assertEqual(client.request("LOCATE \"Tokyo (Japan)\""), "")
            self.assertEqual(client.request("LOCATE nan"), "LOCATE: Illegal Parameter: nan\n")
        os.remove(sites)


if __name__ == "__main__":
    PROGRAM, HELPER = sys.argv.pop(1), sys.argv.pop(1)
    unittest.main(verbosity=2)
