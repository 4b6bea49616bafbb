#!/usr/bin/python3
"""Writes the XPM pictures of uvola's icon buttons into data/:

  xpm_icon.h                  the data type and how to make a pixmap of it
  toolbar_icons.{h,cpp}       27 toolbar buttons, 16 x 15, and 7 greyed ones
  step_box_icons.{h,cpp}      the step box's minus and plus arrows, 14 x 14
  info_box_icons.{h,cpp}      the information box's 5 buttons, 16 x 15,
                              and its greyed Image button
  image_viewer_icons.{h,cpp}  the image viewer's close, previous and next,
                              17 x 15, three colours each, and greyed
                              previous and next

Every picture is drawn below as a grid of palette characters; the greyed
pictures are made from their normal ones by `greyed`, so the two never
drift apart. All pictures share one small palette, since on an 8-bit
PseudoColor display every colour costs a cell of the shared colormap.

Usage: tools/gen_icons.py [output directory]    (default: data/ of the tree)
       tools/gen_icons.py --sheet FILE.png      a contact sheet at 8x scale
"""

import os
import struct
import sys
import zlib

TOOL = "tools/gen_icons.py"

# The shared palette: character, XPM colour. "." is transparent, so the
# button's own background shows through.
PALETTE = {
    ".": "None",
    "#": "#000000",   # outlines, hands, signs
    "w": "#FFFFFF",   # paper, stars, lenses
    "-": "#808080",   # metal, and the ink of every greyed picture
    "b": "#000080",   # night sky
    "y": "#FFFF00",   # the Sun, planets, folders
    "r": "#FF0000",   # pins, crosses, marks
    "g": "#008000",   # ground, play buttons
    "c": "#00FFFF",   # grid lines, constellation lines and names
}

# Greying: dark inks become grey, light ones white; a white etch below and
# to the right of the grey parts keeps the outline readable.
GREYED_INK = {"#": "-", "r": "-", "g": "-", "-": "-", "b": "w",
              "w": "w", "y": "w", "c": "w"}


def greyed(grid):
    out = [[GREYED_INK.get(ch, ch) for ch in row] for row in grid]
    for y in range(1, len(grid)):
        for x in range(1, len(grid[0])):
            if out[y][x] == "." and out[y - 1][x - 1] == "-":
                out[y][x] = "w"
    return ["".join(row) for row in out]


# ---------------------------------------------------------------------------
# Toolbar, 16 x 15, in the order of the toolbar's buttons.

