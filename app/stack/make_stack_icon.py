#!/usr/bin/python3
"""Draws Lobrin Stack's icon, stack.ico, next to this script: four Yagis,
two by two on an H-frame, in the colours of the chart's planes.

The output is the same on every run and is committed, so a build never runs
this script. Needs Debian's python3 alone: the pixels are set one by one,
and the icon file is written by resources/make_resources.py's writer.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "resources"))
from make_resources import ico_bytes  # noqa: E402  (it needs PIL only to draw its own pictures)

SIZE = 32
BLUE = (0, 114, 178, 255)        # the chart's E-plane
VERMILION = (213, 94, 0, 255)    # the chart's H-plane
GREY = (96, 96, 96, 255)


CLEAR = (0, 0, 0, 0)


def line(pixels, x0, y0, x1, y1, colour):
    """A horizontal or vertical line, both ends included."""
    for y in range(min(y0, y1), max(y0, y1) + 1):
        for x in range(min(x0, x1), max(x0, x1) + 1):
            pixels[y][x] = colour


def yagi(pixels, left, top, colour):
    """A boom of 12 pixels with four elements across it, seen from the side."""
    line(pixels, left, top + 3, left + 11, top + 3, colour)
    for x in (left + 1, left + 4, left + 7, left + 10):
        line(pixels, x, top, x, top + 6, colour)


def icon_pixels():
    pixels = [[CLEAR] * SIZE for _ in range(SIZE)]
    # The H-frame and the mast.
    line(pixels, 9, 7, 9, 23, GREY)
    line(pixels, 22, 7, 22, 23, GREY)
    line(pixels, 9, 15, 22, 15, GREY)
    line(pixels, 15, 15, 16, 31, GREY)
    for (left, top, colour) in ((3, 4, BLUE), (16, 4, VERMILION), (3, 20, VERMILION), (16, 20, BLUE)):
        yagi(pixels, left, top, colour)
    return pixels


def main():
    with open(os.path.join(HERE, "stack.ico"), "wb") as f:
        f.write(ico_bytes(icon_pixels()))


if __name__ == "__main__":
    main()
