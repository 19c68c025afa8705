#!/usr/bin/python3
"""Draws Lobrin's resources and writes them next to this script.

Writes the two explanatory pictures (bitmap0.bmp, bitmap1.bmp), the window
icon (icon0.ico), the info text (str1.txt) and the resource script that
names them (lobrin.rc). The output is byte-for-byte the same on every run,
and the files are committed, so a build never runs this script.

Needs Debian's python3 with python3-pil. Text uses DejaVu Sans when
fonts-dejavu-core is installed, otherwise PIL's built-in font.
"""

import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))

# Everything is drawn at SUPERSAMPLE times the final size and then reduced,
# which gives smooth, anti-aliased lines and text.
SUPERSAMPLE = 4

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
LIGHT_GREY = (200, 200, 200)
RED = (220, 0, 0)

FONT_DIR = "/usr/share/fonts/truetype/dejavu"
FONT_FILES = {False: "DejaVuSans.ttf", True: "DejaVuSans-Bold.ttf"}


# ---------------------------------------------------------------------------
# Drawing surface
# ---------------------------------------------------------------------------

class Sketch:
    """A white picture addressed in final-size pixel coordinates (floats).

    Lines, shapes and text are drawn on a supersampled image; `finish`
    reduces it to the final size.
    """

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.image = Image.new("RGB", (width * SUPERSAMPLE, height * SUPERSAMPLE), WHITE)
        self.draw = ImageDraw.Draw(self.image)

    @staticmethod
    def _s(value):
        return value * SUPERSAMPLE

    def _pts(self, points):
        return [(self._s(x), self._s(y)) for x, y in points]

    def line(self, points, width=1.0, colour=BLACK):
        self.draw.line(self._pts(points), fill=colour,
                       width=max(1, round(self._s(width))), joint="curve")
        # Round caps: PIL draws butt ends, which look ragged on thick lines.
        r = self._s(width) / 2
        if width >= 1.5:
            for x, y in (self._pts(points)[0], self._pts(points)[-1]):
                self.draw.ellipse((x - r, y - r, x + r, y + r), fill=colour)

    def dashed(self, p, q, width=1.0, colour=BLACK, pattern=(6, 3)):
        """A straight line from p to q drawn as dashes (pattern: on, off, ...)."""
        (x1, y1), (x2, y2) = p, q
        length = math.hypot(x2 - x1, y2 - y1)
        if length == 0:
            return
        ux, uy = (x2 - x1) / length, (y2 - y1) / length
        pos, i = 0.0, 0
        while pos < length:
            step = pattern[i % len(pattern)]
            end = min(pos + step, length)
            if i % 2 == 0:
                self.line([(x1 + ux * pos, y1 + uy * pos), (x1 + ux * end, y1 + uy * end)],
                          width, colour)
            pos, i = end, i + 1

    def ellipse(self, cx, cy, a, b, width=1.0, colour=BLACK):
        box = [self._s(cx - a), self._s(cy - b), self._s(cx + a), self._s(cy + b)]
        self.draw.ellipse(box, outline=colour, width=max(1, round(self._s(width))))

    def dashed_circle(self, cx, cy, r, width=1.0, colour=BLACK, dash_deg=6.0, gap_deg=4.0):
        start = 0.0
        while start < 360.0:
            end = min(start + dash_deg, 360.0)
            self.arc(cx, cy, r, start, end, width, colour)
            start += dash_deg + gap_deg

    def arc(self, cx, cy, r, start_deg, end_deg, width=1.0, colour=BLACK):
        """Arc in PIL's convention: degrees clockwise from the positive x axis."""
        box = [self._s(cx - r), self._s(cy - r), self._s(cx + r), self._s(cy + r)]
        self.draw.arc(box, start_deg, end_deg, fill=colour,
                      width=max(1, round(self._s(width))))

    def dot(self, x, y, r, colour=BLACK, outline=None):
        box = [self._s(x - r), self._s(y - r), self._s(x + r), self._s(y + r)]
        self.draw.ellipse(box, fill=colour, outline=outline,
                          width=SUPERSAMPLE if outline else 0)

    def polygon(self, points, colour=BLACK):
        self.draw.polygon(self._pts(points), fill=colour)

    def arrow_head(self, tip, towards, length=7.0, half_width=2.6, colour=BLACK):
        """A filled arrow head with its point at `tip`, its base towards `towards`."""
        (tx, ty), (fx, fy) = tip, towards
        d = math.hypot(fx - tx, fy - ty)
        ux, uy = (fx - tx) / d, (fy - ty) / d
        bx, by = tx + ux * length, ty + uy * length
        self.polygon([(tx, ty), (bx - uy * half_width, by + ux * half_width),
                      (bx + uy * half_width, by - ux * half_width)], colour)

    def dimension(self, p, q, width=1.2, colour=BLACK):
        """A dimension line with arrow heads at both ends."""
        self.line([p, q], width, colour)
        self.arrow_head(p, q, colour=colour)
        self.arrow_head(q, p, colour=colour)

    def text(self, x, y, s, size, bold=False, colour=BLACK, anchor="la"):
        """Draws s with its anchor point (PIL anchor codes) at (x, y)."""
        font = load_font(size * SUPERSAMPLE, bold)
        if font is not None:
            self.draw.text((self._s(x), self._s(y)), s, font=font, fill=colour, anchor=anchor)
            return
        # No TrueType font: draw PIL's bitmap font at its own size and scale it up.
        small = ImageFont.load_default()
        left, top, right, bottom = small.getbbox(s)
        w, h = right - left, bottom - top
        scale = max(1, round(size / 8))
        patch = Image.new("L", (w, h), 0)
        ImageDraw.Draw(patch).text((-left, -top), s, font=small, fill=255)
        patch = patch.resize((w * scale * SUPERSAMPLE, h * scale * SUPERSAMPLE), Image.NEAREST)
        pw, ph = patch.size
        ox = {"l": 0, "m": pw / 2, "r": pw}[anchor[0]]
        oy = {"a": 0, "t": 0, "m": ph / 2, "s": ph, "b": ph, "d": ph}[anchor[1]]
        self.image.paste(colour, (round(self._s(x) - ox), round(self._s(y) - oy)), patch)

    def text_halo(self, x, y, s, size, bold=False, colour=BLACK, anchor="la", pad=1.5):
        """Text on a white patch, so that lines behind it do not cut through it."""
        font = load_font(size * SUPERSAMPLE, bold)
        if font is not None:
            l, t, r, b = self.draw.textbbox((self._s(x), self._s(y)), s, font=font, anchor=anchor)
            p = self._s(pad)
            self.draw.rectangle((l - p, t - p, r + p, b + p), fill=WHITE)
        self.text(x, y, s, size, bold, colour, anchor)

    def finish(self):
        return self.image.resize((self.width, self.height), Image.LANCZOS)


