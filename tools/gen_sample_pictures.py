#!/usr/bin/python3
"""Draws the pictures of the sample click data, data/image/*.jpg: for each,
the built uvola is driven through its command port to a view of the object,
the chart is saved with GSAVE, its middle 240 x 180 pixels are cut out and
written as a PPM picture, and cjpeg turns that into the JPEG file.

The pictures are Uvola's own charts. Fonts and the X server differ from
machine to machine, so a new run does not give the same bytes; the test
(tests/sky/catalog/sky_sample_pictures_test.cpp) checks only that each
picture decodes at 240 x 180.

Needed only to make the pictures again: cjpeg, from the Debian package
libjpeg-turbo-progs (apt-get install libjpeg-turbo-progs). Run it in the
tests' private home and X server, from the source tree:

    tests/harness/uvola-test-env --xvfb -- \\
        python3 tools/gen_sample_pictures.py build/mainwin/uvola
"""

import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from uvola_e2e import UvolaSession, read_xpm  # noqa: E402

DATA = os.path.join(ROOT, "data")
WIDTH, HEIGHT = 240, 180
QUALITY = "85"

# One evening for every picture, with the Moon up, and the same plain chart
# before each view.
SETUP = ("LOCATE 139.77E,35.68N,9,40,Tokyo; DATE 2026,1,25,20,0,0; HIDE STATUSBAR; "
         "MODE EQT; STARDATA STD; SHOW STAR, STARNAME, CONS_LINE; MAG STAR 6.5; "
         "HIDE NEBULA, NEBULA_NAME, JMOON_NAME; REAL PLANET; DISK_MAG 1")

# (file, the commands that turn the view to its object)
PICTURES = [
    ("moon.jpg", "VIEW ANGLE 4; LOOK MOON"),
    ("jupiter.jpg", "VIEW ANGLE 0.8; SHOW JMOON, JMOON_NAME; DISK JUPITER; DISK_MAG 6; LOOK JUPITER"),
    ("saturn.jpg", "VIEW ANGLE 1; DISK SATURN; DISK_MAG 30; LOOK SATURN"),
    ("m13.jpg", "VIEW ANGLE 8; SHOW NEBULA, NEBULA_NAME; LOOK M13"),
    ("m31.jpg", "VIEW ANGLE 10; SHOW NEBULA, NEBULA_NAME; LOOK M31"),
    ("m42.jpg", "VIEW ANGLE 8; SHOW NEBULA, NEBULA_NAME; LOOK M42"),
    ("m45.jpg", "VIEW ANGLE 4; STARDATA SAO; MAG STAR 9.5; LOOK M45"),
    ("orion.jpg", "VIEW ANGLE 40; LOOK CONS Ori"),
]


def rgb(name):
    """(r, g, b) bytes of an XPM colour "#RRGGBB" or "#RRRRGGGGBBBB"."""
    digits = name[1:]
    size = len(digits) // 3
    return bytes(int(digits[i * size:i * size + 2], 16) for i in range(3))


def middle_as_ppm(xpm, ppm):
    width, height, rows = read_xpm(xpm)
    left, top = (width - WIDTH) // 2, (height - HEIGHT) // 2
    with open(ppm, "wb") as out:
        out.write(b"P6\n%d %d\n255\n" % (WIDTH, HEIGHT))
        for row in rows[top:top + HEIGHT]:
            out.write(b"".join(rgb(name) for name in row[left:left + WIDTH]))


def main():
    program = sys.argv[1]
    work = tempfile.mkdtemp()
    args = ["-q", "-geometry", "640x480",
            "-xrm", "uvola*SaoFile: %s" % os.path.join(DATA, "uvola.sao"),
            "-xrm", "uvola*StarNameDataFile: %s" % os.path.join(DATA, "starname.dat"),
            "-xrm", "uvola*ConstDataFile: %s" % os.path.join(DATA, "consname.dat")]
    with UvolaSession(program, args=args) as uvola:
        port = uvola.connect()
        for name, view in PICTURES:
            for line in (SETUP, view, "DRIVE", "GSAVE %s" % os.path.join(work, "chart")):
                reply = port.request(line)
                if reply:
                    sys.exit("%s: %s: %s" % (name, line, reply.strip()))
            ppm = os.path.join(work, "chart.ppm")
            middle_as_ppm(os.path.join(work, "chart.xpm"), ppm)
            jpeg = os.path.join(DATA, "image", name)
            with open(jpeg, "wb") as out:
                subprocess.run(["cjpeg", "-quality", QUALITY, "-optimize", ppm], stdout=out, check=True)
            print("wrote", os.path.relpath(jpeg, ROOT))


if __name__ == "__main__":
    main()
