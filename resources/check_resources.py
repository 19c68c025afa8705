#!/usr/bin/python3
"""Checks the committed resource files that lobrin.rc compiles into the program.

Usage: check_resources.py [DIRECTORY]   (default: the directory of this script)

Verifies the file formats that the program's loaders rely on, and the
info text line by line. Prints one summary line; exits 1 on any fault,
listing each fault on stderr.
"""

import os
import re
import struct
import sys

# The fixed part of the info text, lines 2 to 40: (leading spaces, text,
# trailing spaces). Kept apart from the generator's copy on purpose.
INFO_BODY = [
    (17, "Version 1.05", 0),
    (17, "July 2014", 0),
    (17, "", 0),
    (5, "This program help you to calculate the", 1),
    (5, "distance between antennas in stack array", 1),
    (5, "syatems. It's very important to know the", 1),
    (5, "correct distance to have a good antenna", 1),
    (5, "stack array system with good performance.", 0),
    (5, "Stacking two indentical antennas can result", 1),
    (5, "2.5 - 2.9 dB increase of forward gain but", 1),
    (5, "if it done correctly.", 0),
    (5, "", 0),
    (5, "The DL6WU formula for long yagis:", 0),
    (5, "", 0),
    (5, "D = W/(2*(sin B/2))", 0),
    (5, "", 0),
    (5, "Where is:", 1),
    (5, "D - stacking distance in meters", 0),
    (5, "W - wavelength in meters", 0),
    (5, "B - beamwidth in -3 dB points", 1),
    (5, "", 0),
    (5, "All that you need to know is a frequency", 1),
    (5, "and beamwidth in -3 dB points for each plane", 1),
    (5, "of the the main lobby of single antenna.", 0),
    (5, "", 0),
    (5, "E-plane is Azimuth (horizontal)", 0),
    (5, "H-plane is Elevation (vertical)", 0),
    (5, "The H-plane stacking distance is 88-92% of", 0),
    (5, "E-plane distance.", 0),
    (5, "", 0),
    (5, "Use this program to calculate the stacking", 1),
    (5, "distance only for the similar antennas with", 0),
    (5, "same band and with boom length at least two", 0),
    (5, "wavelengths, another words for the long yagis.", 0),
    (5, "For example:", 1),
    (6, "- two 18 elements yagi 432 MHz or", 0),
    (6, "- four 10 elements yagi 144 MHz or", 0),
    (6, "- two 22 elements yagi 1296 MHz", 0),
    (4, "", 0),
]

INFO_LINE_COUNT = 48
CLOSING_BLANK_LINES = (41, 45, 46)  # 1-based; hold only their 4-space indent

BITMAPS = {"bitmap0.bmp": (398, 321), "bitmap1.bmp": (216, 250)}
RC_ENTRIES = [("ICON0", "ICON", "icon0.ico"), ("BITMAP0", "BITMAP", "bitmap0.bmp"),
              ("BITMAP1", "BITMAP", "bitmap1.bmp"), ("STR1", "100", "str1.txt")]

BITMAPINFOHEADER = struct.Struct("<IiiHHIIiiII")  # 40 bytes
BI_RGB = 0


class Faults:
    def __init__(self):
        self.items = []

    def check(self, condition, message):
        if not condition:
            self.items.append(message)
        return condition


def read(directory, name, faults):
    try:
        with open(os.path.join(directory, name), "rb") as f:
            return f.read()
    except OSError as e:
        faults.check(False, "%s: cannot read (%s)" % (name, e.strerror))
        return None


def check_info_header(name, data, width, height, faults):
    """A 32-bit BI_RGB BITMAPINFOHEADER of the given size (height positive: bottom-up)."""
    if not faults.check(len(data) >= 40, "%s: info header truncated" % name):
        return
    size, w, h, planes, bpp, compression = BITMAPINFOHEADER.unpack_from(data)[:6]
    faults.check(size == 40, "%s: header size %d, expected 40" % (name, size))
    faults.check((w, h) == (width, height),
                 "%s: %d x %d, expected %d x %d" % (name, w, h, width, height))
    faults.check(planes == 1, "%s: %d planes" % (name, planes))
    faults.check(bpp == 32, "%s: %d bits per pixel, expected 32" % (name, bpp))
    faults.check(compression == BI_RGB, "%s: compression %d, expected BI_RGB" % (name, compression))


def check_bitmap(directory, name, width, height, faults):
    data = read(directory, name, faults)
    if data is None:
        return
    if not faults.check(len(data) >= 54 and data[:2] == b"BM", "%s: not a BMP file" % name):
        return
    file_size, offset = struct.unpack_from("<I", data, 2)[0], struct.unpack_from("<I", data, 10)[0]
    faults.check(file_size == len(data), "%s: file size field %d, file has %d bytes"
                 % (name, file_size, len(data)))
    faults.check(offset == 54, "%s: pixels at offset %d, expected 54" % (name, offset))
    check_info_header(name, data[14:], width, height, faults)
    faults.check(len(data) == 54 + width * height * 4,
                 "%s: %d bytes, expected %d" % (name, len(data), 54 + width * height * 4))


