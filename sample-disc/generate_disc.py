#!/usr/bin/python3
"""Draws the pictures of the sample distribution disc and writes its data files.

    /usr/bin/python3 sample-disc/generate_disc.py

writes, beside this script (all committed, deterministic):
  content/menu<k>.bmp, content/menu<k>c.bmp   the catalogue's buttons, normal and selected
  content/velm<k>.bmp                         the titles' covers
  content/Images/...                          pictures of the dictionary's own content tree
  Data/TolvanI.tbo, TolvanHI.tbo, Tolvan.tbo  the dictionary's data files (opaque to VelmPres)

The buttons are keyed over the main window's background (assets/background.jpg), so it must be
generated first.
"""

import math
import os
import struct
import sys

from PIL import Image, ImageChops

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.join(os.path.dirname(HERE), "assets")
sys.path.insert(0, ASSETS)
import drawkit as dk  # noqa: E402
from drawkit import Canvas, hexcol, keyed, save_bmp  # noqa: E402

WIN_SIZE = (749, 468)
MENU_LEFT = 4
MENU_TOPS = [104, 140, 176, 212, 248, 284, 320, 356, 392]
CARD = hexcol("fdfbf7")  # the card under the title picture in the background
INK = hexcol("1c2c4a")
GOLD = hexcol("c9a23a")
GOLD_LIGHT = hexcol("ecd48a")
CREAM = (250, 246, 236)

# The catalogue: short name on the button, cover title and subtitle, author, edition, colour,
# pictogram. Title 9 is the dictionary itself.
TITLES = [
    ("Ανατομία", "ΑΝΑΤΟΜΙΑ", "του Ανθρώπου", "Αθ. Κ. Δρακόπουλος", "4η έκδοση", "7a1f2b",
     "bone"),
    ("Φυσιολογία", "ΦΥΣΙΟΛΟΓΙΑ", "Βασικές αρχές", "Ελένη Σταυροπούλου", "3η έκδοση", "0e5e63",
     "drop"),
    ("Φαρμακολογία", "ΦΑΡΜΑΚΟΛΟΓΙΑ", "Κλινικές εφαρμογές", "Ν. Καλογεράκης", "5η έκδοση",
     "2f6331", "capsule"),
    ("Παθολογία", "ΠΑΘΟΛΟΓΙΑ", "Εγχειρίδιο κλινικής πράξης", "Γ. Μανωλάκης · Ρ. Βλάχου",
     "2η έκδοση", "4a2c6b", "cell"),
    ("Χειρουργική", "ΧΕΙΡΟΥΡΓΙΚΗ", "Αρχές και τεχνικές", "Παύλος Ζαχαρίου", "3η έκδοση",
     "1e4a73", "scalpel"),
    ("Παιδιατρική", "ΠΑΙΔΙΑΤΡΙΚΗ", "Από τη γέννηση στην εφηβεία", "Μαρία Αλεξίου",
     "2η έκδοση", "b0521f", "bear"),
    ("Καρδιολογία", "ΚΑΡΔΙΟΛΟΓΙΑ", "Διάγνωση και θεραπεία", "Σ. Κωνσταντινίδης", "6η έκδοση",
     "9e1b2f", "heart"),
    ("Νευρολογία", "ΝΕΥΡΟΛΟΓΙΑ", "Κλινική νευρολογία", "Άννα Ρήγα", "1η έκδοση", "2b3a78",
     "neuron"),
    ("Ιατρικό Λεξικό", "Duzivod Uzedov", "Ιατρικό Λεξικό", "Ηλεκτρονική έκδοση σε CD-ROM", "",
     "13294b", "book"),
]


def window_background():
    """The background as the program shows it: the JPEG stretched onto the client area."""
    return Image.open(os.path.join(ASSETS, "background.jpg")).convert("RGB").resize(
        WIN_SIZE, Image.BILINEAR)


# ----- catalogue buttons --------------------------------------------------------------------

