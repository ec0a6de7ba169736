#!/usr/bin/env python3
"""Draws every picture of Scourway and of the Tollen control library.

Run from anywhere: python3 art/make_art.py
The files are written under app/res/ and picker/res/ of this checkout.
"""

import math
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
    """The hand on a 32 x 32 cursor, placed so that its fingertip falls on
    the hot spot."""
    dx, dy = hotspot[0] - HAND_TIP[0], hotspot[1] - HAND_TIP[1]
    lines = [' ' * 32] * dy + [(' ' * dx + line).ljust(32) for line in HAND]
    lines += [' ' * 32] * (32 - len(lines))
    indices, transparent = pixel_art(lines, {'X': 0, '.': 1})
    formats.write_cur(path, indices, transparent, hotspot)


# -- Scourway's product picture -------------------------------------------

# Stroke letters for the title, on a grid with the baseline at 0, the
# x-height at 4 and the cap height at 6 (y pointing up):
# letter -> (advance, polylines).
TITLE_LETTERS = {
    'S': (3.4, [arc(1.7, 4.5, 1.7, 1.5, 25, 270) + arc(1.7, 1.5, 1.7, 1.5, 90, -155)]),
    'c': (3.2, [arc(1.7, 2, 1.7, 2, 45, 315)]),
    'o': (3.4, [arc(1.7, 2, 1.7, 2, 0, 360, steps=24)]),
    'u': (3.2, [[(0, 4)] + arc(1.6, 1.6, 1.6, 1.6, 180, 360) + [(3.2, 4)],
                [(3.2, 4), (3.2, 0)]]),
    'r': (3.3, [[(0, 0), (0, 4)], arc(2.2, 1.8, 2.2, 2.2, 180, 60, steps=10)]),
    'w': (4.6, [[(0, 4), (1.1, 0), (2.3, 3), (3.5, 0), (4.6, 4)]]),
    'a': (3.2, [arc(1.6, 2, 1.6, 2, 0, 360, steps=24), [(3.2, 4), (3.2, 0)]]),
    'y': (3.6, [[(0, 4), (1.8, 0)], [(3.6, 4), (1.5, -1.6), (1.0, -2), (0.3, -2)]]),
}
LETTER_GAP = 1.2


def draw_title(c, text, baseline, unit, weight):
    """The word centred across the canvas: a dark rim, then gold letters."""
    width = sum(TITLE_LETTERS[ch][0] for ch in text) + LETTER_GAP * (len(text) - 1)
    pen = (c.width - width * unit) / 2
    strokes = []
    for ch in text:
        advance, lines = TITLE_LETTERS[ch]
        strokes += [[(pen + x * unit, baseline - y * unit) for x, y in line] for line in lines]
        pen += (advance + LETTER_GAP) * unit
    for line in strokes:
        c.stroke(line, weight + 1.4, (14, 20, 44))
    gold = vertical_gradient(baseline - 6 * unit, (255, 236, 140), baseline, (240, 170, 40))
    for line in strokes:
        c.stroke(line, weight, gold)


PAPER = vertical_gradient(26, (253, 253, 250), 90, (226, 226, 220))
PAPER_EDGE = (118, 122, 134)
INK = (92, 98, 116)
PILE_EDGE = (150, 156, 172)


def draw_sheet_top(c, left, top, right, cut, ear):
    """The whole part of the sheet: folded corner, landscape, text lines."""
    outline = [(left, top), (right - ear, top), (right, top + ear), (right, cut), (left, cut)]
    c.polygon([(x + 2, y + 2) for x, y in outline], (0, 0, 10, 0.4))
    c.polygon(outline, PAPER_EDGE)
    c.polygon([(left + 0.7, top + 0.7), (right - ear - 0.3, top + 0.7),
               (right - 0.7, top + ear + 0.3), (right - 0.7, cut), (left + 0.7, cut)], PAPER)
    c.polygon([(right - ear, top), (right, top + ear), (right - ear, top + ear)], PAPER_EDGE)
    c.polygon([(right - ear + 0.7, top + 1.7), (right - 1.7, top + ear - 0.7),
               (right - ear + 0.7, top + ear - 0.7)], (214, 214, 210))
    # The landscape in its frame.
    px0, py0, px1, py1 = left + 4, top + 4, left + 21, top + 18
    c.rect(px0, py0, px1, py1, (104, 108, 120))
    c.rect(px0 + 0.8, py0 + 0.8, px1 - 0.8, py1 - 0.8,
           vertical_gradient(py0, (96, 170, 245), py1, (196, 228, 255)))
    c.ellipse(px1 - 5, py0 + 4.5, 2.6, 2.6, (255, 214, 64))
    for base, height, shade in ((py1 - 5, 4, (116, 196, 84)), (py1 - 3, 5, (52, 142, 56))):
        hill = [(px0 + 0.8 + i * (px1 - px0 - 1.6) / 12,
                 base - height * max(0.0, 1 - ((i - 4 - (base % 3) * 2) / 5) ** 2))
                for i in range(13)]
        c.polygon(hill + [(px1 - 0.8, py1 - 0.8), (px0 + 0.8, py1 - 0.8)], shade)
    # Lines of text beside and below the picture.
    for n, y in enumerate((py0 + 1, py0 + 4.5, py0 + 8, py0 + 11.5)):
        c.rect(px1 + 3, y, right - 4 - (n * 5) % 7, y + 1.2, INK)
    for n, y in enumerate(range(round(py1) + 4, round(cut), 3)):
        c.rect(px0, y, right - 4 - (n * 9) % 11, y + 1.2, INK)


