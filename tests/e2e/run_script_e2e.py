"""`make run` with no DISPLAY, as a new user meets it: what it prints, the
command port it names answering, and Ctrl-C stopping uvola and its virtual X
server without a "make: ***" line.

    run_script_e2e.py SOURCE_DIR BUILD_DIR

Run inside tests/harness/uvola-test-env without --xvfb (the script starts
its own server). make is told that uvola is built (-o uvola), so only the
run step runs; Ctrl-C is sent the way a terminal sends it, to the process
group of make and everything it started.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import PortClient, PortClosed, UvolaSession, free_port  # noqa: E402

SOURCE_DIR = None
BUILD_DIR = None
TIMEOUT = 30.0     # seconds for anything the test waits for


def wait_for(condition, what):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError("timed out waiting for %s" % what)


def process_table():
    """pid -> (parent pid, command name, state) of every process."""
    table = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as stat:
                text = stat.read()
        except OSError:
            continue
        name = text[text.index("(") + 1:text.rindex(")")]
        state, parent = text[text.rindex(")") + 2:].split()[:2]
        table[int(entry)] = (int(parent), name, state)
    return table


def descendants(pid):
    """Command name -> pid of every process below pid."""
    table = process_table()
    found, frontier = {}, [pid]
    while frontier:
        parent = frontier.pop()
        for child, (ppid, name, _) in table.items():
            if ppid == parent:
                found[name] = child
                frontier.append(child)
    return found


def running(pid):
    entry = process_table().get(pid)
    return entry is not None and entry[2] != "Z"


class MakeRun:
    """`make run` started in a process group of its own, as a shell starts
    a foreground job, with its output in a file."""

    def __init__(self):
        self.output_path = os.path.join(tempfile.mkdtemp(), "make-output")
        environment = {k: v for k, v in os.environ.items()
                       if k not in ("DISPLAY", "MAKEFLAGS", "MFLAGS", "MAKELEVEL")}
        with open(self.output_path, "w") as output:
            self.process = subprocess.Popen(
                ["make", "--no-print-directory", "-C", SOURCE_DIR, "-o", "uvola",
                 "BUILD_DIR=" + BUILD_DIR, "run"],
                stdout=output, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                env=environment, start_new_session=True)

    def output(self):
        with open(self.output_path, errors="replace") as f:
            return f.read()

    def wait_for_output(self, pattern):
        return wait_for(lambda: re.search(pattern, self.output(), re.M), repr(pattern))

    def press_ctrl_c(self):
        os.killpg(self.process.pid, signal.SIGINT)
        self.process.wait(timeout=TIMEOUT)

    def stop(self):
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGTERM)
            self.process.wait(timeout=TIMEOUT)


def write_options(text):
    directory = UvolaSession.user_directory()
    os.makedirs(directory, exist_ok=True)
    with open(os.path.join(directory, "options"), "w") as f:
        f.write(text)


def greeted(port):
    """A client greeted by the port, or None while it is not open yet."""
    try:
        client = PortClient(port, timeout=5.0)
        if client.read_reply() == "":
            return client
        client.close()
    except (OSError, PortClosed):
        pass
    return None


class WithoutDisplay(unittest.TestCase):
    def setUp(self):
        shutil.rmtree(UvolaSession.user_directory(), ignore_errors=True)

    def tearDown(self):
        self.run.stop()

    def test_names_the_port_which_answers_and_ctrl_c_stops_everything(self):
        port = free_port()
        write_options("ConfirmQuit = NO\nsocketport =  %d  \n" % port)
        self.run = MakeRun()
        self.run.wait_for_output(r"^\s+(printf|python3 -c) .*\n.*xpm")
        said = self.run.output()
        self.assertIn("127.0.0.1:%d (SocketPort in %s)" % (port, os.path.join(
            UvolaSession.user_directory(), "options")), said)

        client = wait_for(lambda: greeted(port), "the command port")
        self.assertEqual(client.request("DRIVE"), "")
        client.close()

        # The client line it printed, with the image put in a place of ours.
        client_line = re.search(r"^\s+((printf|python3 -c) .*)$", said, re.M).group(1)
        image = os.path.join(tempfile.mkdtemp(), "sky")
        result = subprocess.run(["sh", "-c", client_line.replace("/tmp/sky", image)],
                                capture_output=True, text=True, timeout=TIMEOUT)
        self.assertEqual(result.stdout.strip(), "uvola> uvola>", result.stderr)
        self.assertTrue(os.path.exists(image + ".xpm"))

        started = descendants(self.run.process.pid)
        self.assertIn("Xvfb", started)
        self.assertIn("uvola", started)
        self.run.press_ctrl_c()
        for name in ("uvola", "Xvfb"):
            wait_for(lambda: not running(started[name]), "%s to end" % name)
        self.assertEqual(self.run.process.returncode, -signal.SIGINT)
        output = self.run.output()
        self.assertNotIn("make: ***", output)
        self.assertNotIn("X connection", output)

    def test_without_a_port_says_which_line_to_add_and_writes_no_options(self):
        self.run = MakeRun()
        self.run.wait_for_output(r"xpm")
        options = os.path.join(UvolaSession.user_directory(), "options")
        self.assertIn("add the line 'SocketPort = 7000' to\n  %s and start it again" % options,
                      self.run.output())
        uvola = wait_for(lambda: descendants(self.run.process.pid).get("uvola"), "uvola")
        self.run.press_ctrl_c()
        wait_for(lambda: not running(uvola), "uvola to end")
        self.assertFalse(os.path.exists(options))
        self.assertNotIn("make: ***", self.run.output())


if __name__ == "__main__":
    SOURCE_DIR, BUILD_DIR = sys.argv[1], sys.argv[2]
    unittest.main(argv=[sys.argv[0], "-v"])