_font_cache = {}


def load_font(pixel_size, bold):
    key = (round(pixel_size), bold)
    if key not in _font_cache:
        path = os.path.join(FONT_DIR, FONT_FILES[bold])
        _font_cache[key] = ImageFont.truetype(path, key[0]) if os.path.exists(path) else None
    return _font_cache[key]


# ---------------------------------------------------------------------------
# BITMAP0: four Yagis stacked two by two, seen from the front
# ---------------------------------------------------------------------------

# The picture is shown almost unscaled behind the result boxes, so the layout
# leaves two areas clear: the H-plane boxes and their unit labels
# (x 10..95, y 124..168) left of the vertical arrow, and the E-plane boxes
# (x 205..292, y 283..321) under the horizontal arrow. The credit text of
# the window covers the bottom-right corner (x > 310, y > 308).

ARRAY_SIZE = (398, 321)
COLUMNS = (195, 315)           # boom centres, left and right column
ROWS = (85, 193)               # boom centres, upper and lower row
PATTERN_A, PATTERN_B = 78, 70  # half axes of each radiation pattern outline
H_ARROW_X = 105
E_ARROW_Y = 274


def draw_yagi(sk, cx, cy):
    """One horizontally polarised Yagi in oblique view, pointing at the viewer.

    The boom recedes up and to the right; the reflector is at the back, the
    directors get shorter towards the front.
    """
    step = (8.0, -5.0)
    half_lengths = [33, 30, 27, 26, 25, 24, 23, 22]  # reflector, driven, directors
    n = len(half_lengths)
    centres = [(cx + (n / 2 - 0.5 - i) * step[0], cy + (n / 2 - 0.5 - i) * step[1])
               for i in range(n)]
    # Elements first, then the boom over them, as the boom is in front of
    # the element halves that pass behind it.
    for i, ((x, y), h) in enumerate(zip(centres, half_lengths)):
        if i == 1:
            # The driven element is split at the boom where the feed line connects.
            sk.line([(x - h, y), (x - 2.2, y)], 1.7)
            sk.line([(x + 2.2, y), (x + h, y)], 1.7)
            sk.dot(x, y + 2.6, 1.6)
        else:
            sk.line([(x - h, y), (x + h, y)], 1.7)
    back, front = centres[0], centres[-1]
    sk.line([(back[0] + step[0] * 0.6, back[1] + step[1] * 0.6),
             (front[0] - step[0] * 0.6, front[1] - step[1] * 0.6)], 2.8)