TOOLBAR = [
    ("FileOpen", "an open yellow folder", [
        "................",
        "................",
        ".####...........",
        "#yyyy#..........",
        "#yyyyy#######...",
        "#yyyyyyyyyyyy#..",
        "#yyyy##########.",
        "#yyy#yyyyyyyyy#.",
        "#yyy#yyyyyyyyy#.",
        "#yy#yyyyyyyyy#..",
        "#yy#yyyyyyyyy#..",
        "#y#yyyyyyyyy#...",
        "#y#yyyyyyyyy#...",
        "#############...",
        "................",
    ]),
    ("FileSave", "a navy floppy disk with a grey shutter and a white label", [
        "................",
        ".##############.",
        ".#bb--------bb#.",
        ".#bb--bb----bb#.",
        ".#bb--bb----bb#.",
        ".#bb--------bb#.",
        ".#bbbbbbbbbbbb#.",
        ".#bbbbbbbbbbbb#.",
        ".#bwwwwwwwwwwb#.",
        ".#bw--------wb#.",
        ".#bwwwwwwwwwwb#.",
        ".#bw--------wb#.",
        ".#bwwwwwwwwwwb#.",
        ".##############.",
        "................",
    ]),
    ("ModeHrz", "a starry dome over green ground", [
        "................",
        "................",
        ".....######.....",
        "...##bbbbbb##...",
        "..#bbbbbbbybb#..",
        ".#bbybbbbbbbbb#.",
        ".#bbbbbbwbbbbb#.",
        "#bbbbbbbbbbbbyb#",
        "#bbwbbbbbbbbbbb#",
        "#bbbbbbbbbbbbbb#",
        "################",
        "#gggggggggggggg#",
        "#gggggggggggggg#",
        "################",
        "................",
    ]),
    ("ModeEqt", "a round star map with a cyan grid around its pole", [
        ".....#####......",
        "...##bbcbb##....",
        "..#bbbbcbbbb#...",
        ".#bbbbcccbbby#..",
        ".#bbccbcbccbb#..",
        "#bbbcbbcbbcbbb#.",
        "#bbcbbbcbbbcbb#.",
        "#cccccccccccccc.",
        "#bbcbbbcbbbcbb#.",
        "#bbbcbbcbbcbyb#.",
        ".#bbccbcbccbb#..",
        ".#ybbbcccbbbb#..",
        "..#bbbbcbbbbb...",
        "...##bbcbb##....",
        ".....#####......",
    ]),
    ("ModeAll1", "a rectangular whole-sky map with a straight grid", [
        "................",
        "................",
        "################",
        "#bbbcbbbcbbbcbb#",
        "#bybcbbbcbbbcbb#",
        "#bbbcbbbcbwbcbb#",
        "#cccccccccccccc#",
        "#bbbcbbbcbbbcbb#",
        "#bbbcbbbcbbbcyb#",
        "#bbbcbwbcbbbcbb#",
        "#cccccccccccccc#",
        "#bbbcbbbcbbbcbb#",
        "################",
        "................",
        "................",
    ]),
    ("ModeAll2", "an oval whole-sky map with curved meridians", [
        "................",
        "................",
        ".....#cccc#.....",
        "...##cbbbbc##...",
        ".##bcbbbbbbcb##.",
        ".#bbcbbybbbcbb#.",
        "#bbbcbbbbbbcbbb#",
        "#cccccccccccccc#",
        "#bbbcbbbbbbcbyb#",
        ".#bbcbbbbwbcbb#.",
        ".##bcbbbbbbcb##.",
        "...##cbbbbc##...",
        ".....#cccc#.....",
        "................",
        "................",
    ]),
    ("ModeSol", "the Sun in a planet's orbit, and two planets", [
        ".....######.....",
        "...##bbbbbb##...",
        "..#bbbbbbbbbb#..",
        ".#bbbbbbbbbbbb#.",
        ".#bbbbwwwwbbbb#.",
        "#bbwwwbbbbwwwbb#",
        "#bwbbbbyybbbbwb#",
        "#cwbbbyyyybbbbw#",
        "#ccbbbbyybbbbwb#",
        "#bbwwwbbbbwrrbb#",
        ".#bbbbwwwwrrbb#.",
        ".#bbbbbbbbbbbb#.",
        "..#bbbbbbbbbb#..",
        "...##bbbbbb##...",
        ".....######.....",
    ]),
    ("ModeVola", "a planisphere, a white dial round an oval star window", [
        ".....#####......",
        "...##w-w-w##....",
        "..#-wwwwwww-#...",
        ".#wwbbbbbbbww#..",
        ".#-bbbbbybbb-#..",
        "#wbbwbbbbbbbbw#.",
        "#-bbbbbbbbybb-#.",
        "#wbbbbbwbbbbbw#.",
        "#-wbbbbbbbbbw-#.",
        "#wwbbybbbbbbww#.",
        ".#-wwbbbbbww-#..",
        ".#wwwwwwwwwww#..",
        "..#-wwwwwww-#...",
        "...##w-w-w##....",
        ".....#####......",
    ]),
    ("SetDate", "a calendar page with a red top and one red day", [
        "................",
        "...#......#.....",
        ".##########.##..",
        ".#rrrrrrrrrrrr#.",
        ".#rrrrrrrrrrrr#.",
        ".##############.",
        ".#wwwwwwwwwwww#.",
        ".#w#w#w#w#w#ww#.",
        ".#wwwwwwwwwwww#.",
        ".#w#w#w#wrr#ww#.",
        ".#wwwwwwwrrwww#.",
        ".#w#w#w#w#w#ww#.",
        ".#wwwwwwwwwwww#.",
        ".##############.",
        "................",
    ]),
    ("SetPlace", "a red map pin standing on the green Earth", [
        "......####......",
        ".....#rrrr#.....",
        "....#rrrrrr#....",
        "...#rrrwwrrr#...",
        "...#rrrwwrrr#...",
        "....#rrrrrr#....",
        ".....#rrrr#.....",
        "......#rr#......",
        "..#####rr#####..",
        ".#gggggg#ggggg#.",
        "#gggbbbbggggbbg#",
        "#ggbbbbbbggbbbg#",
        ".#gggbbbbbgggg#.",
        "..############..",
        "................",
    ]),
    ("LookHrz", "a red arrow pointing down at the horizon", [
        "................",
        "......####......",
        "......#rr#......",
        "......#rr#......",
        "......#rr#......",
        "...####rr####...",
        "....#rrrrrr#....",
        ".....#rrrr#.....",
        "......#rr#......",
        ".......##.......",
        "################",
        "#gggggggggggggg#",
        "#gggggggggggggg#",
        "################",
        "................",
    ]),
    ("Daylight", "the Sun with eight rays", [
        ".......#........",
        ".......#........",
        "..#.........#...",
        "...#..###..#....",
        ".....#yyy#......",
        "....#yyyyy#.....",
        "....#yyyyy#.....",
        "##..#yyyyy#..##.",
        "....#yyyyy#.....",
        ".....#yyy#......",
        "...#..###..#....",
        "..#.........#...",
        ".......#........",
        ".......#........",
        "................",
    ]),
    ("ZoomUp", "a magnifying glass with a plus", [
        "................",
        "....#####.......",
        "...#wwwww#......",
        "..#www#www#.....",
        ".#wwww#wwww#....",
        ".#wwww#wwww#....",
        ".#w#######w#....",
        ".#wwww#wwww#....",
        ".#wwww#wwww#....",
        "..#www#www##....",
        "...#wwwww###....",
        "....#####.###...",
        "...........###..",
        "............###.",
        ".............##.",
    ]),
    ("ZoomDown", "a magnifying glass with a minus", [
        "................",
        "....#####.......",
        "...#wwwww#......",
        "..#wwwwwww#.....",
        ".#wwwwwwwww#....",
        ".#wwwwwwwww#....",
        ".#w#######w#....",
        ".#wwwwwwwww#....",
        ".#wwwwwwwww#....",
        "..#wwwwwww##....",
        "...#wwwww###....",
        "....#####.###...",
        "...........###..",
        "............###.",
        ".............##.",
    ]),
    ("Consline", "stars joined by cyan constellation lines", [
        ".bbbbbbbbbbbbbb.",
        "bbbbbbbbbbbbbbbb",
        "bbbbbbbbbbbbbbbb",
        "bwwbbbbbbbbbbwwb",
        "bwwbbbbbbbbbbwwb",
        "bbcbbbbwwbbbcbbb",
        "bbcbbbcwwbbbcbbb",
        "bbbcbbcbcbbbcbbb",
        "bbbcbcbbcbbcbbbb",
        "bbbbccbbbcbcbbbb",
        "bbbbwwbbbbcbbbbb",
        "bbbbwwbbbbwwbbbb",
        "bbbbbbbbbbwwbbbb",
        "bbbbbbbbbbbbbbbb",
        ".bbbbbbbbbbbbbb.",
    ]),
    ("Consname", "three belt stars over the cyan name \"ORI\"", [
        ".bbbbbbbbbbbbbb.",
        "bbbbbbbbbbbbbbbb",
        "bbbbbbbbbbbbwbbb",
        "bbbbbbbbbwbbbbbb",
        "bbbbbbwbbbbbbbbb",
        "bbbwbbbbbbbbbbbb",
        "bbbbbbbbbbbbbbbb",
        "bbbbbbbbbbbbbbbb",
        "bbbcccbcccbcccbb",
        "bbbcbcbcbcbbcbbb",
        "bbbcbcbccbbbcbbb",
        "bbbcbcbcbcbbcbbb",
        "bbbcccbcbcbcccbb",
        "bbbbbbbbbbbbbbbb",
        ".bbbbbbbbbbbbbb.",
    ]),
    ("Planetname", "a ringed planet over the yellow name \"SAT\"", [
        ".bbbbbbbbbbbbbb.",
        "bbbbbbbbbbbbbbbb",
        "bbbbbbbyyybbbbbb",
        "bbbbbbyyyyybbbbb",
        "bbbbwwwwwwwwwbbb",
        "bbbwbbyyyyybbwbb",
        "bbbbwwwwwwwwwbbb",
        "bbbbbbbyyybbbbbb",
        "bbbyyybbybbyyybb",
        "bbbybbbybybbybbb",
        "bbbyyybyyybbybbb",
        "bbbbbybybybbybbb",
        "bbbyyybybybbybbb",
        "bbbbbbbbbbbbbbbb",
        ".bbbbbbbbbbbbbb.",
    ]),
    ("Nebula", "a tilted spiral galaxy with a white core", [
        ".bbbbbbbbbbbbbb.",
        "bbbbbbbbbbbbbbbb",
        "bbbbbbbbbbbcccbb",
        "bbbbbbbbbcccbbbb",
        "bbbbbbbcccbbbbbb",
        "bbbbbcccccccbbbb",
        "bbbbcccwwwcccbbb",
        "bbbcccwwwwwcccbb",
        "bbbcccwwwwwcccbb",
        "bbbbcccwwwcccbbb",
        "bbbbbcccccccbbbb",
        "bbbbbbcccbbbbbbb",
        "bbbbcccbbbbbbbbb",
        "bbcccbbbbbbbbbbb",
        ".bbbbbbbbbbbbbb.",
    ]),
    ("Milkyway", "a speckled band across the sky between cyan edges", [
        ".bbbbbbbbbcbbbb.",
        "bbbbbbbbbcbbbbbc",
        "bbbbbbbbcbwbbbcb",
        "bbbbbbbcbwbwbcbb",
        "bbbbbbcbwbwbcbbb",
        "bbbbbcbwbwbcbbbb",
        "bbbbcbbbwbcbbbbb",
        "bbbcbwbwbcbbbbbb",
        "bbcbwbwbcbbbbbbb",
        "bcbwbbbcbbbbbbbb",
        "cbwbwbcbbbbbbbbb",
        "bbbwbcbbbbbbbbbb",
        "bbwbcbbbbbbbbbbb",
        "bbbcbbbbbbbbbbbb",
        ".bcbbbbbbbbbbbb.",
    ]),
    ("PicMark", "a small photograph among the stars", [
        ".bbbbbbbbbbbbbb.",
        "bbbbbbbbbbbbbbbb",
        "bbwbbbbbbbbbbwbb",
        "bbbbbbbbbbbbbbbb",
        "bbbyyyyyyyyyybbb",
        "bbbywwwwwwwwybbb",
        "bbbywwwwwwryybbb",
        "bbbywwgwwwwwybbb",
        "bbbywgggwwgwybbb",
        "bbbyggggggggybbb",
        "bbbyyyyyyyyyybbb",
        "bbbbbbbbbbbbbbbb",
        "bbbbbwbbbbbbbbbb",
        "bbbbbbbbbbbbbbwb",
        ".bbbbbbbbbbbbbb.",
    ]),
    ("GridHrz", "altitude and azimuth lines over green ground", [
        ".bbbbbbbbbbbbbb.",
        "bbbbbbbbbbbbbbbb",
        "bbbbbccccccbbbbb",
        "bbbccbbccbbccbbb",
        "bbcbbbcbbcbbbcbb",
        "bcbbbcbbbbcbbbcb",
        "bcccccccccccccbb",
        "cbbbcbbbbbbcbbbc",
        "cbbcbbbbbbbbcbbc",
        "cccccccccccccccc",
        "cbcbbbbbbbbbbcbc",
        "gggggggggggggggg",
        "gggggggggggggggg",
        "gggggggggggggggg",
        ".gggggggggggggg.",
    ]),
    ("GridEqt", "a globe of cyan meridians and parallels", [
        ".bbbbbbbbbbbbbb.",
        "bbbbbbcccccbbbbb",
        "bbbbccbbcbbccbbb",
        "bbbccccccccccbbb",
        "bbcbbcbbcbbcbcbb",
        "bbcbcbbbcbbbcbcb",
        "bcccccccccccccbb",
        "bcbbcbbbcbbbcbcb",
        "bcccccccccccccbb",
        "bbcbcbbbcbbbcbcb",
        "bbcbbcbbcbbcbcbb",
        "bbbccccccccccbbb",
        "bbbbccbbcbbccbbb",
        "bbbbbbcccccbbbbb",
        ".bbbbbbbbbbbbbb.",
    ]),
    ("Trace", "a planet leaving a trail of earlier places", [
        ".bbbbbbbbbbbbbb.",
        "bbbbbbbbbbbbyybb",
        "bbbbbbbbbbbyyyyb",
        "bbbbbbbbbbbyyyyb",
        "bbbbbbbbbbbbyybb",
        "bbbbbbbbbwbbbbbb",
        "bbbbbbbbbbbbbbbb",
        "bbbbbbbwbbbbbbbb",
        "bbbbbbbbbbbbbbbb",
        "bbbbbwbbbbbbbbbb",
        "bbbbbbbbbbbbbbbb",
        "bbbwbbbbbbbbbbbb",
        "bbbbbbbbbbbbbbbb",
        "bwbbbbbbbbbbbbbb",
        ".bbbbbbbbbbbbbb.",
    ]),
    ("SetStep", "a clock with a red step arrow", [
        "....#####.......",
        "...#wwwww#......",
        "..#wwww#ww#.....",
        ".#wwwww#www#....",
        ".#wwwww#www#....",
        ".#wwwww###w#....",
        ".#wwwwwwwww#....",
        ".#wwwwwwwww#....",
        "..#wwwwwww#.....",
        "...#wwwww#......",
        "....#####...r...",
        "............rr..",
        "...rrrrrrrrrrrr.",
        "............rr..",
        "............r...",
    ]),
    ("Reverse", "a green triangle pointing left", [
        "................",
        "...........#....",
        "..........##....",
        ".........#g#....",
        "........#gg#....",
        ".......#ggg#....",
        "......#gggg#....",
        ".....#ggggg#....",
        "......#gggg#....",
        ".......#ggg#....",
        "........#gg#....",
        ".........#g#....",
        "..........##....",
        "...........#....",
        "................",
    ]),
    ("StopPlay", "a red square", [
        "................",
        "................",
        "................",
        "...#########....",
        "...#rrrrrrr#....",
        "...#rrrrrrr#....",
        "...#rrrrrrr#....",
        "...#rrrrrrr#....",
        "...#rrrrrrr#....",
        "...#rrrrrrr#....",
        "...#rrrrrrr#....",
        "...#########....",
        "................",
        "................",
        "................",
    ]),
    ("Continue", "a green triangle pointing right", [
        "................",
        "....#...........",
        "....##..........",
        "....#g#.........",
        "....#gg#........",
        "....#ggg#.......",
        "....#gggg#......",
        "....#ggggg#.....",
        "....#gggg#......",
        "....#ggg#.......",
        "....#gg#........",
        "....#g#.........",
        "....##..........",
        "....#...........",
        "................",
    ]),
]

