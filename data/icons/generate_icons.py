#!/usr/bin/env python3
"""Draws the legend icons of the timeline layers as 16 x 16 24-bit BMP files.

White pixels are where the layer's own colour goes (the control fills them in), black is
outline, and the light grey background matches the legend. Run from this folder to rewrite
dataovertime.bmp, dataovertime_line.bmp and transitions.bmp.
"""
import struct

SIZE = 16
BACKGROUND = (240, 240, 240)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


def blank():
    return [[BACKGROUND] * SIZE for _ in range(SIZE)]


def write_bmp(name, pixels):
    image = bytearray()  # rows of 48 bytes need no padding
    for y in range(SIZE - 1, -1, -1):  # bottom row first
        for r, g, b in pixels[y]:
            image += bytes((b, g, r))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(image), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    with open(name, "wb") as out:
        out.write(header + info + image)


def axes(pixels):
    for i in range(1, SIZE - 1):
        pixels[SIZE - 2][i] = BLACK  # time axis
        pixels[i][1] = BLACK  # value axis


def area_icon():
    pixels = blank()
    heights = [3, 5, 8, 6, 9, 12, 10, 7, 5, 8, 11, 9]
    for i, h in enumerate(heights):
        x = 3 + i
        for y in range(SIZE - 2 - h, SIZE - 2):
            pixels[y][x] = WHITE
    axes(pixels)
    return pixels


def line_icon():
    pixels = blank()
    heights = [3, 5, 8, 6, 9, 12, 10, 7, 5, 8, 11, 9]
    previous = None
    for i, h in enumerate(heights):
        x, y = 3 + i, SIZE - 3 - h
        if previous is not None:
            for yy in range(min(previous, y), max(previous, y) + 1):
                pixels[yy][x] = WHITE
        pixels[y][x] = WHITE
        pixels[y + 1][x] = WHITE  # two pixels thick
        previous = y
    axes(pixels)
    return pixels


def transitions_icon():
    pixels = blank()
    for x in range(1, SIZE - 1):
        pixels[3][x] = BLACK  # source row
        pixels[12][x] = BLACK  # destination row
    for step in range(8):  # the transition, two pixels wide
        x, y = 4 + step, 4 + step
        pixels[y][x] = WHITE
        pixels[y][x + 1] = WHITE
    for dx, dy in ((0, -1), (0, -2), (-1, 0), (-2, 0)):  # arrow head at the destination
        pixels[11 + dy][12 + dx] = WHITE
    return pixels


write_bmp("dataovertime.bmp", area_icon())
write_bmp("dataovertime_line.bmp", line_icon())
write_bmp("transitions.bmp", transitions_icon())