def draw_array():
    sk = Sketch(*ARRAY_SIZE)
    (x1, x2), (y1, y2) = COLUMNS, ROWS

    # Radiation pattern outlines.
    for y in ROWS:
        for x in COLUMNS:
            sk.ellipse(x, y, PATTERN_A, PATTERN_B, 1.3)

    # The H frame that carries the four antennas: a cross arm on the mast,
    # and a vertical tube at each end of it holding two antennas.
    mid_x, mid_y = (x1 + x2) / 2, (y1 + y2) / 2
    frame = GREY
    sk.line([(x1, y1 - 12), (x1, y2 + 12)], 2.2, frame)
    sk.line([(x2, y1 - 12), (x2, y2 + 12)], 2.2, frame)
    sk.line([(x1, mid_y), (x2, mid_y)], 2.2, frame)
    sk.line([(mid_x, mid_y), (mid_x, 258)], 3.0, frame)

    for y in ROWS:
        for x in COLUMNS:
            draw_yagi(sk, x, y)

    # H PLANE: vertical distance between the booms of the two rows.
    for y in ROWS:
        sk.dashed((H_ARROW_X - 6, y), (x1 - 56, y), 0.8, BLACK, (5, 3))
    sk.dimension((H_ARROW_X, y1 + 0.5), (H_ARROW_X, y2 - 0.5))
    sk.text(H_ARROW_X - 8, 117, "H PLANE", 13, bold=True, anchor="rs")

    # E PLANE: horizontal distance between the booms of the two columns.
    for x in COLUMNS:
        sk.dashed((x, y2 + 22), (x, E_ARROW_Y + 6), 0.8, BLACK, (5, 3))
    sk.dimension((x1 + 0.5, E_ARROW_Y), (x2 - 0.5, E_ARROW_Y))
    sk.text(x1 + 5, 298, "E PLANE", 13, bold=True, anchor="rm")
    return sk.finish()


# ---------------------------------------------------------------------------
# BITMAP1: polar plot of one antenna's radiation pattern
# ---------------------------------------------------------------------------

POLAR_SIZE = (216, 250)
# In the window the note labels cover the top few rows and the bottom 35
# rows of this picture, so the plot keeps within y 10..214.
POLAR_CENTRE = (108, 113)
POLAR_RADIUS = 86
HALF_BEAMWIDTH = 25.0  # degrees either side of the main direction
LABEL_SPOKE = 140.0    # the ring levels are written along this direction, a null

# Ring radius, as a fraction of the 0 dB ring, for each labelled level. The
# scale is compressed towards the low levels so the -3 dB ring stands clear
# of the 0 dB ring while -40 dB still has room near the centre.
RINGS = [(0, 1.00), (-3, 0.84), (-10, 0.66), (-20, 0.48), (-30, 0.31), (-40, 0.14)]


def ring_fraction(db):
    """Radius fraction for a level in dB, linear between the labelled rings."""
    db = max(db, RINGS[-1][0])
    for (d_hi, r_hi), (d_lo, r_lo) in zip(RINGS, RINGS[1:]):
        if d_lo <= db <= d_hi:
            return r_lo + (r_hi - r_lo) * (db - d_lo) / (d_hi - d_lo)
    return RINGS[0][1]


# The lobes of the pattern: (first null, second null, peak field strength).
# The main lobe is a cosine from the centre to its first null at twice the
# half beamwidth, which puts its -3 dB points exactly at +-HALF_BEAMWIDTH.
SIDE_LOBES = [(50.0, 80.0, 0.09), (80.0, 140.0, 0.045), (140.0, 220.0, 0.06)]


def pattern_db(theta_deg):
    """Relative field strength (dB) at theta degrees from the main direction."""
    t = abs((theta_deg + 180.0) % 360.0 - 180.0)
    amplitude = 0.0
    if t < 2 * HALF_BEAMWIDTH:
        amplitude = math.cos(math.pi / 2 * t / (2 * HALF_BEAMWIDTH))
    for start, end, peak in SIDE_LOBES:
        for u in (t, 360.0 - t):
            if start <= u <= end:
                amplitude = max(amplitude, peak * math.sin(math.pi * (u - start) / (end - start)))
    return 20.0 * math.log10(max(amplitude, 1e-4))