# The rows whose buttons turn insensitive and then show a greyed picture.
TOOLBAR_GREYED = (10, 11, 12, 13, 24, 25, 26)

# ---------------------------------------------------------------------------
# Step box, 14 x 14: back (minus) and forward (plus).

STEP_BOX = [
    ("Minus", "a black arrow pointing left", [
        "..............",
        "..............",
        ".....#........",
        "....##........",
        "...###........",
        "..###########.",
        ".############.",
        ".############.",
        "..###########.",
        "...###........",
        "....##........",
        ".....#........",
        "..............",
        "..............",
    ]),
    ("Plus", "a black arrow pointing right", [
        "..............",
        "..............",
        "........#.....",
        "........##....",
        "........###...",
        ".###########..",
        ".############.",
        ".############.",
        ".###########..",
        "........###...",
        "........##....",
        "........#.....",
        "..............",
        "..............",
    ]),
]

# ---------------------------------------------------------------------------
# Information box, 16 x 15, in the order of its buttons.

INFO_BOX = [
    ("Close", "a red cross", [
        "................",
        ".####.....####..",
        ".#rr##...##rr#..",
        ".#rrr##.##rrr#..",
        ".##rrr###rrr##..",
        "..##rrr#rrr##...",
        "...##rrrrr##....",
        "....##rrr##.....",
        "...##rrrrr##....",
        "..##rrr#rrr##...",
        ".##rrr###rrr##..",
        ".#rrr##.##rrr#..",
        ".#rr##...##rr#..",
        ".####.....####..",
        "................",
    ]),
    ("Blink", "a yellow four-pointed star flashing", [
        "..#....#....#...",
        "...#.......#....",
        "......###.......",
        "......#y#.......",
        ".....#yyy#......",
        "....#yyyyy#.....",
        "..##yyyyyyy##...",
        ".#yyyyyyyyyyy#..",
        "..##yyyyyyy##...",
        "....#yyyyy#.....",
        ".....#yyy#......",
        "......#y#.......",
        "......###.......",
        "...#.......#....",
        "..#....#....#...",
    ]),
    ("Center", "a crosshair with a red centre", [
        "................",
        ".......#........",
        "......###.......",
        "....##.#.##.....",
        "...#...#...#....",
        "...#.......#....",
        "..#...rrr...#...",
        ".####.rrr.####..",
        "..#...rrr...#...",
        "...#.......#....",
        "...#...#...#....",
        "....##.#.##.....",
        "......###.......",
        ".......#........",
        "................",
    ]),
    ("Track", "a crosshair on a moving yellow star", [
        "................",
        ".........#......",
        "........###.....",
        "......##.#.##...",
        ".....#...#...#..",
        "##...#...y...#..",
        "....#...yyy...#.",
        "###.####yyy####.",
        "....#...yyy...#.",
        "##...#...y...#..",
        ".....#...#...#..",
        "......##.#.##...",
        "........###.....",
        ".........#......",
        "................",
    ]),
    ("Image", "a photograph of a mountain under the Sun", [
        "................",
        "................",
        "################",
        "#wwwwwwwwwwwwww#",
        "#wbbbbbbbbbbbbw#",
        "#wbbbbbbbbbyybw#",
        "#wbbbbbbbbyyyyw#",
        "#wbbbbgbbbbyybw#",
        "#wbbbgggbbbbbbw#",
        "#wbbgggggbbgbbw#",
        "#wbgggggggggggw#",
        "#wwwwwwwwwwwwww#",
        "################",
        "................",
        "................",
    ]),
]

