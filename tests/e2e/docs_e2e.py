"""The examples of the README and of doc/commands.md, run as their reader
would run them: their command lines sent to a running uvola through the
command port, the README's one-line client run by the shell, and the Tokyo
example's chart read back from GSAVE.

    docs_e2e.py UVOLA README COMMANDS_MD

Run inside tests/harness/uvola-test-env --xvfb.
"""

import os
import re
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from status_line_reader import StatusLineReader  # noqa: E402
from uvola_e2e import ChartTestCase, UvolaSession, read_xpm  # noqa: E402

README = None
COMMANDS_MD = None
README_PORT = "7000"     # the port the README's examples use

# A command line: a command word in capitals, then anything but an option
# file's " = ".
COMMAND_LINE = re.compile(r"^[A-Z][A-Z0-9_]+(\s(?!.*\s=\s).*)?$")



def readme_text(path=None):
    with open(path or README) as f:
        return f.read()


def code_lines(text=None):
    """The indented code lines of a text (the README's by default), without
    the indentation."""
    lines = (text if text is not None else readme_text()).splitlines()
    return [line.strip() for line in lines if line.startswith("    ")]


def command_lines():
    """Every line of command text the README shows: its code lines that are
    commands, and command texts quoted in its prose ("LOOK SUN; BLINK SUN")."""
    quoted = re.findall(r'"([^"\n]+)"', readme_text())
    return [line for line in code_lines() + quoted if COMMAND_LINE.match(line)]


def tokyo_example():
    """The code block of the Tokyo example: the command lines from its
    LOCATE to its GSAVE."""
    lines = command_lines()
    start = next(i for i, line in enumerate(lines) if "Tokyo" in line)
    end = next(i for i in range(start, len(lines)) if lines[i].startswith("GSAVE"))
    return lines[start:end + 1]


def command_sections():
    """(heading, its command lines) for each command section of
    doc/commands.md."""
    parts = re.split(r"^#### ", readme_text(COMMANDS_MD), flags=re.M)[1:]
    return [(part.splitlines()[0], [line for line in code_lines(part) if COMMAND_LINE.match(line)])
            for part in parts]


def saved_to(line, directory):
    """A GSAVE line of the README with its image moved into directory."""
    name = os.path.basename(line.split()[1])
    return "GSAVE %s" % os.path.join(directory, name), os.path.join(directory, name + ".xpm")


class CommandLines(ChartTestCase):
    def test_the_readme_shows_its_examples(self):
        lines = command_lines()
        self.assertIn("LOOK SUN; BLINK SUN", lines)
        self.assertEqual(len(tokyo_example()), 3, lines)

    def test_every_command_line_is_accepted(self):
        directory = os.path.join(self.directory, "every")
        os.makedirs(directory)
        for line in command_lines():
            if line.startswith("GSAVE"):
                line, image = saved_to(line, directory)
            self.assertEqual(self.client.request(line), "", line)
        self.assertTrue(os.path.exists(image))

    def test_one_line_client_gets_the_prompts(self):
        clients = [line for line in code_lines() if line.startswith("python3 -c")]
        self.assertEqual(len(clients), 1)
        self.client.close()     # the port serves one client at a time
        command = clients[0].replace(README_PORT, str(self.uvola.port))
        result = subprocess.run(["sh", "-c", command], capture_output=True, text=True, timeout=30)
        self.assertEqual(result.stdout, "uvola> uvola> \n", result.stderr)


class CommandReference(ChartTestCase):
    @classmethod
    def prepare_home(cls):
        # The script the STL example runs, as its reader would have it.
        with open(os.path.join(UvolaSession.home(), "evening.stl"), "w") as script:
            script.write("BLOCK CONTROL\n\tSCENE MAIN\n\t\tMODE EQT\n\t\tDRIVE\n\tEND SCENE\nEND BLOCK\n")
        # The user-object file of the LOAD example.
        with open(os.path.join(UvolaSession.home(), "objects.adf"), "w") as objects:
            objects.write("M31 Andromeda\n")

    def test_every_example_is_accepted(self):
        directory = os.path.join(self.directory, "reference")
        os.makedirs(directory)
        sections = command_sections()
        self.assertGreater(len(sections), 30)
        for heading, lines in sections:
            if not heading.startswith("EXIT"):
                self.assertTrue(lines, "no example for %s" % heading)
            for line in lines:
                if line.startswith("GSAVE"):
                    line, image = saved_to(line, directory)
                if line.startswith("STL"):
                    # Relative to the program's directory: the example's
                    # script is in the private home.
                    line = "STL %s" % os.path.join(UvolaSession.home(), line.split()[1])
                self.assertEqual(self.client.request(line), "", line)
        self.assertTrue(os.path.exists(image))

    def test_examples_of_the_conventions_are_accepted(self):
        conventions = readme_text(COMMANDS_MD).split("#### ")[0]
        lines = [line for line in code_lines(conventions) if COMMAND_LINE.match(line)]
        self.assertTrue(lines)
        for line in lines:
            self.ok(line)


class TokyoExample(ChartTestCase):
    """Orion rising in the east over Tokyo, at 21:00 on 6 December 2026 by
    Tokyo's clock, with constellation lines and star names."""

    def run_example(self, name, extra=""):
        """Runs the example, with extra command text before its GSAVE;
        returns the image's path."""
        directory = os.path.join(self.directory, name)
        os.makedirs(directory)
        for line in tokyo_example():
            if line.startswith("GSAVE"):
                line, image = saved_to(line, directory)
                self.ok(extra + "DRIVE")
            self.ok(line)
        return image

    def test_status_line_shows_tokyo_at_21h_local_time(self):
        reader = StatusLineReader.learn(self, self.gsave)
        image = self.run_example("status")
        reader.assert_shows(image, "Sun Dec 6, 2026 21:00", "139.77", "35.68", "(+9.0h) Tokyo",
                            "W:120.0")

    def test_constellation_lines_and_star_names_are_drawn(self):
        shown = read_xpm(self.run_example("shown"))[2]
        hidden = read_xpm(self.run_example("no-lines", "HIDE CONS_LINE; "))[2]
        no_names = read_xpm(self.run_example("no-names", "HIDE STARNAME; "))[2]
        self.assertNotEqual(shown, hidden)
        self.assertNotEqual(shown, no_names)
        self.assertNotEqual(hidden, no_names)


if __name__ == "__main__":
    ChartTestCase.program, README, COMMANDS_MD = sys.argv[1:4]
    unittest.main(argv=[sys.argv[0], "-v"])
