#!/usr/bin/python3
"""Draws the pictures stored with VelmPres.exe: the main window's background, the publisher's
logo, the rule, the install/remove icon, the dialog pictures, the button glyphs and the icon.

Run with Debian's python3 and python3-pil from this folder or anywhere:
    /usr/bin/python3 assets/generate_assets.py
The output is deterministic and committed beside this script.
"""

import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import drawkit as dk  # noqa: E402
from drawkit import Canvas, hexcol, keyed, save_bmp  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))

# The main window's client area as the program lays it out; the JPEG is 750 x 485 and is
# stretched onto 749 x 468, so the background is designed at window size and scaled to the JPEG.
WIN_W, WIN_H = 749, 468
JPEG_SIZE = (750, 485)

NAVY_TOP = hexcol("0d1f3c")
NAVY_BOTTOM = hexcol("1f3d6b")
GOLD = hexcol("c9a23a")
GOLD_LIGHT = hexcol("ecd48a")
GOLD_DARK = hexcol("8c6a1c")
IVORY_TOP = hexcol("fbf8f1")
IVORY_BOTTOM = hexcol("ece3d1")
CARD = hexcol("fdfbf7")          # the title picture's card; the covers are drawn on it
RED = hexcol("c0282d")
BUTTON_FACE = (240, 240, 240)    # what the dialogs' and buttons' pictures are blended onto

# Boxes of the main window, in client pixels (left, top, right, bottom; right/bottom exclusive).
TEXT_BOX = (208, 84, 490, 405)
PICTURE_BOX = (495, 84, 744, 405)
MENU_COLUMN = (4, 104, 205, 441)
FOOTER_TOP = 448


def body_gradient(size):
    return dk.vgradient(size, [(0.0, IVORY_TOP), (1.0, IVORY_BOTTOM)])


def header(cv):
    """The dark band at the top with a faint pulse trace and the tagline on the right."""
    band = dk.vgradient((WIN_W, 64), [(0.0, NAVY_TOP), (1.0, NAVY_BOTTOM)])
    glow = dk.radial((WIN_W, 64), (150, 10), 330, dk.lighter(NAVY_BOTTOM, 0.10), NAVY_TOP)
    band = Image.blend(band, glow, 0.35)
    m, d = cv.mask()
    d.rectangle(cv.s(0, 0, WIN_W, 64), fill=255)
    cv.fill(m, band)
    # a heartbeat trace running across the right half, very faint
    pts = []
    x = 330.0
    while x < WIN_W + 40:
        pts += [(x, 44), (x + 36, 44), (x + 42, 38), (x + 48, 44), (x + 54, 44), (x + 58, 50),
                (x + 64, 16), (x + 70, 56), (x + 75, 44), (x + 88, 44), (x + 96, 36),
                (x + 106, 44), (x + 140, 44)]
        x += 140
    cv.line(pts, 1.6, GOLD_LIGHT, opacity=0.16)
    cv.text_shadowed((735, 19), "Ιατρικές & Επιστημονικές Εκδόσεις", "serif-italic", 15,
                     GOLD_LIGHT, anchor="ra", opacity=0.6)
    cv.text((735, 40), "ΚΑΤΑΛΟΓΟΣ ΕΚΔΟΣΕΩΝ", "sans", 9, (170, 188, 214), anchor="ra",
            spacing=2.2)


def rule_rows():
    """The two rows of the rule under the header: a light gold line over a darker one."""
    return [GOLD_LIGHT, GOLD_DARK]


def soft_frame(cv, box, radius, blur, opacity, offset=(0, 2)):
    m, d = cv.mask()
    d.rounded_rectangle(cv.s(*box), radius=radius * cv.ss, fill=255)
    cv.shadow(m, offset=offset, blur=blur, opacity=opacity, colour=(60, 40, 10))


