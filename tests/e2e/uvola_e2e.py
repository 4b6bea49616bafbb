"""End-to-end test harness: runs the program under test with its command
port on 127.0.0.1 and talks to it the way other programs do.

Run inside tests/harness/uvola-test-env --xvfb, which gives a private home
(UVOLA_TEST_HOME) and X server. A test script does:

    from uvola_e2e import UvolaSession

    with UvolaSession(program) as uvola:        # starts "program -q"
        port = uvola.connect()                  # greeted with the prompt
        assert port.request("FOO") == "FOO: Syntax Error: FOO\\n"

UvolaSession writes ~/.uvola/options (SocketPort = a free port, ConfirmQuit =
NO, plus any options given), optionally ~/.uvola/uvolarc, starts the program,
waits until the port answers, and at the end sends EXIT and, if the program
is still running after a few seconds, kills it by its pid.
"""

import os
import socket
import subprocess
import tempfile
import time
import unittest

PROMPT = b"uvola> "
LOOPBACK = "127.0.0.1"
REPLY_TIMEOUT = 10.0      # seconds for one reply
START_TIMEOUT = 30.0      # seconds for the program to open its port
EXIT_TIMEOUT = 5.0        # seconds for EXIT before the program is killed
SHIPPED_SITE_LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data",
                                  "uvola.obs")
# A user who chose Greenwich from the shipped site list as the default site
# (the same place as the built-in one): INIT then has nothing to tell.
DEFAULT_SITE_ARGS = ("-xrm", "uvola*SiteFile: " + SHIPPED_SITE_LIST)
DEFAULT_SITE_OPTIONS = {"SiteName": "Greenwich (United Kingdom)"}


def read_xpm(path):
    """Width, height and rows of colour names of an XPM image, as GSAVE
    writes it."""
    with open(path) as image:
        strings = [line.split('"')[1] for line in image if line.startswith('"')]
    width, height, colours, chars = (int(n) for n in strings[0].split()[:4])
    table = {}
    for entry in strings[1:1 + colours]:
        table[entry[:chars]] = entry[chars:].split()[-1]
    rows = [[table[row[i:i + chars]] for i in range(0, width * chars, chars)]
            for row in strings[1 + colours:1 + colours + height]]
    return width, height, rows


def element_line(second_name):
    """The line of data/comet.elm whose second-name columns hold
    second_name ("1P" for Halley)."""
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    with open(os.path.join(root, "data", "comet.elm"), "rb") as f:
        for raw in f:
            line = raw.decode("ascii").rstrip("\r\n")
            if line[188:203].strip() == second_name:
                return line
    raise AssertionError("%s is not in data/comet.elm" % second_name)