def button(k, selected, bg):
    short, _, _, _, _, colour, kind = TITLES[k - 1]
    colour = hexcol(colour)
    dictionary = k == 9
    w, h = 201, (49 if dictionary else 37)
    top = MENU_TOPS[k - 1]
    matte = bg.crop((MENU_LEFT, top, MENU_LEFT + w, top + h))
    cv = Canvas((w, h), ss=4)
    body = (1, 1, 198, h - 3)
    m, d = cv.mask()
    d.rounded_rectangle(cv.s(*body), radius=6 * cv.ss, fill=255)
    cv.shadow(m, offset=(0, 1), blur=1.0, opacity=0.30 if selected else 0.20,
              colour=(70, 50, 20))
    if selected:
        fill = dk.vgradient((w, h), [(0.0, dk.lighter(colour, 0.22)), (0.5, colour),
                                     (1.0, dk.darker(colour, 0.25))])
        edge = dk.darker(colour, 0.35)
    else:
        fill = dk.vgradient((w, h), [(0.0, (255, 254, 250)), (1.0, (238, 231, 216))])
        edge = dk.mix(GOLD, (198, 180, 148), 0.4) if dictionary else (198, 180, 148)
    cv.fill(m, fill)
    # a band of the title's colour along the left edge (gold on the selected button)
    band, bd = cv.mask()
    bd.rectangle(cv.s(0, 0, 6, h), fill=255)
    cv.fill(ImageChops.multiply(band, m), GOLD if selected else colour)
    # a glossy top half
    gloss, gd = cv.mask()
    gd.rectangle(cv.s(0, 0, w, (h - 3) / 2), fill=255)
    cv.fill(ImageChops.multiply(gloss, m), (255, 255, 255), opacity=0.16 if selected else 0.35)
    cv.rrect_outline(body, 6, edge, 1.0)
    # the round badge with the subject's pictogram
    cy = (h - 3) / 2 + 0.5
    r = 14.5 if dictionary else 11.0
    cx = 9 + r
    ring_col = GOLD if dictionary or selected else dk.darker(colour, 0.2)
    cv.ellipse((cx - r, cy - r, cx + r, cy + r), ring_col)
    ri = r - 1.3
    if selected:
        cv.ellipse((cx - ri, cy - ri, cx + ri, cy + ri),
                   dk.radial((w, h), (cx - 3, cy - 4), ri * 2, (255, 255, 255), (232, 226, 212)))
        ink, accent = colour, dk.lighter(colour, 0.55)
    else:
        cv.ellipse((cx - ri, cy - ri, cx + ri, cy + ri),
                   dk.radial((w, h), (cx - 3, cy - 4), ri * 2, dk.lighter(colour, 0.3),
                             dk.darker(colour, 0.15)))
        ink, accent = CREAM, dk.lighter(colour, 0.25)
    ps = ri * 1.36
    if kind == "book":
        accent = hexcol("c0282d")
    dk.picto(cv, kind, cx - ps / 2, cy - ps / 2, ps, ink, accent=accent)
    # the name
    tx = cx + r + 8
    text_col = (255, 255, 255) if selected else INK
    if dictionary:
        cv.text((tx, cy - 8), short, "sans-bold", 13, text_col if selected else INK,
                anchor="ls")
        cv.text((tx, cy + 2), "Duzivod Uzedov", "serif-italic", 12,
                GOLD_LIGHT if selected else dk.darker(GOLD, 0.25), anchor="lm")
        cv.text((tx, cy + 15), "το λεξικό του δίσκου", "sans", 9,
                (214, 222, 236) if selected else (110, 100, 84), anchor="lm")
    else:
        size = dk.fit_size(short, "sans-bold", 13, 190 - tx - 18)
        if selected:
            cv.text((tx + 1, cy + 1.5), short, "sans-bold", size, (0, 0, 0), anchor="lm",
                    opacity=0.35)
        cv.text((tx, cy + 0.5), short, "sans-bold", size, text_col, anchor="lm")
    if selected:
        # an arrow pointing at the description beside the column
        ax, ay = 186, cy
        cv.polygon([(ax - 4, ay - 6), (ax + 3, ay), (ax - 4, ay + 6)], GOLD_LIGHT)
    return keyed(cv.img, matte, cut=40)


# ----- covers -------------------------------------------------------------------------------

