#!/usr/bin/env python3
"""Draws every picture of Scourway and of the Tollen control library.

Run from anywhere: python3 art/make_art.py
The files are written under app/res/ and picker/res/ of this checkout.
"""

import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import formats  # noqa: E402
from raster import VectorCanvas, arc, over, quantize, vertical_gradient  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Pixel art keys: palette index of formats.VGA16 for each character;
# a blank is transparent.
ICON_KEY = {'#': 0, 'G': 2, 's': 7, 'g': 8, 'l': 10, 'y': 11, 'c': 14, 'w': 15}


# -- Scourway's program picture --------------------------------------------

# A sheet of paper with a little landscape and lines of text; its top-right
# corner is folded down and its lower part is cut into strips that fan out.
SHREDDED_SHEET_32 = [
    "                                ",
    "    ###################         ",
    "    #wwwwwwwwwwwwwwwww##        ",
    "    #wwwwwwwwwwwwwwwww#s#       ",
    "    #wwggggggggwwwwwww#ss#      ",
    "    #wwgcccyycgwgggggw#sss#     ",
    "    #wwgcccyycgwwwwwww######    ",
    "    #wwgclccccgwggggggggggw#    ",
    "    #wwglllccGgwwwwwwwwwwww#    ",
    "    #wwgllllGGgwggggggggwww#    ",
    "    #wwglllGGGgwwwwwwwwwwww#    ",
    "    #wwggggggggwgggggggggww#    ",
    "    #wwwwwwwwwwwwwwwwwwwwww#    ",
    "    #wwgggggggggggggggggggw#    ",
    "    #wwwwwwwwwwwwwwwwwwwwww#    ",
    "    #wwggggggggggggggwwwwww#    ",
    "    #wwwwwwwwwwwwwwwwwwwwww#    ",
    "    #ww# #ww# #ww# #ww# #ww#    ",
    "    #ww# #ww# #ww# #ww# #ww#    ",
    "    #gg# #gg# #gw# #gg# #ww#    ",
    "    #ww# #ww# #ww# #ww# #ww#    ",
    "   #gg#  #gw# #gg# #gg#  #gg#   ",
    "   #ww#  #ww# #ww# #ww#  #ww#   ",
    "   #gw#  #gg# #gg# #gw#  #ww#   ",
    "   #ww# #ww#  #ww#  #ww# #ww#   ",
    "   #gg# #ww#  #gg#  #gg# #gw#   ",
    "  #ww#  #ww#  #ww#  #ww#  #ww#  ",
    "  #ww#  #ww#  ####  #ww#  #ww#  ",
    "  #ww#  #ww#        #ww#  ####  ",
    "  ####  #ww#        #ww#        ",
    "        #ww#        ####        ",
    "        ####                    ",
]

SHREDDED_SHEET_16 = [
    " ############   ",
    " #wwwwwwwwww##  ",
    " #wcccycwggg#s# ",
    " #wcccccwwww####",
    " #wlccccwgggggw#",
    " #wllllGwwwwwww#",
    " #wwwwwwwwwwwww#",
    " #wgggggggggggw#",
    " #wwwwwwwwwwwww#",
    " #w# #w# #w# #w#",
    " #g# #g# #w# #g#",
    " #w# #w# #w# #w#",
    " #g# #w# #g# #g#",
    " #w# #w# ### #w#",
    " ### #w#     #w#",
    "     ###     ###",
]


def pixel_art(lines, key):
    """Palette indices and transparency of a picture drawn as text."""
    indices = [[key.get(ch, 0) for ch in line] for line in lines]
    transparent = [[ch == ' ' for ch in line] for line in lines]
    return indices, transparent


def write_scourway_icon():
    """The program picture: 16 x 16 and 32 x 32, 16 colours each."""
    images = [pixel_art(art, ICON_KEY) + (4,)
              for art in (SHREDDED_SHEET_16, SHREDDED_SHEET_32)]
    formats.write_ico(os.path.join(ROOT, 'app/res/Scourway.ico'), images, formats.VGA16)


# -- Pointing hand ----------------------------------------------------------

# X black outline, . white, blank transparent. The fingertip is the middle of
# the top row, column 5.
HAND = [
    "    XXX            ",
    "   X...X           ",
    "   X...X           ",
    "   X...X           ",
    "   X...X           ",
    "   X...X           ",
    "   X...XXXX        ",
    "   X...X...XXXX    ",
    "   X...X...X...XXX ",
    "   X...X...X...X..X",
    " XXX...X...X...X..X",
    "X..X...X...X...X..X",
    "X...X..............X",
    "X..................X",
    "X..................X",
    " X.................X",
    " X................X ",
    "  X...............X ",
    "   X.............X  ",
    "   X.............X  ",
    "    X...........X   ",
    "    XXXXXXXXXXXXX   ",
    "    X...........X   ",
    "    XXXXXXXXXXXXX   ",
]
HAND_TIP = (5, 0)


