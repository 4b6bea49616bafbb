"""tools/check_include_layers.py on small trees made for each row: what it
must refuse (an upward include, a catalogue reaching the view, units that
include one another round a circle) and what it must let through.

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
    ("known pair", {"dialogs/site_dialog.cpp": ["dialogs/site_edit_dialog.h"], "dialogs/site_dialog.h": [],
                    "dialogs/site_edit_dialog.cpp": ["dialogs/site_dialog.h"], "dialogs/site_edit_dialog.h": []},
     None),
]


class IncludeLayers(unittest.TestCase):
    def test_rows(self):
        for name, files, expected in ROWS:
            with self.subTest(name), tempfile.TemporaryDirectory() as root:
                for path, included in files.items():
                    os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
                    with open(os.path.join(root, path), "w") as out:
                        out.write("".join('#include "%s"\n' % i for i in included))
                run = subprocess.run([sys.executable, TOOL, root], capture_output=True, text=True)
                if expected is None:
                    self.assertEqual((run.returncode, run.stdout), (0, ""))
                else:
                    self.assertEqual(run.returncode, 1, run.stdout)
                    self.assertIn(expected, run.stdout)


if __name__ == "__main__":
    TOOL = sys.argv.pop(1)
    unittest.main()
