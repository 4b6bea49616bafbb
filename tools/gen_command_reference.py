#!/usr/bin/python3
"""Writes the generated lists of doc/commands.md from the program's own
tables, as tools/print_command_tables prints them, and checks that every
command of the command table has a section there.

Each list stands between a line "<!-- generated from the program's tables:
NAME -->" and a line "<!-- end of generated text -->"; everything else in
the file is written by hand and left as it is.

Usage: tools/gen_command_reference.py [--check] PRINT_COMMAND_TABLES [DOC]
With --check nothing is written: the run fails, showing the difference,
when the file is not what this would write.
"""

import collections
import difflib
import os
import re
import subprocess
import sys

DEFAULT_DOC = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "doc", "commands.md")

BLOCK = re.compile(r"(<!-- generated from the program's tables: (\w+) -->\n)(.*?)(<!-- end of generated text -->)",
                   re.S)
SECTION = re.compile(r"^#### (.*)$", re.M)

# What a view mode's code says: the projection family in its high byte and
# the coordinate frame in its low byte.
MODE_FAMILIES = {
    1: "sky view (azimuthal)",
    2: "solar system",
    3: "whole-sky map (cylindrical)",
    4: "whole-sky map (Aitoff)",
    8: "planisphere",
}
MODE_FRAMES = {1: "horizontal frame", 4: "equator of date", 5: "ecliptic", 6: "galactic"}

# The settings a SHOW/HIDE keyword's group (the high byte of its value)
# switches.
OBJECT_GROUPS = {
    0x05: "Jupiter's satellites",
    0x0A: "stars",
    0x19: "star labels",
    0x1A: "Milky Way",
    0x0C: "nebulae",
    0x0D: "nebula types",
    0x0E: "nebula catalogues",
    0x0B: "constellations",
    0x0F: "sky and ground",
    0x11: "horizontal grid",
    0x10: "grid numbers",
    0x12: "equatorial grids and equators",
    0x13: "ecliptic, galactic, solar-system axes, window centre",
    0x14: "line numbers",
    0x1B: "view circle, image marks, photographic field",
    0x17: "user objects",
    0x1C: "sky marks",
    0x1D: "picture marks",
    0x16: "trace (earlier charts stay)",
    0x15: "menu bar, toolbar, step box",
    0x18: "status line",
}


class Stale(Exception):
    pass


def read_tables(tool):
    """Table name -> [(keyword, value)] in the tables' order."""
    tables = collections.defaultdict(list)
    output = subprocess.run([tool], check=True, capture_output=True, text=True).stdout
    for line in output.splitlines():
        table, word, value = line.split(" ")
        tables[table].append((word, int(value)))
    return tables


def is_ascii_word(word):
    return "\\x" not in word


def word_list(entries):
    return " ".join("`%s`" % word for word, _ in entries if is_ascii_word(word)) + "\n"


def mode_table(entries):
    lines = ["| keyword | view |", "|---|---|"]
    for word, value in entries:
        family, frame = value >> 8, value & 0xFF
        if family not in MODE_FAMILIES or frame not in MODE_FRAMES:
            raise Stale("mode %s (0x%X): name its family and frame in %s" % (word, value, __file__))
        lines.append("| `%s` | %s, %s |" % (word, MODE_FAMILIES[family], MODE_FRAMES[frame]))
    return "\n".join(lines) + "\n"


def object_list(entries):
    """One line per group in the table's order; keywords of one value as
    "A = B"; the Japanese aliases left out, and a keyword that stands twice
    listed once."""
    groups = collections.OrderedDict()
    for word, value in entries:
        if not is_ascii_word(word):
            continue
        names = groups.setdefault(value >> 8, collections.OrderedDict()).setdefault(value, [])
        if word not in names:
            names.append(word)
    lines = []
    for group, settings in groups.items():
        if group not in OBJECT_GROUPS:
            raise Stale("SHOW/HIDE group 0x%02X: name it in %s" % (group, __file__))
        words = " ".join("`%s`" % " = ".join(names) for names in settings.values())
        lines.append("- %s: %s" % (OBJECT_GROUPS[group], words))
    return "\n".join(lines) + "\n"


def render(tables):
    return {
        "targets": word_list(tables["target"]),
        "bodies": word_list(tables["body"]),
        "commands": word_list(tables["command"]),
        "timesys": word_list(tables["timesys"]),
        "modes": mode_table(tables["mode"]),
        "objects": object_list(tables["object"]),
        "grid": word_list(tables["grid"]),
        "filetypes": word_list(tables["filetype"]),
    }


def check_sections(text, commands):
    """Every command has a "####" section whose heading names it, and every
    such heading starts with a command."""
    headings = SECTION.findall(text)
    named = {word for heading in headings for word in re.findall(r"[A-Z][A-Z0-9_]+", heading)}
    missing = [word for word, _ in commands if word not in named]
    if missing:
        raise Stale("no section for %s" % ", ".join(missing))
    known = {word for word, _ in commands}
    strays = [h for h in headings if re.match(r"[A-Z0-9_]*", h).group() not in known]
    if strays:
        raise Stale("sections of no command: %s" % "; ".join(strays))


def generate(text, tables):
    lists = render(tables)
    used = set()

    def fill(match):
        name = match.group(2)
        if name not in lists:
            raise Stale("no generated list is called %r" % name)
        used.add(name)
        return match.group(1) + lists[name] + match.group(4)

    result = BLOCK.sub(fill, text)
    unused = sorted(set(lists) - used)
    if unused:
        raise Stale("the file has no place for %s" % ", ".join(unused))
    check_sections(result, tables["command"])
    return result


def main(argv):
    check = "--check" in argv
    args = [a for a in argv if a != "--check"]
    if not 1 <= len(args) <= 2:
        sys.exit(__doc__)
    doc = args[1] if len(args) == 2 else DEFAULT_DOC
    with open(doc, encoding="utf-8") as f:
        text = f.read()
    try:
        result = generate(text, read_tables(args[0]))
    except Stale as problem:
        sys.exit("%s: %s" % (doc, problem))
    if result == text:
        return
    if check:
        diff = difflib.unified_diff(text.splitlines(True), result.splitlines(True), doc, "generated")
        sys.stderr.write("".join(diff))
        sys.exit("%s is stale: run tools/gen_command_reference.py %s" % (doc, args[0]))
    with open(doc, "w", encoding="utf-8") as f:
        f.write(result)


if __name__ == "__main__":
    main(sys.argv[1:])