# ---------------------------------------------------------------------------
# Image viewer, 17 x 15, three colours each.

IMAGE_VIEWER = [
    ("Close", "a red cross", [
        ".................",
        "..####.....####..",
        "..#rr##...##rr#..",
        "..#rrr##.##rrr#..",
        "..##rrr###rrr##..",
        "...##rrr#rrr##...",
        "....##rrrrr##....",
        ".....##rrr##.....",
        "....##rrrrr##....",
        "...##rrr#rrr##...",
        "..##rrr###rrr##..",
        "..#rrr##.##rrr#..",
        "..#rr##...##rr#..",
        "..####.....####..",
        ".................",
    ]),
    ("Prev", "a green arrow pointing left", [
        ".................",
        ".................",
        "......#..........",
        ".....##..........",
        "....#g#########..",
        "...#gggggggggg#..",
        "..#ggggggggggg#..",
        ".#gggggggggggg#..",
        "..#ggggggggggg#..",
        "...#gggggggggg#..",
        "....#g#########..",
        ".....##..........",
        "......#..........",
        ".................",
        ".................",
    ]),
    ("Next", "a green arrow pointing right", [
        ".................",
        ".................",
        "..........#......",
        "..........##.....",
        "..#########g#....",
        "..#gggggggggg#...",
        "..#ggggggggggg#..",
        "..#gggggggggggg#.",
        "..#ggggggggggg#..",
        "..#gggggggggg#...",
        "..#########g#....",
        "..........##.....",
        "..........#......",
        ".................",
        ".................",
    ]),
]

