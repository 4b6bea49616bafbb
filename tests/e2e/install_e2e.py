"""The install as a packager runs it: `cmake --install` into a DESTDIR with
the default prefix, then the staged program started with its resources
pointed at the staged data the way the manual page says and running the
page's example, and the manual page checked against the program's own
usage text.

    install_e2e.py BUILD_DIR SOURCE_DIR

Run inside tests/harness/uvola-test-env --xvfb.
"""

import filecmp
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from uvola_e2e import UvolaSession, read_xpm  # noqa: E402

BUILD_DIR = None
SOURCE_DIR = None
PREFIX = "/usr/local"
SHARE = PREFIX + "/share/uvola"
# A resource line of the fallback list that names a file under SHARE.
DATA_RESOURCE = re.compile(r'"UVola\*(\w+): ' + re.escape(SHARE) + r'/([^"]*)"')
OPTION = re.compile(r"(?<![\w-])(--?[A-Za-z][a-z-]*)")


def data_resources():
    """(resource, path under SHARE) of every fallback line that names
    installed data."""
    with open(os.path.join(SOURCE_DIR, "data", "resources_init.cpp")) as source:
        return DATA_RESOURCE.findall(source.read())


def section(text, name):
    """The lines of a formatted manual page's section."""
    lines = text.splitlines()
    start = lines.index(name) + 1
    end = next(i for i in range(start, len(lines)) if lines[i] and not lines[i][0].isspace())
    return lines[start:end]


def example_lines(page):
    """The command lines of the page's example: its here-document to nc,
    without the closing "bye"."""
    lines = [line.strip() for line in section(page, "EXAMPLES")]
    start = next(i for i, line in enumerate(lines) if line.endswith("<<EOF")) + 1
    return lines[start:lines.index("EOF", start)][:-1]


class Install(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.stage = tempfile.mkdtemp(prefix="stage.")
        environment = dict(os.environ, DESTDIR=cls.stage)
        subprocess.run(["cmake", "--install", BUILD_DIR], env=environment, check=True,
                       stdout=subprocess.DEVNULL)
        cls.root = cls.stage + PREFIX
        cls.program = os.path.join(cls.root, "bin", "uvola")
        cls.page = os.path.join(cls.root, "share", "man", "man1", "uvola.1")
        cls.formatted = subprocess.run(["groff", "-man", "-Tutf8", "-P-cbou", cls.page],
                                       capture_output=True, text=True, check=True).stdout

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.stage)

    def staged(self, path):
        return os.path.join(self.stage + SHARE, path)

    def test_the_stage_holds_the_program_the_page_and_every_file_the_resources_name(self):
        self.assertTrue(os.access(self.program, os.X_OK))
        self.assertTrue(os.path.isfile(self.page))
        resources = data_resources()
        self.assertEqual(len(resources), 10, resources)
        for resource, path in resources:
            exists = os.path.isdir if path.endswith("/") else os.path.isfile
            self.assertTrue(exists(self.staged(path)), resource)
        self.assertTrue(os.listdir(self.staged("image")))

    def test_the_page_formats_without_warnings(self):
        environment = dict(os.environ, LC_ALL="C.UTF-8", MANROFFSEQ="", MANWIDTH="80")
        result = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", "-Tutf8", "-Z", self.page],
                                env=environment, capture_output=True, text=True)
        self.assertEqual((result.returncode, result.stderr), (0, ""))

    def test_the_page_names_every_option_of_the_usage_text(self):
        usage = subprocess.run([self.program, "--no-such-option"], capture_output=True, text=True)
        self.assertEqual(usage.returncode, 1)
        self.assertIn("Usage: uvola", usage.stderr)
        # The options' tags stand at the section's first indent.
        tags = [line for line in section(self.formatted, "OPTIONS") if re.match(r" {7}\S", line)]
        in_page = set(OPTION.findall("\n".join(tags)))
        # -V is --version's short form, which the usage text leaves out.
        self.assertEqual(in_page, set(OPTION.findall(usage.stderr)) | {"-V"})

    def test_the_staged_program_reads_the_staged_data_and_draws(self):
        # The resources pointed at the stage as the manual page says: a file
        # of resource lines named by XENVIRONMENT.
        resources = os.path.join(self.stage, "resources")
        with open(resources, "w") as out:
            for resource, path in data_resources():
                out.write("UVola*%s: %s\n" % (resource, self.staged(path)))
        os.environ["XENVIRONMENT"] = resources
        options = {"SiteName": "Greenwich (United Kingdom)"}
        image = os.path.join(self.stage, "sky")
        lines = example_lines(self.formatted)
        self.assertEqual(lines[-1], "GSAVE /tmp/sky")
        with UvolaSession(self.program, options=options) as uvola:
            client = uvola.connect()
            # The sky marks come from the staged skymark.adf.
            self.assertEqual(client.request('LOOK SKYMARK "Summer Triangle"'), "")
            for line in lines[:-1] + ["GSAVE " + image]:
                self.assertEqual(client.request(line), "", line)
            client.close()
            self.assertEqual(uvola.stop(), 0, uvola.output())
        colours = {pixel for row in read_xpm(image + ".xpm")[2] for pixel in row}
        self.assertGreater(len(colours), 5)
        # The private site list is a copy of the staged one, and the element
        # files' indexes were built from the staged files.
        user = UvolaSession.user_directory()
        self.assertTrue(filecmp.cmp(os.path.join(user, "uvola.obs"), self.staged("uvola.obs"), False))
        for index in ("comet.dbm", "mp.dbm"):
            self.assertTrue(os.path.isfile(os.path.join(user, index)), index)


if __name__ == "__main__":
    BUILD_DIR, SOURCE_DIR = sys.argv[1:3]
    unittest.main(argv=[sys.argv[0], "-v"])