def top_level_windows_named(name):
    """The lines of xwininfo's window tree that name a window `name`."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True,
                          check=True).stdout
    return [line.strip() for line in tree.splitlines() if '"%s"' % name in line]


def rgb(name):
    """(r, g, b) of an XPM colour "#RRGGBB" (or 16-bit "#RRRRGGGGBBBB"); None
    for any other."""
    digits = name[1:] if name.startswith("#") else ""
    if len(digits) not in (6, 12):
        return None
    size = len(digits) // 3
    return tuple(int(digits[i * size:i * size + 2], 16) for i in range(3))


def xpm_pixels(path):
    """Width, height, and the rows of an XPM file as lists of (r, g, b)."""
    width, height, rows = read_xpm(path)
    return width, height, [[rgb(name) for name in row] for row in rows]


class PortClosed(Exception):
    """The program closed the connection while a reply was awaited."""


def free_port():
    """A port that is free on the loopback address right now: the kernel
    picks it for a socket bound to port 0, which is then closed."""
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as probe:
        probe.bind((LOOPBACK, 0))
        return probe.getsockname()[1]


class PortClient:
    """One connection to the command port."""

    def __init__(self, port, timeout=REPLY_TIMEOUT):
        self.sock = socket.create_connection((LOOPBACK, port), timeout=timeout)
        self.timeout = timeout
        self.pending = b""

    def close(self):
        if self.sock is not None:
            self.sock.close()
            self.sock = None

    def send_raw(self, data):
        """Sends bytes as they are, in one send call."""
        if isinstance(data, str):
            data = data.encode()
        self.sock.sendall(data)

    def read_reply(self):
        """The next reply, without its prompt ("" when the reply is only the
        prompt). Raises PortClosed at end of stream, socket.timeout when no
        prompt comes in time."""
        deadline = time.monotonic() + self.timeout
        while PROMPT not in self.pending:
            left = deadline - time.monotonic()
            if left <= 0:
                raise socket.timeout("no prompt; received %r" % self.pending)
            self.sock.settimeout(left)
            chunk = self.sock.recv(65536)
            if not chunk:
                raise PortClosed("connection closed; received %r" % self.pending)
            self.pending += chunk
        reply, _, self.pending = self.pending.partition(PROMPT)
        return reply.decode(errors="replace")

    def request(self, line):
        """Sends one line and returns its reply."""
        self.send_raw(line + "\n")
        return self.read_reply()

    def read_until_closed(self):
        """Everything the program still sends until it closes the
        connection. Raises socket.timeout if it stays open."""
        deadline = time.monotonic() + self.timeout
        data, self.pending = self.pending, b""
        while True:
            left = deadline - time.monotonic()
            if left <= 0:
                raise socket.timeout("connection stayed open; received %r" % data)
            self.sock.settimeout(left)
            try:
                chunk = self.sock.recv(65536)
            except ConnectionResetError:
                return data.decode(errors="replace")
            if not chunk:
                return data.decode(errors="replace")
            data += chunk


class UvolaSession:
    """The program under test, started in the private home with its
    command port open on a free loopback port."""

    def __init__(self, program, args=("-q",), options=None, startup_script=None):
        self.program = program
        self.args = list(args)
        self.options = dict(options or {})
        self.startup_script = startup_script
        self.port = free_port()
        self.process = None
        self.clients = []
        # Beside the private home, so the test environment removes it.
        self.log_dir = tempfile.mkdtemp(prefix="e2e-logs.",
                                        dir=os.path.dirname(self.home().rstrip("/")))

    # --- files in the private home ---
    @staticmethod
    def home():
        home = os.environ.get("UVOLA_TEST_HOME")
        if not home:
            raise RuntimeError("run under tests/harness/uvola-test-env (UVOLA_TEST_HOME unset)")
        return home

    @classmethod
    def user_directory(cls):
        return os.path.join(cls.home(), ".uvola")

    def write_user_files(self):
        directory = self.user_directory()
        os.makedirs(directory, exist_ok=True)
        options = {"SocketPort": str(self.port), "ConfirmQuit": "NO"}
        options.update(self.options)
        with open(os.path.join(directory, "options"), "w") as out:
            for key, value in options.items():
                out.write("%s = %s\n" % (key, value))
        if self.startup_script is not None:
            with open(os.path.join(directory, "uvolarc"), "w") as out:
                out.write(self.startup_script)

    # --- the process ---
    def start(self):
        self.write_user_files()
        self.stdout = open(os.path.join(self.log_dir, "stdout"), "w")
        self.stderr = open(os.path.join(self.log_dir, "stderr"), "w")
        self.process = subprocess.Popen([self.program] + self.args,
                                        stdout=self.stdout, stderr=self.stderr,
                                        stdin=subprocess.DEVNULL)
        self.wait_for_port()
        return self

    def output(self):
        """What the program wrote so far: (stdout, stderr)."""
        texts = []
        for name in ("stdout", "stderr"):
            with open(os.path.join(self.log_dir, name), errors="replace") as stream:
                texts.append(stream.read())
        return tuple(texts)

    def alive(self):
        return self.process is not None and self.process.poll() is None

    def wait_for_port(self):
        """Waits until a connection is greeted with the prompt, then leaves
        with "bye" so that the port is free for the test."""
        deadline = time.monotonic() + START_TIMEOUT
        while time.monotonic() < deadline:
            if not self.alive():
                raise RuntimeError("%s ended with status %s before opening its port:\n%s"
                                   % (self.program, self.process.returncode, self.output()))
            try:
                probe = PortClient(self.port, timeout=2.0)
            except OSError:
                time.sleep(0.05)
                continue
            try:
                if probe.read_reply() == "":
                    probe.send_raw("bye\n")
                    probe.read_until_closed()
                    return
            except (OSError, PortClosed):
                pass
            finally:
                probe.close()
            time.sleep(0.05)
        raise RuntimeError("the command port %d did not answer in %.0f s" % (self.port, START_TIMEOUT))

    def connect(self):
        """A new client, greeted with the prompt (checked)."""
        client = PortClient(self.port)
        self.clients.append(client)
        greeting = client.read_reply()
        if greeting != "":
            raise AssertionError("greeting was %r, not the bare prompt" % greeting)
        return client

    def stop(self):
        """EXIT through the port, then the pid if the program is still up.
        Returns the exit status."""
        for client in self.clients:
            client.close()
        self.clients = []
        if self.alive():
            try:
                client = PortClient(self.port, timeout=EXIT_TIMEOUT)
                client.read_reply()
                client.send_raw("EXIT\n")
                client.read_until_closed()
                client.close()
            except (OSError, PortClosed):
                pass
        if self.process is None:
            return None
        try:
            self.process.wait(timeout=EXIT_TIMEOUT)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self.stdout.close()
        self.stderr.close()
        return self.process.returncode

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()
        return False


class ChartTestCase(unittest.TestCase):
    """Tests that share one running program: each test has a connection of
    its own, ok() runs a line that must be accepted, and gsave() saves the
    chart in a directory of its own (GSAVE writes the image's name into the
    file, so every image is called the same) and returns the image's path.
    The script sets ChartTestCase.program to the program under test;
    UVOLA_SHOT_DIR keeps the images for a person to look at.

    The program runs with the default site of DEFAULT_SITE_ARGS and
    DEFAULT_SITE_OPTIONS; a class sets `args` and `options` for another
    start."""

    program = None
    args = ("-q",) + DEFAULT_SITE_ARGS
    options = DEFAULT_SITE_OPTIONS

    @classmethod
    def prepare_home(cls):
        """Files the program should find in its home before it starts."""

    @classmethod
    def setUpClass(cls):
        cls.prepare_home()
        cls.uvola = UvolaSession(cls.program, args=cls.args, options=cls.options).start()
        cls.directory = os.environ.get("UVOLA_SHOT_DIR") or tempfile.mkdtemp()
        cls.count = 0

    @classmethod
    def tearDownClass(cls):
        cls.uvola.stop()

    def setUp(self):
        self.client = self.uvola.connect()
        self.addCleanup(self.client.close)

    def tearDown(self):
        self.assertTrue(self.uvola.alive(), "the program ended: %r" % (self.uvola.output(),))

    def ok(self, line):
        self.assertEqual(self.client.request(line), "", line)

    def gsave(self, name=None):
        type(self).count += 1
        directory = os.path.join(self.directory, name or str(self.count))
        os.makedirs(directory, exist_ok=True)
        base = os.path.join(directory, "sky")
        self.ok("GSAVE %s" % base)
        return base + ".xpm"