def draw_strips(c, left, right, cut, count, rng):
    """The lower part of the sheet, cut into strips that hang and fan out;
    the text lines run on across them."""
    width = (right - left) / count
    for i in range(count):
        x0 = left + i * width + 0.3
        x1 = x0 + width - 0.6
        length = rng.uniform(16, 27)
        drift = (i - (count - 1) / 2) * 1.3 + rng.uniform(-0.8, 0.8)
        tilt = rng.uniform(-2.5, 2.5)
        bottom = cut + length
        c.polygon([(x0, cut), (x1, cut), (x1 + drift, bottom + tilt), (x0 + drift, bottom - tilt)],
                  PAPER_EDGE)
        c.polygon([(x0 + 0.7, cut - 0.5), (x1 - 0.7, cut - 0.5),
                   (x1 + drift - 0.7, bottom + tilt - 0.8), (x0 + drift + 0.7, bottom - tilt - 0.8)],
                  PAPER)
        for y in range(round(cut) + 2, round(bottom) - 3, 3):
            if rng.random() < 0.8:
                shift = drift * (y - cut) / length
                c.rect(x0 + shift + 1, y, x1 + shift - 1, y + 1.2, INK)


def draw_pile(c, cx, floor, spread, rng):
    """A heap of loose curled strips on the floor."""
    c.ellipse(cx, floor, spread + 4, 4.5, (0, 0, 10, 0.45))
    pieces = []
    for _ in range(34):
        x = rng.uniform(cx - spread, cx + spread)
        height = 15 * (1 - ((x - cx) / (spread + 3)) ** 2)
        pieces.append((floor - 2 - rng.uniform(0, height), x))
    for y, x in sorted(pieces):
        length = rng.uniform(12, 20)
        angle = rng.uniform(-0.7, 0.7)
        bend = rng.choice((-1, 1)) * rng.uniform(2, 4.5)
        ux, uy = math.cos(angle), math.sin(angle)
        line = [(x + ux * t * length / 2 - uy * bend * t * t,
                 y + uy * t * length / 2 + ux * bend * t * t)
                for t in (i / 4 - 1 for i in range(9))]
        tone = rng.randint(228, 255)
        c.stroke(line, 3.8, PILE_EDGE)
        c.stroke(line, 2.6, (tone, tone, tone - rng.randint(0, 10)))
        if rng.random() < 0.6:
            c.stroke(line[2:7], 0.7, INK)


def write_product_picture():
    """Box art for the About window: the title, a sheet being shredded and
    the pile of strips it leaves, 83 x 119 pixels, JPEG."""
    width, height = 83, 119
    rng = random.Random(1927)
    c = VectorCanvas(width, height)
    c.rect(0, 0, width, height, vertical_gradient(0, (44, 88, 160), height, (12, 22, 54)))
    draw_title(c, 'Scourway', baseline=16, unit=2.0, weight=1.8)
    draw_sheet_top(c, left=17, top=26, right=66, cut=62, ear=8)
    draw_pile(c, cx=41.5, floor=112, spread=31, rng=rng)
    draw_strips(c, left=17, right=66, cut=62, count=9, rng=rng)
    formats.write_jpeg(os.path.join(ROOT, 'app/res/product.jpg'),
                       [[px[:3] for px in row] for row in c.pixels()])


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
    write_product_picture()
    write_hand_cursor(os.path.join(ROOT, 'picker/res/hand.cur'), (12, 1))
    write_picker_icon()
    write_toolbox_bitmap()
    write_about_gif()


if __name__ == '__main__':
    main()