# ---------------------------------------------------------------------------
# Writing the files.

HEADER = "// Generated by %s from its own drawings; do not edit.\n" % TOOL


def colours_of(grid):
    used = {ch for row in grid for ch in row}
    return [ch for ch in PALETTE if ch in used]


def check(name, grid, width, height):
    if len(grid) != height or any(len(row) != width for row in grid):
        sys.exit("%s: %s is not %d x %d" % (TOOL, name, width, height))
    unknown = set(colours_of(grid)) - set(PALETTE)
    if unknown:
        sys.exit("%s: %s uses %s outside the palette" % (TOOL, name, "".join(sorted(unknown))))


def xpm_array(name, comment, grid):
    width, height = len(grid[0]), len(grid)
    lines = ["// %s" % comment,
             "const char* const %s[] = {" % name,
             '    "%d %d %d 1",' % (width, height, len(colours_of(grid)))]
    lines += ['    "%s c %s",' % (ch, PALETTE[ch]) for ch in colours_of(grid)]
    lines += ['    "%s",' % row for row in grid]
    lines.append("};")
    return "\n".join(lines) + "\n"


def icon_name(prefix, name, greyed_picture=False):
    return "k%s%s%sIcon" % (prefix, name, "Insensitive" if greyed_picture else "")


def header_file(comment, declarations):
    return (HEADER + comment + '#pragma once\n\n#include "data/xpm_icon.h"\n\n' +
            declarations)