def background():
    base = dk.add_grain(body_gradient((WIN_W, WIN_H)), 2, seed=7)
    cv = Canvas((WIN_W, WIN_H), ss=2, base=base)
    # a warm light from the upper middle, so the surface is not flat
    glow = dk.radial((WIN_W, WIN_H), (400, 160), 520, (255, 253, 247), IVORY_BOTTOM)
    m = Image.new("L", (WIN_W, WIN_H), 255)
    cv.paint(m, glow, opacity=0.35)
    # the menu column sits on a faint panel
    c0 = (MENU_COLUMN[0] - 2, MENU_COLUMN[1] - 18, MENU_COLUMN[2] + 1, MENU_COLUMN[3] + 3)
    soft_frame(cv, c0, 6, 3, 0.10)
    cv.rrect(c0, 6, (246, 240, 229), opacity=0.9)
    cv.rrect_outline(c0, 6, (214, 200, 174), 1.0, opacity=0.8)
    # frames for the description and the title picture: soft shadows, a card under the picture
    soft_frame(cv, (TEXT_BOX[0], TEXT_BOX[1], TEXT_BOX[2], TEXT_BOX[3]), 1, 4, 0.28)
    cv.rrect(TEXT_BOX, 0, (226, 236, 246))
    soft_frame(cv, PICTURE_BOX, 1, 4, 0.28)
    cv.rrect(PICTURE_BOX, 0, CARD)
    cv.rrect_outline((TEXT_BOX[0] - 1, TEXT_BOX[1] - 1, TEXT_BOX[2] + 1, TEXT_BOX[3] + 1), 0,
                     (176, 160, 132), 1.0, opacity=0.6)
    cv.rrect_outline((PICTURE_BOX[0] - 1, PICTURE_BOX[1] - 1, PICTURE_BOX[2] + 1,
                      PICTURE_BOX[3] + 1), 0, (176, 160, 132), 1.0, opacity=0.6)
    header(cv)
    # the rule under the header (the program also lays its own rule picture over it)
    for i, c in enumerate(rule_rows()):
        m, d = cv.mask()
        d.rectangle(cv.s(0, 64 + i, WIN_W, 65 + i), fill=255)
        cv.fill(m, c)
    # footer: a slim dark band with the publisher's line
    m, d = cv.mask()
    d.rectangle(cv.s(0, FOOTER_TOP, WIN_W, WIN_H), fill=255)
    cv.fill(m, dk.vgradient((WIN_W, WIN_H), [(0.0, NAVY_BOTTOM), (1.0, NAVY_TOP)]))
    m, d = cv.mask()
    d.rectangle(cv.s(0, FOOTER_TOP, WIN_W, FOOTER_TOP + 1), fill=255)
    cv.fill(m, GOLD)
    cv.text((WIN_W - 12, FOOTER_TOP + 5), "© Εκδόσεις Βελμαρόδη  ·  Αθήνα", "sans", 10,
            (176, 192, 216), anchor="ra")
    return cv.rgb()


# ----- the publisher's emblem and logo ------------------------------------------------------

def emblem(cv, cx, cy, r):
    """A gold medallion holding an open book with a red cross above it."""
    m = cv.ellipse((cx - r, cy - r, cx + r, cy + r), (0, 0, 0), opacity=0.0)
    cv.shadow(m, offset=(1, 1), blur=1.2, opacity=0.5)
    cv.ellipse((cx - r, cy - r, cx + r, cy + r),
               dk.radial((cv.w, cv.h), (cx - r / 3, cy - r / 2), r * 1.6, GOLD_LIGHT, GOLD_DARK))
    ri = r - 2.6
    cv.ellipse((cx - ri, cy - ri, cx + ri, cy + ri),
               dk.radial((cv.w, cv.h), (cx, cy - r / 3), r * 1.4, hexcol("2d5189"), NAVY_TOP))
    cv.ring((cx, cy), ri - 1.2, ri - 1.9, GOLD_LIGHT, opacity=0.55)
    s = r * 1.25
    dk.picto(cv, "book", cx - s / 2, cy - s / 2 + 1, s, (250, 246, 236), accent=RED)


def logo(bg):
    """The publisher's name with its emblem, 293 x 51, keyed over the header."""
    w, h = 293, 51
    matte = bg.crop((4, 6, 4 + w, 6 + h))
    cv = Canvas((w, h), ss=4)
    emblem(cv, 25, 25, 22)
    name = "Εκδόσεις Βελμαρόδη"
    size = dk.fit_size(name, "serif-bold", 24, w - 58 - 3)
    cv.text_shadowed((56, 4), name, "serif-bold", size, (252, 248, 238), offset=(1, 2),
                     opacity=0.55, blur=1.0)
    cv.text((57, 36), "ΙΑΤΡΙΚΕΣ ΕΚΔΟΣΕΙΣ", "sans-bold", 9, GOLD_LIGHT, spacing=3.1)
    m, d = cv.mask()
    d.rectangle(cv.s(216, 41, 288, 42), fill=255)
    cv.fill(m, GOLD, opacity=0.8)
    return keyed(cv.img, matte, cut=40)