BOOK = (16, 12, 230, 304)  # the book on its card, inside the 249 x 321 picture


def cover(k):
    short, title, subtitle, author, edition, colour, kind = TITLES[k - 1]
    colour = hexcol(colour)
    w, h = 249, 321
    cv = Canvas((w, h), ss=4, base=Image.new("RGB", (w, h), CARD))
    x0, y0, x1, y1 = BOOK
    bw, bh = x1 - x0, y1 - y0
    m, d = cv.mask()
    d.rounded_rectangle(cv.s(x0, y0, x1, y1), radius=2.5 * cv.ss, fill=255)
    cv.shadow(m, offset=(4, 5), blur=4.5, opacity=0.45, colour=(50, 35, 15))
    cv.shadow(m, offset=(1, 1), blur=1.0, opacity=0.35, colour=(50, 35, 15))
    base = dk.vgradient((w, h), [(0.0, dk.lighter(colour, 0.14)), (0.55, colour),
                                 (1.0, dk.darker(colour, 0.35))])
    base = dk.add_grain(base, 5, seed=100 + k)
    cv.fill(m, base)
    cx = x0 + 10 + (bw - 10) / 2  # the centre of the front, right of the hinge
    dictionary = k == 9
    light = dk.lighter(colour, 0.62)
    if dictionary:
        # gold double frame round the front, as on a bound reference work
        cv.rrect_outline((x0 + 16, y0 + 8, x1 - 8, y1 - 8), 2, GOLD, 1.6)
        cv.rrect_outline((x0 + 20, y0 + 12, x1 - 12, y1 - 12), 1, GOLD, 0.8, opacity=0.8)
        cv.text((cx, y0 + 34), "ΙΑΤΡΙΚΟ ΛΕΞΙΚΟ", "serif-bold", 13, GOLD_LIGHT, anchor="mm",
                spacing=2.5)
        cv.line([(cx - 50, y0 + 46), (cx + 50, y0 + 46)], 0.8, GOLD, round_caps=False)
        size = dk.fit_size(title, "serif-bold-italic", 28, bw - 50)
        cv.text_shadowed((cx, y0 + 72), title, "serif-bold-italic", size, GOLD_LIGHT,
                         anchor="mm", opacity=0.6, blur=1.2, offset=(1, 2))
        line = "Ελληνο-αγγλικό · Αγγλο-ελληνικό"
        cv.text((cx, y0 + 98), line, "serif-italic", dk.fit_size(line, "serif-italic", 11, bw - 52),
                (226, 232, 244), anchor="mm", supersample=True)
    else:
        cv.text((cx, y0 + 20), "ΕΚΔΟΣΕΙΣ ΒΕΛΜΑΡΟΔΗ", "sans", 8, light, anchor="mm",
                spacing=2.0)
        cv.line([(x0 + 26, y0 + 31), (x1 - 16, y0 + 31)], 0.8, GOLD, opacity=0.9,
                round_caps=False)
        size = dk.fit_size(title, "serif-bold", 26, bw - 44, spacing=1)
        cv.text_shadowed((cx, y0 + 58), title, "serif-bold", size, CREAM, anchor="mm",
                         opacity=0.55, blur=1.2, offset=(1, 2), spacing=1)
        ssize = dk.fit_size(subtitle, "serif-italic", 13, bw - 40)
        cv.text((cx, y0 + 84), subtitle, "serif-italic", ssize, GOLD_LIGHT, anchor="mm",
                supersample=True)
    # the medallion with the subject's pictogram
    mcy = y0 + (152 if dictionary else 160)
    r = 46 if dictionary else 54
    mm = cv.ellipse((cx - r, mcy - r, cx + r, mcy + r), (0, 0, 0), opacity=0.0)
    cv.shadow(mm, offset=(0, 2), blur=3, opacity=0.45)
    cv.ellipse((cx - r, mcy - r, cx + r, mcy + r),
               dk.radial((w, h), (cx - 20, mcy - 26), 2 * r, GOLD_LIGHT, dk.darker(GOLD, 0.3)))
    ri = r - 4
    cv.ellipse((cx - ri, mcy - ri, cx + ri, mcy + ri),
               dk.radial((w, h), (cx - 14, mcy - 22), 1.7 * ri, dk.lighter(colour, 0.25),
                         dk.darker(colour, 0.3)))
    cv.ring((cx, mcy), ri - 3, ri - 3.8, GOLD_LIGHT, opacity=0.6)
    ps = 64 * r / 54
    accent = hexcol("c0282d") if kind == "book" else dk.lighter(colour, 0.4)
    pm = Canvas((w, h), ss=4)
    dk.picto(pm, kind, cx - ps / 2, mcy - ps / 2, ps, CREAM, accent=accent)
    a = pm.img.getchannel("A")
    sh = Image.new("L", a.size, 0)
    sh.paste(a, (1, 2))
    cv.paint(sh, (0, 0, 0), opacity=0.35)
    cv.img = Image.alpha_composite(cv.img, pm.img)
    if kind in ("heart", "drop"):
        cv.line([(cx - ri + 6, mcy + 6), (cx - 22, mcy + 6), (cx - 14, mcy - 8), (cx - 6, mcy + 22),
                 (cx + 4, mcy - 20), (cx + 12, mcy + 12), (cx + 18, mcy + 6),
                 (cx + ri - 6, mcy + 6)], 2.2, GOLD_LIGHT, opacity=0.85)
    # author and edition
    if dictionary:
        cv.text((cx, y1 - 80), "Πάνω από 60.000 λήμματα", "sans-bold", 11, CREAM, anchor="mm")
        cv.text((cx, y1 - 64), author, "sans", 9, (200, 210, 228), anchor="mm")
        cv.text((cx - 26, y1 - 24), "ΕΚΔΟΣΕΙΣ ΒΕΛΜΑΡΟΔΗ", "sans", 8, GOLD_LIGHT, anchor="mm",
                spacing=1.6)
    else:
        cv.line([(cx - 30, y1 - 66), (cx + 30, y1 - 66)], 0.8, GOLD, opacity=0.8,
                round_caps=False)
        asize = dk.fit_size(author, "sans-bold", 12, bw - 40)
        cv.text((cx, y1 - 50), author, "sans-bold", asize, CREAM, anchor="mm")
        cv.text((cx, y1 - 32), edition, "serif-italic", 11, light, anchor="mm")
        # the publisher's small mark at the foot
        cv.ellipse((cx - 6, y1 - 19, cx + 6, y1 - 7), GOLD)
        cv.ellipse((cx - 4.6, y1 - 17.6, cx + 4.6, y1 - 8.4), dk.darker(colour, 0.25))
        cv.polygon([(cx - 1, y1 - 16.5), (cx + 1, y1 - 16.5), (cx + 1, y1 - 14), (cx + 3.5, y1 - 14),
                    (cx + 3.5, y1 - 12), (cx + 1, y1 - 12), (cx + 1, y1 - 9.5), (cx - 1, y1 - 9.5),
                    (cx - 1, y1 - 12), (cx - 3.5, y1 - 12), (cx - 3.5, y1 - 14), (cx - 1, y1 - 14)],
                   CREAM)
    # the hinge of the hard cover: a darker strip, a groove and a highlight
    hinge, hd = cv.mask()
    hd.rectangle(cv.s(x0, y0, x0 + 9, y1), fill=255)
    cv.fill(ImageChops.multiply(hinge, m), (0, 0, 0), opacity=0.22)
    for xx, c, op in ((x0 + 9, (0, 0, 0), 0.35), (x0 + 10, (255, 255, 255), 0.18),
                      (x0 + 2, (255, 255, 255), 0.12)):
        g, gd = cv.mask()
        gd.rectangle(cv.s(xx, y0, xx + 1, y1), fill=255)
        cv.fill(ImageChops.multiply(g, m), c, opacity=op)
    # a soft sheen across the board
    sheen = dk.radial((w, h), (x0 + 40, y0 + 20), 260, (255, 255, 255), (0, 0, 0))
    sheen_mask = ImageChops.multiply(cv.shrink(m), sheen.convert("L"))
    cv.paint(sheen_mask, (255, 255, 255), opacity=0.10)
    if dictionary:
        disc_on_cover(cv, x1 - 22, y1 - 22, 26)
    return cv.rgb()