def check_icon(directory, faults):
    name = "icon0.ico"
    data = read(directory, name, faults)
    if data is None:
        return
    if not faults.check(len(data) >= 22, "%s: truncated" % name):
        return
    reserved, kind, count = struct.unpack_from("<HHH", data)
    faults.check((reserved, kind) == (0, 1), "%s: not an icon file" % name)
    faults.check(count == 1, "%s: %d images, expected 1" % (name, count))
    w, h, colours, _, planes, bpp, size, offset = struct.unpack_from("<BBBBHHII", data, 6)
    faults.check((w, h) == (16, 16), "%s: entry is %d x %d, expected 16 x 16" % (name, w, h))
    faults.check(bpp == 32 and planes == 1 and colours == 0,
                 "%s: entry has %d bits per pixel, %d planes, %d colours" % (name, bpp, planes, colours))
    # Image: header, 16 rows of 16 BGRA pixels, then the AND mask (16 rows of 4 bytes).
    expected = 40 + 16 * 16 * 4 + 16 * 4
    faults.check(size == expected, "%s: image of %d bytes, expected %d" % (name, size, expected))
    if faults.check(offset + size == len(data), "%s: image does not end the file" % name):
        check_info_header(name, data[offset:], 16, 32, faults)


def check_info_text(directory, faults):
    name = "str1.txt"
    data = read(directory, name, faults)
    if data is None:
        return
    if not faults.check(data.endswith(b"\0") and data.count(b"\0") == 1,
                        "%s: must end in exactly one zero byte, and hold no other" % name):
        return
    text = data[:-1]
    faults.check(not text.endswith(b"\r\n"), "%s: line end after the last line" % name)
    faults.check(text.count(b"\r") == text.count(b"\n") == text.count(b"\r\n"),
                 "%s: line ends must all be CR LF" % name)
    faults.check(all(0x20 <= c < 0x7F or c in b"\r\n" for c in text),
                 "%s: holds bytes other than printable ASCII and CR LF" % name)
    lines = text.decode("latin-1").split("\r\n")
    if not faults.check(len(lines) == INFO_LINE_COUNT,
                        "%s: %d lines, expected %d" % (name, len(lines), INFO_LINE_COUNT)):
        return
    for number, (lead, body, trail) in enumerate(INFO_BODY, start=2):
        expected = " " * lead + body + " " * trail
        faults.check(lines[number - 1] == expected, "%s: line %d is %r, expected %r"
                     % (name, number, lines[number - 1], expected))
    for number in [1] + list(range(41, INFO_LINE_COUNT + 1)):
        line = lines[number - 1]
        if number in CLOSING_BLANK_LINES:
            faults.check(line == "    ", "%s: line %d must be 4 spaces only" % (name, number))
        else:
            faults.check(re.match(r"    \S", line) is not None and line == line.rstrip(),
                         "%s: line %d must be indented by exactly 4 spaces: %r" % (name, number, line))
    faults.check("Lobrin" in lines[0], "%s: line 1 does not name the program" % name)
    faults.check("2014" in lines[-1] or "2014" in lines[-2],
                 "%s: the signature does not carry the year 2014" % name)


def check_script(directory, faults):
    name = "lobrin.rc"
    data = read(directory, name, faults)
    if data is None:
        return
    text = data.decode("ascii", "replace")
    faults.check(re.search(r"^\s*LANGUAGE\s+9\s*,\s*1\s*$", text, re.M) is not None,
                 "%s: no LANGUAGE 9, 1 statement" % name)
    for res_name, res_type, file_name in RC_ENTRIES:
        pattern = r'^\s*%s\s+%s\s+"%s"\s*$' % (res_name, res_type, re.escape(file_name))
        faults.check(re.search(pattern, text, re.M) is not None,
                     "%s: no line %s %s \"%s\"" % (name, res_name, res_type, file_name))


def main(argv):
    directory = argv[1] if len(argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    faults = Faults()
    for name, (w, h) in BITMAPS.items():
        check_bitmap(directory, name, w, h, faults)
    check_icon(directory, faults)
    check_info_text(directory, faults)
    check_script(directory, faults)
    for item in faults.items:
        print("FAULT " + item, file=sys.stderr)
    summary = ("bitmap0.bmp 398x321 and bitmap1.bmp 216x250 (32 bpp BI_RGB), icon0.ico "
               "(one 16x16 32 bpp image), str1.txt (48 CR LF lines, fixed lines 2-40, "
               "4-space closing block, one zero byte), lobrin.rc entries")
    print("check_resources: %s: %s" % ("FAILED" if faults.items else "OK", summary))
    return 1 if faults.items else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