def rule():
    img = Image.new("RGB", (750, 2))
    for y, c in enumerate(rule_rows()):
        ImageDraw.Draw(img).line([(0, y), (749, y)], fill=c)
    return img


# ----- small pictures -----------------------------------------------------------------------

def computer(cv, x, y, s, box=True, disc=False):
    """A monitor on a stand, optionally with a software box and a disc in front of it.
    x, y: top-left of the picture; s: its size (square)."""
    u = s / 40.0

    def P(px, py):
        return (x + px * u, y + py * u)

    # monitor
    cv.rrect((*P(2, 3), *P(30, 25)), 2.2 * u, hexcol("d9d6cf"), outline=hexcol("55514a"),
             width=max(1.0, 1.1 * u))
    cv.rrect((*P(4.6, 5.6), *P(27.4, 21.8)), 0.8 * u,
             dk.vgradient((cv.w, cv.h), [(0, hexcol("3d74c4")), (1, hexcol("1a3566"))]))
    cv.polygon([P(5.5, 6.5), P(18, 6.5), P(9, 20), P(5.5, 20)], (255, 255, 255), opacity=0.18)
    cv.polygon([P(13, 25), P(19, 25), P(20.5, 30), P(11.5, 30)], hexcol("8d8880"))
    cv.rrect((*P(7, 29.6), *P(25, 32.4)), 1.0 * u, hexcol("b8b3aa"), outline=hexcol("55514a"),
             width=max(0.8, 0.8 * u))
    if box:
        # the software box, standing in front at the right
        cv.polygon([P(22, 16), P(31, 12.5), P(39, 15.5), P(30, 19)], hexcol("f3c24b"))
        cv.polygon([P(22, 16), P(30, 19), P(30, 38.5), P(22, 35)], hexcol("c0392b"))
        cv.polygon([P(30, 19), P(39, 15.5), P(39, 35), P(30, 38.5)], hexcol("e0533f"))
        cv.polygon([P(31.5, 22), P(37.5, 19.6), P(37.5, 25), P(31.5, 27.4)], (255, 244, 214),
                   opacity=0.9)
        cv.line([P(22, 16), P(30, 19), P(39, 15.5)], max(0.6, 0.6 * u), hexcol("7a1f17"),
                opacity=0.7, round_caps=False)
        cv.line([P(30, 19), P(30, 38.5)], max(0.5, 0.5 * u), hexcol("7a1f17"), opacity=0.6,
                round_caps=False)
    if disc:
        cx, cy, r = x + 11 * u, y + 33 * u, 7 * u
        cv.ellipse((cx - r, cy - r, cx + r, cy + r), hexcol("6f6a62"))
        ri = r - 0.8 * u
        cv.ellipse((cx - ri, cy - ri, cx + ri, cy + ri),
                   dk.radial((cv.w, cv.h), (cx - r / 2, cy - r / 2), r * 2.2, (250, 250, 255),
                             hexcol("9aa6c0")))
        cv.polygon([(cx, cy), (cx + ri * 0.95, cy - ri * 0.3), (cx + ri * 0.3, cy - ri * 0.95)],
                   (255, 255, 255), opacity=0.5)
        cv.ring((cx, cy), 2.2 * u, 1.0 * u, hexcol("c8ccd6"))
        cv.ellipse((cx - 1.0 * u, cy - 1.0 * u, cx + 1.0 * u, cy + 1.0 * u), BUTTON_FACE)


def install_icon(bg):
    """18 x 18, drawn at (224, 418) of the main window over the background."""
    cv = Canvas((18, 18), ss=8)
    computer(cv, -0.5, -0.5, 18.5, box=True)
    return keyed(cv.img, bg.crop((224, 418, 242, 436)), cut=60)


def install_picture():
    """41 x 41: computer with a software box and a disc (folder and removal dialogs)."""
    cv = Canvas((41, 41), ss=6)
    computer(cv, 0, 0, 41, box=True, disc=True)
    return keyed(cv.img, BUTTON_FACE, cut=60)