def write_hand_cursor(path, hotspot):
    """The hand drawn so that its fingertip falls on the hot spot."""
    dx, dy = hotspot[0] - HAND_TIP[0], hotspot[1] - HAND_TIP[1]
    indices = [[0] * 32 for _ in range(32)]
    transparent = [[True] * 32 for _ in range(32)]
    for y, line in enumerate(HAND):
        for x, ch in enumerate(line):
            if ch != ' ':
                indices[y + dy][x + dx] = 1 if ch == '.' else 0
                transparent[y + dy][x + dx] = False
    formats.write_cur(path, indices, transparent, hotspot)


# -- The folder picker's picture ------------------------------------------

FOLDER_EDGE = (128, 84, 12)
BUTTON_FACE = (192, 192, 192)   # toolbox bitmaps sit on the classic face colour
WINDOW_FACE = (240, 240, 240)   # the About window behind the GIF


def folder_picker(width, height, k, oy=0.0):
    """A manila folder with a sheet in it and a magnifier over its front,
    drawn on a 32-unit grid scaled by k; outlines stay one pixel wide."""
    c = VectorCanvas(width, height)
    d = 1 / k   # one output pixel in grid units

    def at(*pts):
        return [(x * k, y * k + oy) for x, y in pts]

    def fade(y0, c0, y1, c1):
        return vertical_gradient(y0 * k + oy, c0, y1 * k + oy, c1)

    def box(x0, y0, x1, y1, paint):
        (px0, py0), (px1, py1) = at((x0, y0), (x1, y1))
        c.rect(px0, py0, px1, py1, paint)

    # Back panel with its tab.
    c.polygon(at((2, 4), (12, 4), (14, 8), (30, 8), (30, 28), (2, 28)), FOLDER_EDGE)
    c.polygon(at((2 + d, 4 + d), (12 - d / 2, 4 + d), (14 - d / 2, 8 + d),
                 (30 - d, 8 + d), (30 - d, 28 - d), (2 + d, 28 - d)),
              fade(4, (240, 190, 80), 28, (196, 136, 30)))
    # A sheet of paper standing in the folder, with two lines written on it.
    box(5, 10, 27, 20, (150, 150, 150))
    box(5 + d, 10 + d, 27 - d, 20, (255, 255, 255))
    box(7, 12, 22, 12 + d, (150, 165, 195))
    # Front panel with a lit top edge.
    c.polygon(at((2, 14), (30, 14), (30, 28), (2, 28)), FOLDER_EDGE)
    box(2 + d, 14 + d, 30 - d, 28 - d, fade(14, (255, 228, 130), 28, (232, 170, 50)))
    box(2 + d, 14 + d, 30 - d, 14 + 2 * d, (255, 246, 200))
    # Magnifier: handle, rim, glass and a glint.
    c.stroke(at((24.5, 23.5), (29.3, 28.3)), 3.6 * k, (40, 30, 30))
    c.stroke(at((25.2, 24.2), (28.8, 27.8)), 1.4 * k, (120, 90, 80))
    cx, cy = at((19.5, 18.5))[0]
    c.ellipse(cx, cy, 7 * k, 7 * k, (40, 48, 64))
    rim = 1.6 if k >= 1 else 1.0
    c.ellipse(cx, cy, 7 * k - rim, 7 * k - rim, fade(12, (226, 244, 255), 25, (130, 180, 230)))
    gx, gy = at((17, 16))[0]
    c.ellipse(gx, gy, 1.8 * k, 1.4 * k, (255, 255, 255))
    return c.pixels()


def write_picker_icon():
    """The control's picture: 32 x 32, 256 colours, ICO."""
    pixels = folder_picker(32, 32, 1.0)
    rows = [[px[:3] for px in row] for row in pixels]
    palette, indices = quantize(rows, 256)
    transparent = [[px[3] < 0.5 for px in row] for row in pixels]
    formats.write_ico(os.path.join(ROOT, 'picker/res/Pathwick.ico'),
                      [(indices, transparent, 8)], palette)


def write_toolbox_bitmap():
    """The same picture at 16 x 15 for a designer's toolbox, 24 bits."""
    pixels = folder_picker(16, 15, 0.5)
    formats.write_bmp24(os.path.join(ROOT, 'picker/res/toolbox.bmp'),
                        [[over(px, BUTTON_FACE) for px in row] for row in pixels])


def write_about_gif():
    """The control's picture for the About window, GIF87a (which has no
    transparency, so it is laid on the window's face colour)."""
    pixels = folder_picker(32, 32, 1.0)
    palette, indices = quantize([[over(px, WINDOW_FACE) for px in row] for row in pixels], 256)
    formats.write_gif87a(os.path.join(ROOT, 'picker/res/Image1.gif'), indices, palette)


def main():
    write_scourway_icon()
    write_hand_cursor(os.path.join(ROOT, 'app/res/hand.cur'), (5, 0))
    write_hand_cursor(os.path.join(ROOT, 'picker/res/hand.cur'), (12, 1))
    write_picker_icon()
    write_toolbox_bitmap()
    write_about_gif()


if __name__ == '__main__':
    main()
