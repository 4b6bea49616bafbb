#!/usr/bin/python3
"""Checks that the libraries include one another in one direction only:

  mainwin -> dialogs -> dialogs/kit -> {tooltip, command} -> sky -> astro -> core -> data

A file may include headers of its own folder and of the folders below it;
tooltip/ needs only core/ (and what core/ stands on). The rooms of a folder
(sky/view/, sky/layers/, ...) count as the folder, except dialogs/kit/: the
dialogs are built from the kit, so a kit file never includes a dialog.
tests/, bench/ and tools/ may include anything and are not read.

Usage: tools/check_include_layers.py [repository root, default: this tool's parent]
Prints every include that points upward or into an unknown folder, and exits
with status 1 when there is one.
"""

import os
import re
import sys

# What each source folder may include, itself included.
BELOW = {
    "data": set(),
    "core": {"data"},
    "astro": {"core", "data"},
    "sky": {"astro", "core", "data"},
    "command": {"sky", "astro", "core", "data"},
    "tooltip": {"core", "data"},
    "dialogs/kit": {"tooltip", "command", "sky", "astro", "core", "data"},
    "dialogs": {"dialogs/kit", "tooltip", "command", "sky", "astro", "core", "data"},
    "mainwin": {"dialogs", "dialogs/kit", "tooltip", "command", "sky", "astro", "core", "data"},
}
SOURCE_SUFFIXES = (".h", ".cpp", ".c")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def layer(path):
    """The layer a path relative to the root lies in: the longest folder of
    BELOW that holds it, or None."""
    parts = path.split("/")
    for count in range(len(parts) - 1, 0, -1):
        folder = "/".join(parts[:count])
        if folder in BELOW:
            return folder
    return None


def violations(root):
    for folder, allowed in sorted(BELOW.items()):
        allowed = allowed | {folder}
        for directory, _, names in sorted(os.walk(os.path.join(root, folder))):
            for name in sorted(names):
                path = os.path.join(directory, name)
                relative = os.path.relpath(path, root).replace(os.sep, "/")
                if not name.endswith(SOURCE_SUFFIXES) or layer(relative) != folder:
                    continue
                with open(path, encoding="latin-1") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if match and layer(match.group(1)) not in allowed:
                            yield "%s:%d: includes \"%s\" (%s/ may include %s)" % (
                                relative, number, match.group(1),
                                folder, ", ".join(sorted(allowed)))


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..")
    found = list(violations(root))
    for line in found:
        print(line)
    if found:
        print("%d include(s) against the layer order" % len(found))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