def edit_picture():
    """29 x 22: a page of text with a pen lying across it."""
    cv = Canvas((29, 22), ss=8)
    page = [(3, 1), (17, 1), (22, 6), (22, 21), (3, 21)]
    m = cv.polygon(page, (0, 0, 0), opacity=0.0)
    cv.shadow(m, offset=(1, 1), blur=0.6, opacity=0.35)
    cv.polygon(page, dk.vgradient((29, 22), [(0, (255, 255, 255)), (1, hexcol("e8e4da"))]))
    cv.line(page + [page[0]], 0.9, hexcol("5b574f"), round_caps=False)
    cv.polygon([(17, 1), (17, 6), (22, 6)], hexcol("cfc9bb"))
    cv.line([(17, 1), (17, 6), (22, 6)], 0.8, hexcol("5b574f"), round_caps=False)
    for i, ln in enumerate((11, 14, 16, 13, 9)):
        yy = 5.5 + i * 3.0
        cv.line([(5.5, yy), (5.5 + ln if i else 14, yy)], 1.0, hexcol("6a7f9e"),
                round_caps=False)
    # the pen: yellow body, dark tip, eraser end
    cv.line([(13, 18.5), (26.5, 5)], 3.6, hexcol("7b5a12"), round_caps=False)
    cv.line([(13.4, 18.1), (26.1, 5.4)], 2.4, hexcol("f2c230"), round_caps=False)
    cv.line([(23.8, 7.7), (26.5, 5)], 3.6, hexcol("d86a6a"), round_caps=False)
    cv.polygon([(11.2, 20.3), (12.0, 17.4), (14.1, 19.5)], hexcol("3a3530"))
    return keyed(cv.img, BUTTON_FACE, cut=60)


def close_glyph():
    """23 x 18: an open door with an arrow leading out."""
    cv = Canvas((23, 18), ss=8)
    cv.rrect((2, 1, 13, 17), 0.6, hexcol("8a5a2b"), outline=hexcol("4a2e12"), width=0.9)
    cv.polygon([(3.5, 2.3), (9.5, 3.6), (9.5, 17), (3.5, 15.8)], hexcol("c88b4a"))
    cv.line([(3.5, 2.3), (9.5, 3.6), (9.5, 17)], 0.7, hexcol("4a2e12"), round_caps=False)
    cv.ellipse((7.4, 9.0, 8.8, 10.4), hexcol("f2d27a"))
    # arrow
    cv.polygon([(11.5, 7.6), (17, 7.6), (17, 4.6), (22, 9), (17, 13.4), (17, 10.4),
                (11.5, 10.4)], hexcol("2f8a3a"))
    cv.line([(11.5, 7.6), (17, 7.6), (17, 4.6), (22, 9), (17, 13.4), (17, 10.4), (11.5, 10.4),
             (11.5, 7.6)], 0.7, hexcol("1b5a24"), round_caps=False)
    return keyed(cv.img, BUTTON_FACE, cut=60)


def check_shape(cv, ox, paint):
    return cv.polygon([(ox + 2, 9.5), (ox + 5, 6.5), (ox + 7.5, 9.5), (ox + 14.5, 2),
                       (ox + 17, 4.5), (ox + 7.5, 15.5)], paint)


def cross_shape(cv, ox, paint, inset=3.0, w=3.4):
    m, d = cv.mask()
    for a, b in (((inset, inset), (18 - inset, 18 - inset)),
                 ((18 - inset, inset), (inset, 18 - inset))):
        d.line([tuple(cv.s(ox + a[0], a[1])), tuple(cv.s(ox + b[0], b[1]))], fill=255,
               width=int(w * cv.ss))
    cv.fill(m, paint)
    return m


def two_frames(draw_shape, colour, hilite=None):
    """A 36 x 18 glyph: the coloured picture, then its grey outline for the disabled state."""
    cv = Canvas((36, 18), ss=8)
    m = draw_shape(cv, 0, colour)
    if hilite:
        top, td = cv.mask()
        td.rectangle(cv.s(0, 0, 18, 8), fill=255)
        cv.fill(ImageChops.multiply(m, top), hilite, opacity=0.45)
    # The disabled frame: the dark parts of the picture (light details such as a white cross
    # stay open) traced as a grey outline with a white relief one pixel down and right, as the
    # classic disabled buttons show it.
    first = cv.img.crop((0, 0, 18, 18))
    dark = ImageChops.multiply(first.getchannel("A").point(lambda v: 255 if v >= 110 else 0),
                               first.convert("L").point(lambda v: 255 if v < 200 else 0))
    ring = ImageChops.subtract(dark, dark.filter(ImageFilter.MinFilter(3)))
    relief = Image.new("L", ring.size, 0)
    relief.paste(ring, (1, 1))
    relief = ImageChops.subtract(relief, ring)
    for mask, c in ((relief, (255, 255, 255)), (ring, (128, 128, 128))):
        layer = Image.new("RGBA", (18, 18), c + (255,))
        layer.putalpha(mask)
        cv.img.alpha_composite(layer, (18, 0))
    return keyed(cv.img, BUTTON_FACE, cut=70)