def extern_arrays(symbols):
    return "".join("extern const char* const %s[];\n" % s for s in symbols)


def table(declarator, symbols):
    rows = "".join("    %-36s// %d\n" % (s + ",", i) for i, s in enumerate(symbols))
    return "const XpmIconData %s = {\n%s};\n" % (declarator, rows)


def toolbar_files():
    arrays, normal, insensitive = [], [], []
    for index, (name, what, grid) in enumerate(TOOLBAR):
        check(name, grid, 16, 15)
        normal.append(icon_name("Toolbar", name))
        arrays.append(xpm_array(normal[-1], "%d %s: %s" % (index, name, what), grid))
        if index in TOOLBAR_GREYED:
            insensitive.append(icon_name("Toolbar", name, True))
            arrays.append(xpm_array(insensitive[-1], "%d %s, greyed" % (index, name), greyed(grid)))
        else:
            insensitive.append("nullptr")
    listing = "".join("//   %2d %-11s %s\n" % (i, name, what)
                      for i, (name, what, _) in enumerate(TOOLBAR))
    header = header_file(
        "// The pictures of the toolbar's 27 buttons, 16 x 15 pixels, indexed like\n"
        "// the buttons themselves:\n" + listing +
        "// kToolbarInsensitiveIcons holds the greyed pictures (labelInsensitivePixmap)\n"
        "// of the buttons that turn insensitive, rows 10-13 and 24-26, and nullptr\n"
        "// for every other row.\n",
        "constexpr int kToolbarIconWidth = 16;\n"
        "constexpr int kToolbarIconHeight = 15;\n"
        "constexpr int kToolbarIconCount = 27;\n\n"
        "extern const XpmIconData kToolbarIcons[kToolbarIconCount];\n"
        "extern const XpmIconData kToolbarInsensitiveIcons[kToolbarIconCount];\n")
    source = (HEADER + '#include "data/toolbar_icons.h"\n\nnamespace {\n\n' +
              "\n".join(arrays) + "\n}  // namespace\n\n" +
              table("kToolbarIcons[kToolbarIconCount]", normal) + "\n" +
              table("kToolbarInsensitiveIcons[kToolbarIconCount]", insensitive))
    return {"toolbar_icons.h": header, "toolbar_icons.cpp": source}


