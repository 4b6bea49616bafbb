"""tools/check_include_layers.py on small trees made for each row: what it
must refuse (an upward include, the kit reaching a dialog, a catalogue
reaching the view, units that include one another round a circle) and what
it must let through.

    include_layers_test.py TOOL
"""

import os
import subprocess
import sys
import tempfile
import unittest

TOOL = None

# Rows: files of the tree (path: included names), and the text the report
# must hold (None: the check passes).
ROWS = [
    ("clean", {"sky/a.cpp": ["sky/a.h", "sky/b.h"], "sky/a.h": [], "sky/b.h": ["core/c.h"], "core/c.h": []},
     None),
    ("upward", {"core/c.cpp": ["sky/b.h"], "sky/b.h": []}, 'core/c.cpp:1: includes "sky/b.h"'),
    ("catalogue reaches the view", {"sky/catalog/n.cpp": ["sky/view/t.h"], "sky/view/t.h": []},
     'sky/catalog/n.cpp:1: includes "sky/view/t.h" (sky/catalog/ reaches no'),
    ("view reaches the catalogue", {"sky/view/t.cpp": ["sky/catalog/n.h"], "sky/catalog/n.h": []}, None),
    ("pair", {"sky/a.cpp": ["sky/b.h"], "sky/a.h": [], "sky/b.cpp": ["sky/a.h"], "sky/b.h": []},
     "include circle: sky/a <-> sky/b"),
    ("three units", {"sky/a.cpp": ["sky/b.h"], "sky/a.h": [], "sky/b.cpp": ["sky/view/c.h"], "sky/b.h": [],
                     "sky/view/c.cpp": ["sky/a.h"], "sky/view/c.h": []},
     "include circle: sky/a <-> sky/b <-> sky/view/c"),
    ("headers", {"sky/a.h": ["sky/b.h"], "sky/b.h": ["sky/a.h"]}, "include circle: sky/a <-> sky/b"),
]

# Trees of one include each: the including file, the header and whether the
# check passes it (0) or refuses it (1). The kit sits below the dialogs.
ONE_INCLUDE_ROWS = [
    ("dialogs/kit/form_dialog.cpp", "dialogs/star_dialog.h", 1),
    ("dialogs/kit/form_dialog.h", "dialogs/star_dialog_fields.h", 1),
    ("dialogs/kit/form_dialog.cpp", "dialogs/kit/command_text.h", 0),
    ("dialogs/kit/form_dialog.cpp", "command/interpreter.h", 0),
    ("dialogs/star_dialog.cpp", "dialogs/kit/form_dialog.h", 0),
    ("dialogs/star_dialog.cpp", "dialogs/star_dialog_fields.h", 0),
    ("mainwin/toolbar.cpp", "dialogs/kit/press_repeat.h", 0),
    ("sky/draw_sky.cpp", "dialogs/kit/command_text.h", 1),
    ("command/interpreter.cpp", "dialogs/star_dialog.h", 1),
    ("core/app_env.cpp", "nowhere/thing.h", 1),
]


def check(files):
    """The check's run on a tree of the given files (path: included names)."""
    with tempfile.TemporaryDirectory() as root:
        for path, included in files.items():
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(root, path), "w") as out:
                out.write("".join('#include "%s"\n' % i for i in included))
        return subprocess.run([sys.executable, TOOL, root], capture_output=True, text=True)


class IncludeLayers(unittest.TestCase):
    def test_rows(self):
        for name, files, expected in ROWS:
            with self.subTest(name):
                run = check(files)
                if expected is None:
                    self.assertEqual((run.returncode, run.stdout), (0, ""))
                else:
                    self.assertEqual(run.returncode, 1, run.stdout)
                    self.assertIn(expected, run.stdout)

    def test_one_include_rows(self):
        for path, header, expected in ONE_INCLUDE_ROWS:
            with self.subTest(path=path, header=header):
                self.assertEqual(check({path: [header]}).returncode, expected)


if __name__ == "__main__":
    TOOL = sys.argv.pop(1)
    unittest.main()
