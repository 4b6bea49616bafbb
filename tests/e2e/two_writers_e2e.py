"""Two instances of the program save one image path over and over, each
through its own command port, while this script reads the file as fast as
it can: every read must be one whole image, and every save must succeed.

    two_writers_e2e.py UVOLA

UVOLA_TWO_WRITER_SECONDS sets the length of the run (5 s by default).
Run inside tests/harness/uvola-test-env --xvfb.
"""

import os
import sys
import threading
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import DEFAULT_SITE_ARGS, DEFAULT_SITE_OPTIONS, UvolaSession  # noqa: E402

PROGRAM = None


def is_whole_image(data):
    """Whether data is a complete XPM file as GSAVE writes it: its header,
    the colours and rows its values line announces, and its closing line."""
    if not data.startswith(b"/* XPM */\n") or not data.endswith(b"\"};\n"):
        return False
    strings = [line for line in data.split(b"\n") if line.startswith(b"\"")]
    width, height, colours = (int(n) for n in strings[0].strip(b"\",").split()[:3])
    return width > 0 and len(strings) == 1 + colours + height


class TwoWriters(unittest.TestCase):
    def test_every_read_is_a_whole_image_and_every_save_succeeds(self):
        seconds = float(os.environ.get("UVOLA_TWO_WRITER_SECONDS", "5"))
        path = os.path.join(UvolaSession.home(), "shared.xpm")
        args = ("-q",) + DEFAULT_SITE_ARGS
        with UvolaSession(PROGRAM, args=args, options=DEFAULT_SITE_OPTIONS) as first, \
                UvolaSession(PROGRAM, args=args, options=DEFAULT_SITE_OPTIONS) as second:
            clients = [first.connect(), second.connect()]
            for client in clients:
                self.assertEqual(client.request("DRIVE; GSAVE " + path), "")
            end = time.monotonic() + seconds
            failures = []

            def save(client):
                while time.monotonic() < end:
                    reply = client.request("GSAVE " + path)
                    if reply:
                        failures.append(reply)

            savers = [threading.Thread(target=save, args=(client,)) for client in clients]
            for saver in savers:
                saver.start()
            reads = cut = 0
            while time.monotonic() < end:
                with open(path, "rb") as image:
                    data = image.read()
                reads += 1
                cut += 0 if is_whole_image(data) else 1
            for saver in savers:
                saver.join()
        print("two writers for %.0f s: %d reads, %d cut or empty, %d failed saves"
              % (seconds, reads, cut, len(failures)))
        self.assertEqual(cut, 0)
        self.assertEqual(failures, [])
        self.assertGreater(reads, 10)
        leftovers = [name for name in os.listdir(UvolaSession.home()) if name.startswith("shared.xpm.$NEW$")]
        self.assertEqual(leftovers, [])


if __name__ == "__main__":
    PROGRAM = sys.argv.pop(1)
    unittest.main()