def step_box_files():
    symbols, arrays = [], []
    for name, what, grid in STEP_BOX:
        check(name, grid, 14, 14)
        symbols.append(icon_name("StepBox", name))
        arrays.append(xpm_array(symbols[-1], "%s: %s" % (name, what), grid))
    header = header_file(
        "// The arrows of the step box's buttons, 14 x 14 pixels: minus steps the\n"
        "// date back, plus forward.\n",
        "constexpr int kStepBoxIconSize = 14;\n\n" + extern_arrays(symbols))
    source = HEADER + '#include "data/step_box_icons.h"\n\n' + "\n".join(arrays)
    return {"step_box_icons.h": header, "step_box_icons.cpp": source}


def info_box_files():
    symbols, arrays = [], []
    for index, (name, what, grid) in enumerate(INFO_BOX):
        check(name, grid, 16, 15)
        symbols.append(icon_name("InfoBox", name))
        arrays.append(xpm_array(symbols[-1], "%d %s: %s" % (index, name, what), grid))
    greyed_image = icon_name("InfoBox", "Image", True)
    header = header_file(
        "// The pictures of the information box's buttons, 16 x 15 pixels, in the\n"
        "// order of the buttons: 0 ClickDataClose, 1 ClickDataBlink, 2 ClickDataCenter,\n"
        "// 3 ClickDataTrack, 4 ClickDataImage; and the greyed Image picture that\n"
        "// ClickDataImage shows while the object has no picture.\n",
        "constexpr int kInfoBoxIconWidth = 16;\n"
        "constexpr int kInfoBoxIconHeight = 15;\n"
        "constexpr int kInfoBoxIconCount = 5;\n\n"
        "extern const XpmIconData kInfoBoxIcons[kInfoBoxIconCount];\n" +
        extern_arrays([greyed_image]))
    source = (HEADER + '#include "data/info_box_icons.h"\n\nnamespace {\n\n' +
              "\n".join(arrays) + "\n}  // namespace\n\n" +
              table("kInfoBoxIcons[kInfoBoxIconCount]", symbols) + "\n" +
              xpm_array(greyed_image, "Image, greyed", greyed(INFO_BOX[-1][2])))
    return {"info_box_icons.h": header, "info_box_icons.cpp": source}