def ok_glyph():
    return two_frames(check_shape, hexcol("1f9a3a"), hilite=hexcol("7be08c"))


def no_glyph():
    return two_frames(cross_shape, hexcol("d0262b"), hilite=hexcol("ff8a80"))


def cancel_glyph():
    def shape(cv, ox, paint):
        m = cv.ellipse((ox + 1, 1, ox + 17, 17), paint)
        cv.ellipse((ox + 2.5, 1.8, ox + 15.5, 9.5), (255, 255, 255), opacity=0.22)
        cross_shape(cv, ox, (255, 255, 255), inset=5.6, w=2.4)
        return m
    return two_frames(shape, hexcol("c8262c"))


# ----- the program's icon: 32 x 32, 16 colours, written by hand -----------------------------

VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, DRED, DGREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GREY, RED16, GREEN, YELLOW, BLUE, \
    MAGENTA, CYAN, WHITE = range(16)


def icon_pixels():
    """The icon as palette indices (None = transparent): an open book with a red cross."""
    img = Image.new("P", (32, 32), 255)
    pal = []
    for c in VGA16:
        pal += list(c)
    pal += [0, 0, 0] * (256 - 16)
    img.putpalette(pal)
    d = ImageDraw.Draw(img)
    # the cover under the pages (navy), a little wider than the pages
    d.polygon([(1, 13), (15, 17), (16, 17), (30, 13), (30, 27), (16, 31), (15, 31), (1, 27)],
              fill=NAVY)
    # left and right pages (white) with a grey shade near the fold
    d.polygon([(2, 12), (15, 16), (15, 28), (2, 24)], fill=WHITE)
    d.polygon([(29, 12), (16, 16), (16, 28), (29, 24)], fill=WHITE)
    d.line([(14, 16), (14, 27)], fill=SILVER)
    d.line([(17, 16), (17, 27)], fill=SILVER)
    # page edges
    d.line([(2, 24), (15, 28)], fill=GREY)
    d.line([(29, 24), (16, 28)], fill=GREY)
    d.line([(2, 25), (15, 29)], fill=SILVER)
    d.line([(29, 25), (16, 29)], fill=SILVER)
    # lines of text
    for i in range(4):
        d.line([(4, 16 + i * 2), (12, 18 + i * 2 + (1 if i % 2 else 0))], fill=GREY)
        d.line([(19, 18 + i * 2 + (1 if i % 2 else 0)), (27, 16 + i * 2)], fill=GREY)
    # the fold
    d.line([(15, 16), (15, 30)], fill=NAVY)
    d.line([(16, 16), (16, 30)], fill=NAVY)
    # the red cross above the fold, with a dark red edge
    d.rectangle([(12, 0), (19, 12)], fill=DRED)
    d.rectangle([(9, 3), (22, 9)], fill=DRED)
    d.rectangle([(13, 1), (18, 11)], fill=RED16)
    d.rectangle([(10, 4), (21, 8)], fill=RED16)
    d.line([(13, 1), (13, 10)], fill=WHITE)
    d.line([(10, 4), (12, 4)], fill=WHITE)
    return [[(v if v < 16 else None) for v in
             [img.getpixel((x, y)) for x in range(32)]] for y in range(32)]


def ico_bytes(pixels):
    """A one-image .ico: 32 x 32, 4 bits per pixel with the standard 16-colour palette and an
    AND mask. Rows are stored bottom-up, as in a DIB."""
    w = h = 32
    xor = bytearray()
    andm = bytearray()
    for y in reversed(range(h)):
        row = [pixels[y][x] for x in range(w)]
        for x in range(0, w, 2):
            a = row[x] if row[x] is not None else 0
            b = row[x + 1] if row[x + 1] is not None else 0
            xor.append((a << 4) | b)
        bits = 0
        for x in range(w):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        andm += struct.pack(">I", bits)  # 32 pixels = 4 bytes, already DWORD-aligned
    palette = b"".join(struct.pack("<BBBB", c[2], c[1], c[0], 0) for c in VGA16)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 4, 0, len(xor) + len(andm), 0, 0, 16,
                         0)
    image = header + palette + bytes(xor) + bytes(andm)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", w, h, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


