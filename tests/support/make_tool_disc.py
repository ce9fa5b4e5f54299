#!/usr/bin/env python3
"""Writes a catalogue whose pictures the publisher's own tools made: ImageMagick and netpbm, one
bitmap variant a title (its two button pictures and its title picture), as the end-to-end test
of the catalogue draws them.

    make_tool_disc.py OUT

OUT/content holds the catalogue (menu<k>.bmp, menu<k>c.bmp, velm<k>.bmp, velm<k>.rtf naming the
variant); OUT/sources holds each picture's source pixels as the tool was given them, as a plain
24-bit bitmap. Every picture's bottom-left pixel and a block at its right edge have the key colour
(magenta); each source uses only colours its variant holds exactly (a few for the colour tables,
the 4, 5 and 6-bit steps for the colour masks), so that a picture drawn right matches its source
pixel for pixel. A tool that writes another variant than the one named stops the script.
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile

KEY = (255, 0, 255)


def widened(v, bits):
    """A value of `bits` bits as 8: its bits repeated from the top down, as Windows widens it."""
    wide, at = 0, 8 - bits
    while at > -bits:
        wide |= v << at if at >= 0 else v >> -at
        at -= bits
    return wide


def steps(bits):
    """The 8-bit values a channel of `bits` bits holds exactly: each the value its step is drawn
    as, and one ImageMagick (which drops the fraction) turns into that step."""
    top = (1 << bits) - 1
    return [widened(v, bits) for v in range(top + 1) if widened(v, bits) * top // 255 == v]


def table(n, seed):
    """`n` distinct colours, none of them the key colour."""
    colours = []
    i = 0
    while len(colours) < n:
        c = ((37 * i + 11 * seed) % 251, (91 * i + 5 * seed) % 241, (53 * i + 17) % 239)
        if c != KEY and c not in colours:
            colours.append(c)
        i += 1
    return colours


def gradient(r_bits, g_bits, b_bits):
    """A gradient of the steps each channel holds: red across, green down, blue one step a
    picture (`seed`)."""
    r, g, b = steps(r_bits), steps(g_bits), steps(b_bits)
    return lambda seed: lambda x, y, w, h: (r[x * (len(r) - 1) // (w - 1)],
                                            g[y * (len(g) - 1) // (h - 1)],
                                            b[(2 * seed + 1) * (len(b) - 1) // 6])


def pixels(w, h, colours):
    """Rows of (r, g, b): stripes of the colour table (or a gradient), the key colour in the
    bottom-left pixel and in a block at the right edge."""
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            if (x == 0 and y == h - 1) or (x >= w - w // 8 and y >= h // 3):
                row.append(KEY)
            elif callable(colours):
                row.append(colours(x, y, w, h))
            else:
                row.append(colours[(x // 5 + y // 4) % len(colours)])
        rows.append(row)
    return rows


def write_ppm(path, rows):
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (len(rows[0]), len(rows)))
        for row in rows:
            f.write(bytes(v for p in row for v in p))


def header(path):
    """(header size, bits a pixel, compression) of a bitmap file."""
    with open(path, "rb") as f:
        data = f.read(34)
    size = struct.unpack("<I", data[14:18])[0]
    if size == 12:
        return 12, struct.unpack("<H", data[24:26])[0], 0
    bpp, compression = struct.unpack("<HI", data[28:34])
    return size, bpp, compression


def im(*options, coder="BMP"):
    return lambda src, out: subprocess.run(["convert", src, *options, f"{coder}:{out}"], check=True)


def netpbm(*options):
    def run(src, out):
        with open(out, "wb") as f:
            subprocess.run(["ppmtobmp", *options, src], stdout=f, stderr=subprocess.DEVNULL,
                           check=True)
    return run


# Title, what it is, the colours of its pictures (a count for a colour table, else a gradient of
# exact steps), the tool, and the header size, depth and compression the file must have.
VARIANTS = [
    (1, "24 bits, 40-byte header (ImageMagick)", gradient(8, 8, 8),
     im(coder="BMP3"), (40, 24, 0)),
    (2, "8-bit colour table, run-length coded, 40-byte header (ImageMagick)", 64,
     im("-type", "Palette", "-compress", "RLE", coder="BMP3"), (40, 8, 1)),
    (3, "4-bit colour table, 40-byte header (netpbm)", 15, netpbm("-windows", "-bpp=4"), (40, 4, 0)),
    (4, "1 bit, 40-byte header (netpbm)", 1, netpbm("-windows", "-bpp=1"), (40, 1, 0)),
    (5, "8-bit colour table, 12-byte OS/2 header (netpbm)", 64, netpbm("-os2", "-bpp=8"),
     (12, 8, 0)),
    (6, "16 bits, 5-6-5 colour masks, 124-byte header (ImageMagick)",
     gradient(5, 6, 5), im("-define", "bmp:subtype=RGB565"), (124, 16, 3)),
    (7, "32 bits with an alpha channel, 124-byte header (ImageMagick)",
     gradient(8, 8, 8), im("-alpha", "set"), (124, 32, 3)),
    (8, "8-bit colour table, run-length coded, 124-byte header (ImageMagick)", 64,
     im("-type", "Palette", "-compress", "RLE"), (124, 8, 1)),
    (9, "16 bits, 4-4-4-4 colour masks with alpha, 124-byte header (ImageMagick)",
     gradient(4, 4, 4),
     im("-alpha", "set", "-define", "bmp:subtype=ARGB4444"), (124, 16, 3)),
]


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_tool_disc.py OUT")
    out = sys.argv[1]
    shutil.rmtree(out, ignore_errors=True)
    content, sources = os.path.join(out, "content"), os.path.join(out, "sources")
    os.makedirs(content)
    os.makedirs(sources)
    with tempfile.TemporaryDirectory() as scratch:
        for k, what, colours, tool, expected in VARIANTS:
            pictures = [(f"menu{k}", 201, 49 if k == 9 else 37, 0), (f"menu{k}c", 201, 49 if k == 9 else 37, 1),
                        (f"velm{k}", 160, 120, 2)]
            for name, w, h, seed in pictures:
                src = os.path.join(scratch, name + ".ppm")
                write_ppm(src, pixels(w, h, colours(seed) if callable(colours) else
                                      table(colours, k * 3 + seed)))
                target = os.path.join(content, name + ".bmp")
                tool(src, target)
                if header(target) != expected:
                    sys.exit(f"{target}: the tool wrote {header(target)}, not {expected} ({what})")
                im(coder="BMP3")(src, os.path.join(sources, name + ".bmp"))
            with open(os.path.join(content, f"velm{k}.rtf"), "wb") as f:
                f.write(b"{\\rtf1\\ansi\\ansicpg1253\\deff0{\\fonttbl{\\f0\\fnil\\fcharset161 Tahoma;}}\r\n"
                        b"\\f0\\fs20 Title %d: %s\\par\r\n}\r\n" % (k, what.encode("ascii")))
    return 0


if __name__ == "__main__":
    sys.exit(main())
