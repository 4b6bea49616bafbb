#!/usr/bin/env python3
"""Writes data/nebula_symbol_bits.cpp: the 54 nebula symbols of the chart,
9 x 9 X bitmaps indexed by symbol type x 3 + size class (0 large, 1 middle,
2 small). Types 0..5 are the deep-sky object types and are drawn here by
hand; types 6..17 are plain marks built from simple shapes.

Run from the repository root: tools/gen_nebula_symbols.py
"""

import math
import sys

SIZE = 9
C = 4  # centre row and column

HAND_DRAWN = {
    # 0 planetary nebula: ring, inner ring, central dot
    0: [
        ["..#####..",
         ".#.....#.",
         "#..###..#",
         "#.#...#.#",
         "#.#.#.#.#",
         "#.#...#.#",
         "#..###..#",
         ".#.....#.",
         "..#####.."],
        [".........",
         "...###...",
         "..#...#..",
         ".#..#..#.",
         ".#.###.#.",
         ".#..#..#.",
         "..#...#..",
         "...###...",
         "........."],
        [".........",
         ".........",
         ".........",
         "...##....",
         "..#..#...",
         "..#..#...",
         "...##....",
         ".........",
         "........."],
    ],
    # 1 diffuse nebula: diagonal hatching
    1: [
        ["#..#..#..",
         ".#..#..#.",
         "..#..#..#",
         "#..#..#..",
         ".#..#..#.",
         "..#..#..#",
         "#..#..#..",
         ".#..#..#.",
         "..#..#..#"],
        [".........",
         ".#..#..#.",
         "..#..#...",
         "...#..#..",
         ".#..#..#.",
         "..#..#...",
         "...#..#..",
         ".#..#..#.",
         "........."],
        [".........",
         ".........",
         "..#..#...",
         "...#..#..",
         "..#.#.#..",
         "...#..#..",
         "..#..#...",
         ".........",
         "........."],
    ],
    # 2 open cluster: scattered dots on a cross
    2: [
        ["...##....",
         "...##....",
         ".......##",
         "##.....##",
         "##..#....",
         ".......##",
         "..##...##",
         "..##.##..",
         ".....##.."],
        [".........",
         "....#....",
         "......#..",
         ".........",
         ".#..#..#.",
         ".........",
         "..#......",
         "....#....",
         "........."],
        [".........",
         ".........",
         "....#....",
         ".........",
         "..#.#.#..",
         ".........",
         "....#....",
         ".........",
         "........."],
    ],
    # 3 globular cluster: ring of 2 x 2 dots, diamond of dots, small X
    3: [
        ["..##.##..",
         "..##.##..",
         "##.....##",
         "##.....##",
         "....#....",
         "##.....##",
         "##.....##",
         "..##.##..",
         "..##.##.."],
        [".........",
         "....#....",
         "...#.#...",
         "..#...#..",
         ".#..#..#.",
         "..#...#..",
         "...#.#...",
         "....#....",
         "........."],
        [".........",
         ".........",
         "..#...#..",
         "...#.#...",
         "....#....",
         "...#.#...",
         "..#...#..",
         ".........",
         "........."],
    ],
    # 4 galaxy: flat ellipse
    4: [
        [".........",
         ".........",
         "..#####..",
         ".#.....#.",
         "#.......#",
         ".#.....#.",
         "..#####..",
         ".........",
         "........."],
        [".........",
         ".........",
         ".........",
         "..#####..",
         ".#.....#.",
         ".#.....#.",
         "..#####..",
         ".........",
         "........."],
        [".........",
         ".........",
         ".........",
         "...###...",
         "..#...#..",
         "...###...",
         ".........",
         ".........",
         "........."],
    ],
    # 5 compound object: star of crossing lines
    5: [
        ["#...#...#",
         ".#..#..#.",
         "..#.#.#..",
         "...###...",
         "#########",
         "...###...",
         "..#.#.#..",
         ".#..#..#.",
         "#...#...#"],
        [".........",
         ".#..#..#.",
         "..#.#.#..",
         "...###...",
         ".#######.",
         "...###...",
         "..#.#.#..",
         ".#..#..#.",
         "........."],
        [".........",
         ".........",
         "..#.#.#..",
         "...###...",
         "..#####..",
         "...###...",
         "..#.#.#..",
         ".........",
         "........."],
    ],
}


