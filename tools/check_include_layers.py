#!/usr/bin/python3
"""Checks that the libraries include one another in one direction only:

  mainwin -> dialogs -> dialogs/kit -> {tooltip, command} -> sky -> astro -> core -> data

A file may include headers of its own folder and of the folders below it;
tooltip/ needs only core/ (and what core/ stands on). The rooms of a folder
(sky/view/, sky/layers/, ...) count as the folder, except dialogs/kit/: the
dialogs are built from the kit, so a kit file never includes a dialog; and
the catalogues (sky/catalog/) reach neither the view nor the layers. Within the
libraries no two units (a header with its source file) include each other,
directly or round a longer circle. tests/, bench/ and tools/ may include
anything and are not read.

Usage: tools/check_include_layers.py [repository root, default: this tool's parent]
Prints every include that points upward or into an unknown folder or a
room it must not reach, and every circle of units, and exits with status 1
when there is one.
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
# Rooms that must not reach other rooms of their own folder.
ROOMS_NOT_REACHED = {
    "sky/catalog": ("sky/view", "sky/layers"),
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


def includes(root):
    """(path relative to root, its layer, line number, included name) of
    every quoted include in the libraries."""
    for folder in sorted(BELOW):
        for directory, _, names in sorted(os.walk(os.path.join(root, folder))):
            for name in sorted(names):
                path = os.path.join(directory, name)
                relative = os.path.relpath(path, root).replace(os.sep, "/")
                if not name.endswith(SOURCE_SUFFIXES) or layer(relative) != folder:
                    continue
                with open(path, encoding="latin-1") as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if match:
                            yield relative, folder, number, match.group(1)


def violations(root):
    for path, folder, number, included in includes(root):
        allowed = BELOW[folder] | {folder}
        if layer(included) not in allowed:
            yield "%s:%d: includes \"%s\" (%s/ may include %s)" % (
                path, number, included, folder, ", ".join(sorted(allowed)))
        for room, others in ROOMS_NOT_REACHED.items():
            if path.startswith(room + "/") and included.startswith(tuple(o + "/" for o in others)):
                yield "%s:%d: includes \"%s\" (%s/ reaches no %s/)" % (
                    path, number, included, room, "/ or ".join(others))


def unit_of(path):
    return os.path.splitext(path)[0]


def circles(root):
    """Each set of units that include one another round a circle (the
    strongly connected components of the include graph between units)."""
    edges = {}
    for path, _, _, included in includes(root):
        if os.path.exists(os.path.join(root, included)):
            source, target = unit_of(path), unit_of(included)
            if source != target:
                edges.setdefault(source, set()).add(target)
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(unit):
        index[unit] = low[unit] = len(index)
        stack.append(unit)
        on_stack.add(unit)
        for target in sorted(edges.get(unit, ())):
            if target not in index:
                visit(target)
                low[unit] = min(low[unit], low[target])
            elif target in on_stack:
                low[unit] = min(low[unit], index[target])
        if low[unit] == index[unit]:
            component = set()
            while True:
                member = stack.pop()
                on_stack.discard(member)
                component.add(member)
                if member == unit:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    for unit in sorted(edges):
        if unit not in index:
            visit(unit)
    return found


def circle_violations(root):
    for component in circles(root):
        yield "include circle: %s" % " <-> ".join(component)


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..")
    sys.setrecursionlimit(10000)
    found = list(violations(root)) + list(circle_violations(root))
    for line in found:
        print(line)
    if found:
        print("%d include(s) against the layer order or in a circle" % len(found))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