def disc_on_cover(cv, cx, cy, r):
    """The CD of the electronic edition, lying over the corner of the cover."""
    m = cv.ellipse((cx - r, cy - r, cx + r, cy + r), (0, 0, 0), opacity=0.0)
    cv.shadow(m, offset=(2, 3), blur=2.5, opacity=0.5)
    cv.ellipse((cx - r, cy - r, cx + r, cy + r),
               dk.radial((cv.w, cv.h), (cx - r / 2, cy - r / 2), 2.4 * r, (252, 252, 255),
                         hexcol("8c98b4")))
    for a0, col in ((0.0, (255, 236, 200)), (0.33, (200, 236, 255)), (0.66, (236, 210, 255))):
        pts = [(cx, cy)]
        for i in range(13):
            t = 2 * math.pi * (a0 + i * 0.012)
            pts.append((cx + r * 0.96 * math.cos(t), cy + r * 0.96 * math.sin(t)))
        cv.polygon(pts, col, opacity=0.55)
    cv.ring((cx, cy), r, r - 0.8, hexcol("6f7890"))
    cv.ring((cx, cy), 10, 6, (214, 218, 228))
    cv.ring((cx, cy), 10.6, 10, hexcol("8a93a8"))
    cv.text((cx, cy - 17), "CD-ROM", "sans-bold", 7, hexcol("13294b"), anchor="mm")


