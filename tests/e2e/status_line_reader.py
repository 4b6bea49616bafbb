"""Reads the status line of a GSAVE image back as text.

The reader knows no font. It learns the glyphs from the program itself:
LOCATE's fifth argument is drawn as it is at the end of the site text, so
two status lines that differ only in that name give the name's glyphs, one
run of inked columns per character. Reading cuts a status line into such
runs and looks each one up; spaces are not read (their widths say nothing
certain), so texts are compared without them.

    reader = StatusLineReader.learn(client, gsave)   # in a ChartTestCase
    reader.assert_shows(path, "Sun Dec 6, 2026 21:00")
"""

import collections

from uvola_e2e import read_xpm

# What the learnt names draw: everything a status line shows but the
# degree sign (which the locale decides), in names short enough for the
# site name's field and for a narrow window. The blanks keep glyphs that
# touch (as "()" does in some fonts) apart.
LEARNT_NAMES = ("0 1 2 3 4 5 6 7 8 9", ": . , ( ) + - /",
                "A B C D E F G H I J K L M", "N O P Q R S T U V W X Y Z",
                "a b c d e f g h i j k l m", "n o p q r s t u v w x y z")
UNKNOWN = "?"


def status_rows(rows):
    """The rows of the status line above its rule, the first row drawn in
    one colour other than the line's background."""
    background = rows[0][-1]
    for y, row in enumerate(rows):
        if row[0] != background and row.count(row[0]) == len(row):
            return rows[:y]
    raise AssertionError("no status line rule in the image")


def glyph_runs(rows):
    """Each run of columns with ink in the status line, as a tuple of the
    columns' ink rows: the glyphs, and the Moon icon at the start."""
    lines = status_rows(rows)
    counts = collections.Counter(c for row in lines for c in row)
    background = counts.most_common(1)[0][0]
    ink = counts.most_common(2)[1][0]
    runs, run = [], []
    for x in range(len(lines[0])):
        column = tuple(y for y, row in enumerate(lines) if row[x] == ink)
        if column:
            run.append(column)
        elif run:
            runs.append(tuple(run))
            run = []
    if run:
        runs.append(tuple(run))
    assert background != ink
    return runs


def common_prefix(a, b):
    n = 0
    while n < min(len(a), len(b)) and a[n] == b[n]:
        n += 1
    return n


class StatusLineReader:
    def __init__(self):
        self.glyphs = {}         # run -> the first character learnt for it
        self.same_as = {}        # character -> the character its glyph reads as

    def learn_name(self, without_name, with_name, name):
        """Learns the glyphs of name from two status lines (image rows) that
        differ only in it, the one without it first."""
        plain, named = glyph_runs(without_name), glyph_runs(with_name)
        name = name.replace(" ", "")
        start = common_prefix(plain, named)
        end = start + len(name)
        if named[end:] != plain[start:]:
            raise AssertionError("the name %r did not draw one run of ink per character" % name)
        for char, run in zip(name, named[start:end]):
            self.glyphs.setdefault(run, char)
            self.same_as[char] = self.glyphs[run]

    @classmethod
    def learn(cls, test, gsave):
        """A reader taught by a running program: test.ok runs command text,
        gsave() saves the chart and returns the image's path."""
        reader = cls()
        test.ok('LOCATE 0E,0N,0,0,"|"; DRIVE')
        plain = read_xpm(gsave())[2]
        for name in LEARNT_NAMES:
            test.ok('LOCATE 0E,0N,0,0,"|%s"; DRIVE' % name)
            reader.learn_name(plain, read_xpm(gsave())[2], name)
        return reader

    def read_run(self, run):
        """The characters of one run of ink: a glyph, or glyphs that touch;
        None when it is neither."""
        if run in self.glyphs:
            return self.glyphs[run]
        for width in range(1, len(run)):
            rest = self.glyphs.get(run[:width]) and self.read_run(run[width:])
            if rest:
                return self.glyphs[run[:width]] + rest
        return None

    def read(self, path):
        """The status line of a GSAVE image, without spaces; a run of ink
        that is no learnt glyph (the Moon icon, a degree sign) reads as "?"."""
        return "".join(self.read_run(run) or UNKNOWN for run in glyph_runs(read_xpm(path)[2]))

    def as_read(self, text):
        """A text as read() would give it: no spaces, and each character as
        the one its glyph reads as (in some fonts l and I look alike)."""
        return "".join(self.same_as.get(c, UNKNOWN) for c in text if c != " ")

    def assert_shows(self, path, *texts):
        read = self.read(path)
        for text in texts:
            if self.as_read(text) not in read:
                raise AssertionError("the status line reads %r, without %r" % (read, text))