def image_viewer_files():
    pictures = [(icon_name("ImageViewer", name), "%s: %s" % (name, what), grid)
                for name, what, grid in IMAGE_VIEWER]
    pictures += [(icon_name("ImageViewer", name, True), "%s, greyed" % name, greyed(grid))
                 for name, _, grid in IMAGE_VIEWER[1:]]
    for symbol, _, grid in pictures:
        check(symbol, grid, 17, 15)
        if len(colours_of(grid)) != 3:
            sys.exit("%s: %s must have three colours" % (TOOL, symbol))
    header = header_file(
        "// The pictures of the image viewer's buttons, 17 x 15 pixels, three colours\n"
        "// each: ButtonOK (close), ButtonPrev and ButtonNext, and the greyed previous\n"
        "// and next pictures for the first and the last picture of the list.\n",
        "constexpr int kImageViewerIconWidth = 17;\n"
        "constexpr int kImageViewerIconHeight = 15;\n\n" +
        extern_arrays(symbol for symbol, _, _ in pictures))
    source = (HEADER + '#include "data/image_viewer_icons.h"\n\n' +
              "\n".join(xpm_array(*picture) for picture in pictures))
    return {"image_viewer_icons.h": header, "image_viewer_icons.cpp": source}


XPM_ICON_H = HEADER + """\
// The icon buttons' pictures are XPM data compiled into the program, one
// array of strings each, as XpmCreatePixmapFromData reads them. It takes
// char** but only reads, so pass const_cast<char**>(icon).
//
// The background of every picture is the colour "None", so that the button's
// own background shows through: give XpmCreatePixmapFromData the colour
// symbol {nullptr, "None", background pixel} (XpmColorSymbols), or those
// pixels come out as pixel 0. All pictures share one palette of eight
// colours (black, white, grey, navy, yellow, red, green, cyan), so on an
// 8-bit display they cost at most eight cells.
#pragma once

using XpmIconData = const char* const*;
"""


def all_files():
    files = {"xpm_icon.h": XPM_ICON_H}
    for part in (toolbar_files, step_box_files, info_box_files, image_viewer_files):
        files.update(part())
    return files


# ---------------------------------------------------------------------------
# Contact sheet: every picture at 8x on the Motif background, one set a row.

SCALE = 8
GAP = 4
SHEET_BACKGROUND = (0xC4, 0xC4, 0xC4)


def rgb(ch):
    value = PALETTE[ch]
    if value == "None":
        return SHEET_BACKGROUND
    return tuple(int(value[i:i + 2], 16) for i in (1, 3, 5))


def sheet_rows():
    toolbar = [grid for _, _, grid in TOOLBAR]
    toolbar_greyed = [greyed(g) if i in TOOLBAR_GREYED else None for i, g in enumerate(toolbar)]
    info = [grid for _, _, grid in INFO_BOX]
    viewer = [grid for _, _, grid in IMAGE_VIEWER]
    return [toolbar[:14], toolbar_greyed[:14], toolbar[14:], toolbar_greyed[14:],
            [grid for _, _, grid in STEP_BOX] + [None] + info + [greyed(info[-1])],
            viewer + [greyed(g) for g in viewer[1:]]]


def write_sheet(path):
    cell = 17 * SCALE + GAP
    rows = sheet_rows()
    width = max(len(r) for r in rows) * cell + GAP
    height = len(rows) * (15 * SCALE + GAP) + GAP
    pixels = [[(0x60, 0x60, 0x60)] * width for _ in range(height)]
    for r, row in enumerate(rows):
        top = GAP + r * (15 * SCALE + GAP)
        for c, grid in enumerate(row):
            if grid is None:
                continue
            left = GAP + c * cell
            for y in range(15 * SCALE):
                for x in range(17 * SCALE):
                    gy, gx = y // SCALE, x // SCALE
                    inside = gy < len(grid) and gx < len(grid[0])
                    pixels[top + y][left + x] = rgb(grid[gy][gx]) if inside else SHEET_BACKGROUND
    raw = b"".join(b"\0" + bytes(v for p in line for v in p) for line in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--sheet":
        write_sheet(sys.argv[2])
        return
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "data")
    for name, text in sorted(all_files().items()):
        with open(os.path.join(target, name), "w") as f:
            f.write(text)


main()