def polar_point(theta_deg, radius):
    """Point at theta degrees clockwise from straight up, radius pixels from the centre."""
    cx, cy = POLAR_CENTRE
    a = math.radians(theta_deg)
    return cx + radius * math.sin(a), cy - radius * math.cos(a)


def draw_polar():
    sk = Sketch(*POLAR_SIZE)
    cx, cy = POLAR_CENTRE
    R = POLAR_RADIUS

    # Grid: spokes every 30 degrees and the level rings.
    for deg in range(0, 360, 30):
        sk.line([polar_point(deg, RINGS[-1][1] * R), polar_point(deg, R)], 0.8, LIGHT_GREY)
    for db, frac in RINGS:
        if db == -3:
            sk.dashed_circle(cx, cy, frac * R, 1.0, BLACK)
        else:
            sk.ellipse(cx, cy, frac * R, frac * R, 1.2 if db == 0 else 0.8,
                       BLACK if db == 0 else GREY)

    # The pattern itself.
    points = [polar_point(i / 4.0, ring_fraction(pattern_db(i / 4.0)) * R)
              for i in range(0, 4 * 360 + 1)]
    sk.line(points, 1.8, BLACK)

    # Ring levels, each written over its ring where the ring meets the
    # label spoke, clear of the pattern.
    for db, frac in RINGS:
        x, y = polar_point(LABEL_SPOKE, frac * R)
        sk.text_halo(x, y, "0 dB" if db == 0 else str(db), 10, anchor="mm", pad=0.8)

    # The beamwidth: the angle at the centre between A and B.
    r3 = ring_fraction(-3) * R
    a_pt = polar_point(-HALF_BEAMWIDTH, r3)
    b_pt = polar_point(HALF_BEAMWIDTH, r3)
    for p in (a_pt, b_pt):
        sk.dashed((cx, cy), p, 1.0, RED, (4, 2.5))
    arc_r = 0.42 * R
    sk.arc(cx, cy, arc_r, -90 - HALF_BEAMWIDTH + 2.5, -90 + HALF_BEAMWIDTH - 2.5, 1.1, RED)
    left_end = polar_point(-HALF_BEAMWIDTH, arc_r)
    right_end = polar_point(HALF_BEAMWIDTH, arc_r)
    sk.arrow_head(left_end, polar_point(-HALF_BEAMWIDTH + 12, arc_r), 5.5, 2.2, RED)
    sk.arrow_head(right_end, polar_point(HALF_BEAMWIDTH - 12, arc_r), 5.5, 2.2, RED)
    sk.text_halo(cx, cy - arc_r - 4, "BW", 10, bold=True, colour=RED, anchor="ms", pad=1)

    # Points A and B on the -3 dB ring.
    for p, name, anchor, dx in ((a_pt, "A", "rm", -5), (b_pt, "B", "lm", 5)):
        sk.dot(p[0], p[1], 3.2, RED, outline=WHITE)
        sk.text_halo(p[0] + dx, p[1] - 3, name, 13, bold=True, colour=RED, anchor=anchor, pad=1)

    # Directions.
    sk.text(cx, cy - R - 3, "0\u00b0", 10, anchor="ms")
    sk.text(cx, cy + R + 3, "180\u00b0", 10, anchor="mt")
    return sk.finish()


# ---------------------------------------------------------------------------
# ICON0: 16 x 16 antenna glyph
# ---------------------------------------------------------------------------

# A Yagi on its mast, seen from the side: the boom across the top, the
# elements crossing it, the feed point in red.
ICON_ROWS = [
    "................",
    ".E..............",
    ".E..E...........",
    ".E..E....E..E..E",
    ".E..E....E..E..E",
    "BBBBRBBBBBBBBBBB",
    ".E..E..M.E..E..E",
    ".E..E..M.E..E..E",
    ".E..E..M........",
    ".E.....M........",
    ".......M........",
    ".......M........",
    ".......M........",
    ".......M........",
    ".....MMMMM......",
    "................",
]
ICON_COLOURS = {  # RGBA
    "E": (0, 0, 128, 255),     # elements: navy
    "B": (0, 0, 0, 255),       # boom: black
    "R": (230, 0, 0, 255),     # feed point: red
    "M": (96, 96, 96, 255),    # mast: grey
    ".": (0, 0, 0, 0),         # transparent
}


def icon_pixels():
    assert len(ICON_ROWS) == 16 and all(len(r) == 16 for r in ICON_ROWS)
    return [[ICON_COLOURS[c] for c in row] for row in ICON_ROWS]


# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------

def info_header(width, height, image_size):
    """A 40-byte BITMAPINFOHEADER, 32 bits per pixel, BI_RGB."""
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, image_size, 2835, 2835, 0, 0)


def bmp_bytes(image):
    """An uncompressed bottom-up 32-bit BMP of an RGB image (reserved byte 255)."""
    width, height = image.size
    raw = image.convert("RGB").tobytes()
    rows = []
    for y in range(height - 1, -1, -1):
        row = raw[y * width * 3:(y + 1) * width * 3]
        out = bytearray(width * 4)
        out[0::4] = row[2::3]
        out[1::4] = row[1::3]
        out[2::4] = row[0::3]
        out[3::4] = b"\xff" * width
        rows.append(bytes(out))
    pixels = b"".join(rows)
    offset = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + info_header(width, height, len(pixels)) + pixels


def ico_bytes(pixels):
    """An icon file with one 32-bit image: BGRA colour rows plus the AND mask."""
    size = len(pixels)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    # The image's header counts the colour rows and the mask: twice the height.
    image = info_header(size, 2 * size, len(xor) + len(mask)) + xor + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


# ---------------------------------------------------------------------------
# STR1: the info text
# ---------------------------------------------------------------------------

AUTHOR = "Pat Example"
CALL_SIGN = "N0CALL"
PLACE = "Anytown"
E_MAIL = "n0call@example.invalid"
WEB_SITE = "www.example.invalid"

INFO_LINES = [
    "    Lobrin by %s, %s" % (AUTHOR, CALL_SIGN),
    "                 Version 1.05",
    "                 July 2014",
    "                 ",
    "     This program help you to calculate the ",
    "     distance between antennas in stack array ",
    "     syatems. It's very important to know the ",
    "     correct distance to have a good antenna ",
    "     stack array system with good performance.",
    "     Stacking two indentical antennas can result ",
    "     2.5 - 2.9 dB increase of forward gain but ",
    "     if it done correctly.",
    "     ",
    "     The DL6WU formula for long yagis:",
    "     ",
    "     D = W/(2*(sin B/2))",
    "     ",
    "     Where is: ",
    "     D - stacking distance in meters",
    "     W - wavelength in meters",
    "     B - beamwidth in -3 dB points ",
    "     ",
    "     All that you need to know is a frequency ",
    "     and beamwidth in -3 dB points for each plane ",
    "     of the the main lobby of single antenna.",
    "     ",
    "     E-plane is Azimuth (horizontal)",
    "     H-plane is Elevation (vertical)",
    "     The H-plane stacking distance is 88-92% of",
    "     E-plane distance.",
    "     ",
    "     Use this program to calculate the stacking ",
    "     distance only for the similar antennas with",
    "     same band and with boom length at least two",
    "     wavelengths, another words for the long yagis.",
    "     For example: ",
    "      - two 18 elements yagi 432 MHz or",
    "      - four 10 elements yagi 144 MHz or",
    "      - two 22 elements yagi 1296 MHz",
    "    ",
    "    ",
    "    Please send your questions and comments to",
    "    E-mail: %s" % E_MAIL,
    "    Visit %s for more programs and technical articles." % WEB_SITE,
    "    ",
    "    ",
    "    73, %s, %s" % (AUTHOR, CALL_SIGN),
    "    %s, 2014" % PLACE,
]


def info_text_bytes():
    assert len(INFO_LINES) == 48
    # Read as a zero-terminated ANSI string: CR LF between lines, none at the end.
    return "\r\n".join(INFO_LINES).encode("ascii") + b"\0"


RESOURCE_SCRIPT = """\
// Lobrin's resources: the window icon, the two explanatory pictures and
// the info text. Written by make_resources.py.

LANGUAGE 9, 1

ICON0 ICON "icon0.ico"
BITMAP0 BITMAP "bitmap0.bmp"
BITMAP1 BITMAP "bitmap1.bmp"
STR1 100 "str1.txt"
"""


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)


def main():
    if load_font(13, False) is None:
        print("make_resources: DejaVu fonts not found, using PIL's built-in font",
              file=sys.stderr)
    write("bitmap0.bmp", bmp_bytes(draw_array()))
    write("bitmap1.bmp", bmp_bytes(draw_polar()))
    write("icon0.ico", ico_bytes(icon_pixels()))
    write("str1.txt", info_text_bytes())
    write("lobrin.rc", RESOURCE_SCRIPT.encode("ascii"))


if __name__ == "__main__":
    main()
