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
from raster import IndexCanvas, VectorCanvas, arc, lerp, vertical_gradient  # noqa: E402

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


def main():
    write_scourway_icon()
    write_hand_cursor(os.path.join(ROOT, 'app/res/hand.cur'), (5, 0))
    write_hand_cursor(os.path.join(ROOT, 'picker/res/hand.cur'), (12, 1))


if __name__ == '__main__':
    main()