def blank():
    return [[False] * SIZE for _ in range(SIZE)]


def put(cells, row, col):
    if 0 <= row < SIZE and 0 <= col < SIZE:
        cells[row][col] = True


def circle(cells, r):
    for row in range(SIZE):
        for col in range(SIZE):
            d = math.hypot(row - C, col - C)
            if abs(d - r) < 0.5:
                cells[row][col] = True


def plus(cells, r, gap=0):
    for k in range(gap, r + 1):
        for sign in (-1, 1):
            put(cells, C, C + sign * k)
            put(cells, C + sign * k, C)
    if gap == 0:
        put(cells, C, C)


def cross(cells, r, start=0):
    for k in range(start, r + 1):
        for sr in (-1, 1):
            for sc in (-1, 1):
                put(cells, C + sr * k, C + sc * k)


def square(cells, r, filled):
    for row in range(C - r, C + r + 1):
        for col in range(C - r, C + r + 1):
            edge = row in (C - r, C + r) or col in (C - r, C + r)
            if filled or edge:
                put(cells, row, col)


def triangle(cells, r):
    top, bottom = C - r, C + r
    for row in range(top, bottom + 1):
        half = (row - top) * r / (2 * r)
        left, right = round(C - half), round(C + half)
        if row == bottom:
            for col in range(C - r, C + r + 1):
                put(cells, row, col)
        else:
            put(cells, row, left)
            put(cells, row, right)


def shape(kind, r):
    cells = blank()
    if kind == 6:
        circle(cells, r)
    elif kind == 7:
        circle(cells, r)
        plus(cells, max(1, r - 2))
    elif kind == 8:
        cross(cells, r, start=r - 1)
    elif kind == 9:
        triangle(cells, r)
    elif kind == 10:
        square(cells, r, filled=False)
    elif kind == 11:
        square(cells, r, filled=True)
    elif kind == 12:
        plus(cells, r)
    elif kind == 13:
        plus(cells, r, gap=2 if r > 2 else 1)
    elif kind == 14:
        plus(cells, r)
        cross(cells, max(1, r - 1))
    elif kind == 15:
        circle(cells, r)
        cross(cells, max(1, r - 2))
    elif kind == 16:
        cross(cells, max(1, r - 2))
    elif kind == 17:
        plus(cells, max(1, r - 1))
    return ["".join("#" if c else "." for c in row) for row in cells]


def pictures():
    out = []
    for kind in range(18):
        for size_class in range(3):
            if kind in HAND_DRAWN:
                out.append(HAND_DRAWN[kind][size_class])
            else:
                out.append(shape(kind, 4 - size_class))
    return out


def xbm_bytes(picture):
    data = []
    for row in picture:
        assert len(row) == SIZE, row
        bits = sum(1 << i for i, ch in enumerate(row) if ch == "#")
        data += [bits & 0xFF, bits >> 8]
    return data


def main():
    pics = pictures()
    out = sys.stdout if len(sys.argv) > 1 and sys.argv[1] == "-" else open(
        "data/nebula_symbol_bits.cpp", "w", encoding="ascii", newline="\n")
    w = out.write
    w("// Generated by tools/gen_nebula_symbols.py from its own drawings; do not edit.\n")
    w("#include \"data/nebula_symbol_bits.h\"\n\n")
    w("// X bitmap rows, two bytes a row, least significant bit leftmost.\n")
    w("const unsigned char NebulaSymbolBits[kNebulaSymbolCount][kNebulaSymbolBytes] = {\n")
    for index, picture in enumerate(pics):
        w("    // type %d, size class %d\n" % (index // 3, index % 3))
        for row in picture:
            w("    //   %s\n" % row)
        data = xbm_bytes(picture)
        w("    {" + ", ".join("0x%02x" % b for b in data) + "},\n")
    w("};\n")


if __name__ == "__main__":
    main()