# ----- the pointing hand: a 32 x 32 monochrome cursor, written by hand ------------------------
# Shown over clickable pictures and labels where the system has no hand of its own (Windows 95
# and NT 4). '#' is black, '.' white, ' ' transparent; the hot spot is the fingertip.

HAND = [
    "     ##          ",
    "    #..#         ",
    "    #..#         ",
    "    #..#         ",
    "    #..#         ",
    "    #..###       ",
    "    #..#..###    ",
    "    #..#..#..##  ",
    " ## #..#..#..#.# ",
    "#..##........#..#",
    "#...#...........#",
    " #..............#",
    "  #.............#",
    "  #.............#",
    "   #...........# ",
    "   #...........# ",
    "    #.........#  ",
    "    #.........#  ",
    "    ###########  ",
]
HAND_HOTSPOT = (5, 0)


def cursor_bytes(rows, hotspot):
    """A one-image .cur: 32 x 32, 1 bit per pixel (black and white) with an AND mask; rows
    bottom-up, as in a DIB."""
    w = h = 32
    xor = bytearray()
    andm = bytearray()
    for y in reversed(range(h)):
        row = rows[y] if y < len(rows) else ""
        row = row.ljust(w)
        white = transparent = 0
        for x in range(w):
            white = (white << 1) | (1 if row[x] == "." else 0)
            transparent = (transparent << 1) | (1 if row[x] == " " else 0)
        xor += struct.pack(">I", white)
        andm += struct.pack(">I", transparent)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 1, 0, len(xor) + len(andm), 0, 0, 2,
                         0)
    image = header + palette + bytes(xor) + bytes(andm)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", w, h, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


def icon_preview(pixels, scale=8):
    img = Image.new("RGB", (32 * scale, 32 * scale), (200, 220, 200))
    d = ImageDraw.Draw(img)
    for y in range(32):
        for x in range(32):
            v = pixels[y][x]
            if v is not None:
                d.rectangle([x * scale, y * scale, x * scale + scale - 1, y * scale + scale - 1],
                            fill=VGA16[v])
    return img


def main():
    out = HERE
    bg = background()
    # Baseline, with Huffman tables made for this picture (optimize): the same pixels as with
    # the standard tables, in a sixth fewer bytes.
    bg.resize(JPEG_SIZE, Image.LANCZOS).save(
        os.path.join(out, "background.jpg"), "JPEG", quality=92, progressive=False,
        optimize=True, subsampling=0)
    save_bmp(logo(bg), os.path.join(out, "logo.bmp"))
    save_bmp(rule(), os.path.join(out, "rule.bmp"))
    save_bmp(install_icon(bg), os.path.join(out, "install_icon.bmp"))
    save_bmp(close_glyph(), os.path.join(out, "close_glyph.bmp"))
    save_bmp(edit_picture(), os.path.join(out, "edit_picture.bmp"))
    save_bmp(install_picture(), os.path.join(out, "install_picture.bmp"))
    save_bmp(ok_glyph(), os.path.join(out, "ok_glyph.bmp"))
    save_bmp(no_glyph(), os.path.join(out, "no_glyph.bmp"))
    save_bmp(cancel_glyph(), os.path.join(out, "cancel_glyph.bmp"))
    pixels = icon_pixels()
    with open(os.path.join(out, "VelmPres.ico"), "wb") as f:
        f.write(ico_bytes(pixels))
    with open(os.path.join(out, "hand.cur"), "wb") as f:
        f.write(cursor_bytes(HAND, HAND_HOTSPOT))
    if "--preview" in sys.argv:
        preview_dir = sys.argv[sys.argv.index("--preview") + 1]
        os.makedirs(preview_dir, exist_ok=True)
        icon_preview(pixels).save(os.path.join(preview_dir, "icon.png"))
        bg.save(os.path.join(preview_dir, "background_window.png"))


if __name__ == "__main__":
    main()
