"""Transcripts of the command port against a running program.

    command_port_e2e.py PROGRAM

PROGRAM is uvola or the port probe; run inside uvola-test-env --xvfb.
"""

import os
import socket
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import PortClient, UvolaSession, top_level_windows_named  # noqa: E402

PROGRAM = None


class CommandPortTranscripts(unittest.TestCase):
    """One program for the whole class; each test leaves the port free."""

    @classmethod
    def setUpClass(cls):
        cls.uvola = UvolaSession(PROGRAM).start()

    @classmethod
    def tearDownClass(cls):
        cls.uvola.stop()

    def tearDown(self):
        self.assertTrue(self.uvola.alive(), "the program ended: %r" % (self.uvola.output(),))

    def served(self):
        """A fresh client; closed at the end of the test."""
        client = self.uvola.connect()
        self.addCleanup(client.close)
        return client

    def test_unknown_command_answers_its_syntax_error_then_the_prompt(self):
        client = self.served()
        self.assertEqual(client.request("FOO"), "FOO: Syntax Error: FOO\n")
        self.assertEqual(client.request("DRIVE"), "")
        self.assertEqual(client.request("MODE NONSENSE; DRIVE"), "")
        self.assertEqual(client.request("FOO; DRIVE; BAR 1"), "BAR: Syntax Error: BAR\n")

    def test_errors_of_port_requests_show_no_box(self):
        # Start-up may have left a box of its own (a site not set).
        client = self.served()
        self.assertEqual(client.request("DRIVE"), "")
        boxes = top_level_windows_named("MessageBox_popup")
        self.assertEqual(client.request("FOO"), "FOO: Syntax Error: FOO\n")
        # The next round trip brings the program back to its event loop,
        # which sends any window it made to the server.
        self.assertEqual(client.request("DRIVE"), "")
        self.assertEqual(top_level_windows_named("MessageBox_popup"), boxes)

    def test_bye_in_any_case_closes_without_a_reply(self):
        for bye in ("bye\n", "BYE\r\n", "Bye"):
            client = self.served()
            client.send_raw(bye)
            self.assertEqual(client.read_until_closed(), "", bye)

    def test_second_client_is_closed_at_once(self):
        first = self.served()
        second = PortClient(self.uvola.port)
        self.addCleanup(second.close)
        self.assertEqual(second.read_until_closed(), "")
        self.assertEqual(first.request("FOO"), "FOO: Syntax Error: FOO\n")

    def test_client_that_sends_drive_and_leaves_does_not_end_the_program(self):
        for _ in range(3):
            client = PortClient(self.uvola.port)
            client.send_raw("DRIVE\nDRIVE\nDRIVE\n")
            client.close()
        client = self.served()
        self.assertEqual(client.request("FOO"), "FOO: Syntax Error: FOO\n")

    def test_two_lines_in_one_send_both_run_each_with_its_reply(self):
        client = self.served()
        client.send_raw("FOO\nBAR\n")
        self.assertEqual(client.read_reply(), "FOO: Syntax Error: FOO\n")
        self.assertEqual(client.read_reply(), "BAR: Syntax Error: BAR\n")

    def test_request_over_4096_bytes_is_refused_once_and_the_client_stays_served(self):
        client = self.served()
        client.send_raw("DRIVE " + "x" * 6000 + "\n")
        client.send_raw("FOO\n")
        self.assertEqual(client.read_reply(), "DRIVE: Illegal Parameter: DRIVE " + "x" * 33 + "\n")
        self.assertEqual(client.read_reply(), "FOO: Syntax Error: FOO\n")

    def test_line_split_over_two_sends_runs_as_one_statement(self):
        client = self.served()
        client.send_raw("DATE 20")
        time.sleep(0.05)   # most likely a receive of its own; either way one line
        client.send_raw("01,2,3\n")
        self.assertEqual(client.read_reply(), "")
        # Run as two, "01,2,3" would answer its syntax error here.
        self.assertEqual(client.request("FOO"), "FOO: Syntax Error: FOO\n")

    def test_request_without_line_end_is_answered(self):
        client = self.served()
        client.send_raw("FOO")
        self.assertEqual(client.read_reply(), "FOO: Syntax Error: FOO\n")

    def test_port_listens_on_loopback_only(self):
        listing = subprocess.run(["ss", "-ltnH"], capture_output=True, text=True, check=True).stdout
        local = [line.split()[3] for line in listing.splitlines()
                 if line.split()[3].endswith(":%d" % self.uvola.port)]
        self.assertEqual(local, ["127.0.0.1:%d" % self.uvola.port])


class CommandPortExit(unittest.TestCase):
    def test_exit_ends_the_program_and_closes_the_connection(self):
        with UvolaSession(PROGRAM) as uvola:
            client = uvola.connect()
            client.send_raw("EXIT\n")
            self.assertEqual(client.read_until_closed(), "")
            client.close()
            uvola.process.wait(timeout=10)
            self.assertEqual(uvola.process.returncode, 0)
            with self.assertRaises(OSError):
                socket.create_connection(("127.0.0.1", uvola.port), timeout=2).close()


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main(verbosity=2)