# ----- the dictionary's own content tree ----------------------------------------------------

def content_picture(kind, colour, size=96):
    colour = hexcol(colour)
    cv = Canvas((size, size), ss=4, base=dk.vgradient(
        (size, size), [(0, (255, 255, 255)), (1, (236, 232, 224))]))
    cv.rrect((3, 3, size - 3, size - 3), 8, dk.lighter(colour, 0.85), outline=colour, width=1.2)
    dk.picto(cv, kind, size * 0.18, size * 0.18, size * 0.64, colour,
             accent=dk.lighter(colour, 0.5))
    return cv.rgb()


CONTENT_PICTURES = [
    ("Images/Anatomy/skeleton.bmp", "bone", "7a1f2b"),
    ("Images/Anatomy/heart.bmp", "heart", "9e1b2f"),
    ("Images/Anatomy/Details/cell.bmp", "cell", "4a2c6b"),
]


# ----- data files ---------------------------------------------------------------------------

def data_file(name, kind, records, seed):
    """An opaque data file of the dictionary: a small header and generated records."""
    out = bytearray(b"TOLVAN\x1a\x00")
    out += struct.pack("<4sHHI", kind, 1, 0, records)
    state = seed
    for i in range(records):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        length = 8 + state % 40
        out += struct.pack("<IH", i, length)
        for _ in range(length):
            state = (state * 1103515245 + 12345) & 0x7FFFFFFF
            out.append((state >> 16) & 0xFF)
    return bytes(out)


DATA_FILES = [
    ("TolvanI.tbo", b"INDX", 180, 11),
    ("TolvanHI.tbo", b"HIDX", 90, 23),
    ("Tolvan.tbo", b"TEXT", 600, 37),
]


def main():
    bg = window_background()
    content = os.path.join(HERE, "content")
    os.makedirs(content, exist_ok=True)
    for k in range(1, 10):
        save_bmp(button(k, False, bg), os.path.join(content, "menu%d.bmp" % k))
        save_bmp(button(k, True, bg), os.path.join(content, "menu%dc.bmp" % k))
        save_bmp(cover(k), os.path.join(content, "velm%d.bmp" % k))
    for rel, kind, colour in CONTENT_PICTURES:
        path = os.path.join(content, *rel.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        save_bmp(content_picture(kind, colour), path)
    data = os.path.join(HERE, "Data")
    os.makedirs(data, exist_ok=True)
    for name, kind, records, seed in DATA_FILES:
        with open(os.path.join(data, name), "wb") as f:
            f.write(data_file(name, kind, records, seed))


if __name__ == "__main__":
    main()
