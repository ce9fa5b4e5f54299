#!/usr/bin/env python3
"""make_tool_disc.py OUT: a catalogue whose pictures ImageMagick and netpbm write, one bitmap
variant a title, in OUT/content, with each picture's source pixels (as the tool was given them) as
a plain 24-bit bitmap in OUT/sources. Every picture has the key colour (magenta) in its bottom-left
pixel and in a block at its right edge, and uses only colours its variant holds exactly. A tool
that writes another variant than the one named stops the script."""
import os
import shutil
import struct
import subprocess
import sys
import tempfile

KEY = (255, 0, 255)


def widened(v, bits):
    """A value of `bits` bits as 8: its bits repeated from the top down, as the program widens it."""
    wide, at = 0, 8 - bits
    while at > -bits:
        wide |= v << at if at >= 0 else v >> -at
        at -= bits
    return wide


def steps(bits):
    """The 8-bit values drawn for the steps of `bits` bits that ImageMagick (which drops the
    fraction) turns back into their step."""
    top = (1 << bits) - 1
    return [widened(v, bits) for v in range(top + 1) if widened(v, bits) * top // 255 == v]


def table(n, seed):
    """A pixel function of stripes of `n` distinct colours, none of them the key colour."""
    colours = [c for c in (((37 * i + 11 * seed) % 251, (91 * i + 5 * seed) % 241, (53 * i + 17) % 239)
                           for i in range(n + 1)) if c != KEY][:n]
    return lambda x, y, w, h: colours[(x // 5 + y // 4) % n]


def gradient(bits, seed):
    """A pixel function of exact steps: red across, green down, blue one step a picture."""
    r, g, b = (steps(n) for n in bits)
    return lambda x, y, w, h: (r[x * (len(r) - 1) // (w - 1)], g[y * (len(g) - 1) // (h - 1)],
                               b[(2 * seed + 1) * (len(b) - 1) // 6])


def write_ppm(path, w, h, colour):
    keyed = lambda x, y: (x == 0 and y == h - 1) or (x >= w - w // 8 and y >= h // 3)
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (w, h))
        f.write(bytes(v for y in range(h) for x in range(w)
                      for v in (KEY if keyed(x, y) else colour(x, y, w, h))))


def header(path):
    """(header size, bits a pixel, compression) of a bitmap file."""
    with open(path, "rb") as f:
        data = f.read(34)
    size = struct.unpack("<I", data[14:18])[0]
    return (12, struct.unpack("<H", data[24:26])[0], 0) if size == 12 else \
        (size,) + struct.unpack("<HI", data[28:34])


def im(*options, coder="BMP"):
    return lambda src, out: subprocess.run(["convert", src, *options, f"{coder}:{out}"], check=True)


def netpbm(*options):
    return lambda src, out: subprocess.run(f"ppmtobmp {' '.join(options)} {src} >{out} 2>/dev/null",
                                           shell=True, check=True)


# Title: what it is, its colours (a table of so many, or a gradient of these bits a channel), the
# tool, and the header size, depth and compression the file must have.
VARIANTS = {
    1: ("24 bits, 40-byte header (ImageMagick)", (8, 8, 8), im(coder="BMP3"), (40, 24, 0)),
    2: ("8-bit colour table, run-length coded, 40-byte header (ImageMagick)", 64,
        im("-type", "Palette", "-compress", "RLE", coder="BMP3"), (40, 8, 1)),
    3: ("4-bit colour table, 40-byte header (netpbm)", 15, netpbm("-windows", "-bpp=4"), (40, 4, 0)),
    4: ("1 bit, 40-byte header (netpbm)", 1, netpbm("-windows", "-bpp=1"), (40, 1, 0)),
    5: ("8-bit colour table, 12-byte OS/2 header (netpbm)", 64, netpbm("-os2", "-bpp=8"), (12, 8, 0)),
    6: ("16 bits, 5-6-5 colour masks, 124-byte header (ImageMagick)", (5, 6, 5),
        im("-define", "bmp:subtype=RGB565"), (124, 16, 3)),
    7: ("32 bits with an alpha channel, 124-byte header (ImageMagick)", (8, 8, 8),
        im("-alpha", "set"), (124, 32, 3)),
    8: ("8-bit colour table, run-length coded, 124-byte header (ImageMagick)", 64,
        im("-type", "Palette", "-compress", "RLE"), (124, 8, 1)),
    9: ("16 bits, 4-4-4-4 colour masks with alpha, 124-byte header (ImageMagick)", (4, 4, 4),
        im("-alpha", "set", "-define", "bmp:subtype=ARGB4444"), (124, 16, 3)),
}

if len(sys.argv) != 2:
    sys.exit("usage: make_tool_disc.py OUT")
out = sys.argv[1]
shutil.rmtree(out, ignore_errors=True)
for folder in ("content", "sources"):
    os.makedirs(os.path.join(out, folder))
with tempfile.TemporaryDirectory() as scratch:
    for k, (what, colours, tool, expected) in VARIANTS.items():
        h = 49 if k == 9 else 37
        for seed, (name, w, h) in enumerate([(f"menu{k}", 201, h), (f"menu{k}c", 201, h),
                                             (f"velm{k}", 160, 120)]):
            src = os.path.join(scratch, name + ".ppm")
            write_ppm(src, w, h, table(colours, 3 * k + seed) if isinstance(colours, int)
                      else gradient(colours, seed))
            target = os.path.join(out, "content", name + ".bmp")
            tool(src, target)
            if header(target) != expected:
                sys.exit(f"{target}: the tool wrote {header(target)}, not {expected} ({what})")
            im(coder="BMP3")(src, os.path.join(out, "sources", name + ".bmp"))
        with open(os.path.join(out, "content", f"velm{k}.rtf"), "wb") as f:
            f.write(b"{\\rtf1\\ansi\\ansicpg1253{\\fonttbl{\\f0\\fnil\\fcharset161 Tahoma;}}\r\n"
                    b"\\f0\\fs20 Title %d: %s\\par\r\n}\r\n" % (k, what.encode("ascii")))
