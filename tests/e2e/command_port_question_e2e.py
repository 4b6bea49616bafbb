"""A port request that opens the quit question waits for its answer, and
the next request from the same client waits behind it.

    command_port_question_e2e.py PROGRAM

PROGRAM is uvola (the question comes from its quit); run inside
uvola-test-env --xvfb.
"""

import os
import socket
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import UvolaSession  # noqa: E402

PROGRAM = None
QUESTION = "QuestionDialog_popup"


def question_windows():
    found = subprocess.run(["xdotool", "search", "--classname", "^%s$" % QUESTION],
                           capture_output=True, text=True)
    return found.stdout.split()


def wait_for_question(timeout=10.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        windows = question_windows()
        if windows:
            return windows[0]
        time.sleep(0.05)
    raise AssertionError("the quit question did not appear")


class RequestDuringQuestion(unittest.TestCase):
    def test_next_request_waits_until_the_question_is_answered(self):
        with UvolaSession(PROGRAM, options={"ConfirmQuit": "YES"}) as uvola:
            client = uvola.connect()
            client.send_raw("EXIT\n")
            question = wait_for_question()

            # While the question's own event loop runs, the port takes no
            # further request from this client.
            client.send_raw("FOO\n")
            client.sock.settimeout(0.5)
            with self.assertRaises(socket.timeout):
                client.sock.recv(100)

            # Return answers with the default, Cancel: EXIT ends without a
            # quit, and only then does FOO run.
            subprocess.run(["xdotool", "key", "--window", question, "Return"],
                           capture_output=True, check=True)
            self.assertEqual(client.read_reply(), "")
            self.assertEqual(client.read_reply(), "FOO: Syntax Error: FOO\n")
            self.assertTrue(uvola.alive())
            # EXIT would ask again; this test is not about quitting.
            uvola.process.kill()


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main(verbosity=2)
