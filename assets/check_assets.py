#!/usr/bin/python3
"""Checks the program's stored pictures and resource script against what the windows expect:
sizes, bit depths, a baseline JPEG, the transparent colour in the bottom-left pixel, the 16-colour
icon, the resource identifiers, and a version record free of words that make Windows ask for
elevation.

    /usr/bin/python3 check_assets.py [assets folder]
Exits 1 and names every fault found.
"""

import os
import re
import struct
import sys

from PIL import Image

VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]

# file, size, drawn transparent (bottom-left pixel is the key), number of side-by-side frames
BITMAPS = [
    ("logo.bmp", (293, 51), True, 1),
    ("rule.bmp", (750, 2), False, 1),
    ("install_icon.bmp", (18, 18), True, 1),
    ("close_glyph.bmp", (23, 18), True, 1),
    ("edit_picture.bmp", (29, 22), True, 1),
    ("install_picture.bmp", (41, 41), True, 1),
    ("ok_glyph.bmp", (36, 18), True, 2),
    ("no_glyph.bmp", (36, 18), True, 2),
    ("cancel_glyph.bmp", (36, 18), True, 2),
]

IDS = {
    "IDI_APP": 1, "IDR_BACKGROUND_JPEG": 101, "IDB_LOGO": 102, "IDB_RULE": 103,
    "IDB_INSTALL_ICON": 104, "IDB_CLOSE_GLYPH": 105, "IDB_EDIT_PICTURE": 106,
    "IDB_INSTALL_PICTURE": 107, "IDB_OK_GLYPH": 108, "IDB_NO_GLYPH": 109,
    "IDB_CANCEL_GLYPH": 110, "IDC_HAND_CURSOR": 111,
}

ELEVATION_WORDS = ("install", "setup", "update", "patch")

faults = []


def fault(text):
    faults.append(text)


def check_bmp(folder, name, size, transparent, frames):
    path = os.path.join(folder, name)
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        return fault("%s: not a Windows bitmap" % name)
    header_size, width, height, planes, bpp, compression = struct.unpack_from("<IiiHHI", data, 14)
    if header_size != 40 or planes != 1:
        fault("%s: header %d, planes %d (want BITMAPINFOHEADER, 1 plane)"
              % (name, header_size, planes))
    if (width, abs(height)) != size:
        fault("%s: %d x %d, want %d x %d" % (name, width, abs(height), *size))
    if bpp != 24 or compression != 0:
        fault("%s: %d bits per pixel, compression %d; want 24-bit BI_RGB" % (name, bpp,
                                                                            compression))
    img = Image.open(path).convert("RGB")
    key = img.getpixel((0, img.height - 1))
    if not transparent:
        return
    fw = img.width // frames
    for i in range(frames):
        frame = img.crop((i * fw, 0, (i + 1) * fw, img.height))
        opaque = [p for p in frame.getdata() if p != key]
        if len(opaque) < frame.width * frame.height // 10:
            fault("%s: frame %d is (almost) empty" % (name, i + 1))
    # The key must not show through as a fringe: no visible pixel may be a blend of the key
    # with the picture (pink edges round a logo drawn with a magenta key).
    if key == (255, 0, 255):
        fringe = [p for p in img.getdata()
                  if p != key and p[0] > 150 and p[2] > 150 and p[1] < min(p[0], p[2]) - 90]
        if fringe:
            fault("%s: %d pixels blended with the transparent colour" % (name, len(fringe)))


def check_jpeg(folder):
    path = os.path.join(folder, "background.jpg")
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"\xff\xd8":
        return fault("background.jpg: not a JPEG")
    # Walk the markers up to the frame header: SOF0 (or SOF1) is baseline, SOF2 progressive.
    pos = 2
    sof = None
    while pos + 4 <= len(data):
        if data[pos] != 0xFF:
            return fault("background.jpg: damaged marker chain")
        marker = data[pos + 1]
        length = struct.unpack_from(">H", data, pos + 2)[0]
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            sof = marker
            height, width = struct.unpack_from(">HH", data, pos + 5)
            break
        pos += 2 + length
    if sof is None:
        return fault("background.jpg: no frame header")
    if sof not in (0xC0, 0xC1):
        fault("background.jpg: frame type 0x%02X, want baseline (SOF0)" % sof)
    if (width, height) != (750, 485):
        fault("background.jpg: %d x %d, want 750 x 485" % (width, height))


def check_icon(folder):
    with open(os.path.join(folder, "VelmPres.ico"), "rb") as f:
        data = f.read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if (reserved, kind, count) != (0, 1, 1):
        return fault("VelmPres.ico: want one icon image, got type %d count %d" % (kind, count))
    w, h, colours, _, planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6)
    if (w, h, colours, bits) != (32, 32, 16, 4):
        fault("VelmPres.ico: entry %dx%d, %d colours, %d bits" % (w, h, colours, bits))
    hs, bw, bh, bplanes, bbits, comp = struct.unpack_from("<IiiHHI", data, offset)
    if (hs, bw, bh, bplanes, bbits, comp) != (40, 32, 64, 1, 4, 0):
        fault("VelmPres.ico: image header %r" % ((hs, bw, bh, bplanes, bbits, comp),))
    pal_at = offset + 40
    palette = [struct.unpack_from("<BBBB", data, pal_at + 4 * i)[2::-1] for i in range(16)]
    if [tuple(p) for p in palette] != VGA16:
        fault("VelmPres.ico: not the standard 16-colour palette")
    xor_at = pal_at + 64
    and_at = xor_at + 32 * 16
    if and_at + 32 * 4 != offset + size or offset + size != len(data):
        fault("VelmPres.ico: sizes of colour bits and mask do not add up")
    transparent = opaque = 0
    for row in range(32):
        bits_row = struct.unpack_from(">I", data, and_at + 4 * row)[0]
        for x in range(32):
            idx = data[xor_at + 16 * row + x // 2] >> (4 if x % 2 == 0 else 0) & 0xF
            if bits_row >> (31 - x) & 1:
                transparent += 1
                if idx != 0:
                    fault("VelmPres.ico: transparent pixel with colour %d" % idx)
                    break
            else:
                opaque += 1
    if transparent < 64 or opaque < 256:
        fault("VelmPres.ico: %d opaque, %d transparent pixels" % (opaque, transparent))


def check_cursor(folder):
    """The hand: one 32 x 32 monochrome cursor image whose hot spot lies on a black pixel of
    the outline (the fingertip), with both black, white and transparent pixels."""
    with open(os.path.join(folder, "hand.cur"), "rb") as f:
        data = f.read()
    _, kind, count = struct.unpack_from("<HHH", data, 0)
    if kind != 2 or count != 1:
        return fault("hand.cur: want one cursor image, got type %d count %d" % (kind, count))
    w, h, _, _, hx, hy, size, offset = struct.unpack_from("<BBBBHHII", data, 6)
    hs, bw, bh, _, bits = struct.unpack_from("<IiiHH", data, offset)
    if (w, h, bw, bh, bits, hs) != (32, 32, 32, 64, 1, 40) or offset + size != len(data):
        return fault("hand.cur: not a 32 x 32 monochrome cursor image")
    xor_at = offset + 40 + 2 * 4
    and_at = xor_at + 32 * 4
    kinds = {}
    for y in range(32):
        row = 31 - y
        xor_bits, = struct.unpack_from(">I", data, xor_at + row * 4)
        and_bits, = struct.unpack_from(">I", data, and_at + row * 4)
        for x in range(32):
            bit = 1 << (31 - x)
            kinds[(x, y)] = ("transparent" if and_bits & bit else
                             "white" if xor_bits & bit else "black")
    counts = {k: list(kinds.values()).count(k) for k in ("black", "white", "transparent")}
    if min(counts.values()) == 0:
        fault("hand.cur: pixels %r" % counts)
    if kinds.get((hx, hy)) != "black" or any(kinds[(x, y)] != "transparent"
                                             for x in range(32) for y in range(hy)):
        fault("hand.cur: hot spot %d,%d is not the topmost point of the outline" % (hx, hy))


def check_resource_script(folder):
    header = open(os.path.join(folder, "resource.h"), encoding="ascii").read()
    found = dict((m.group(1), int(m.group(2)))
                 for m in re.finditer(r"#define\s+(ID\w+)\s+(\d+)", header))
    if found != IDS:
        fault("resource.h: identifiers %r, want %r" % (found, IDS))
    rc = open(os.path.join(folder, "VelmPres.rc"), encoding="utf-8").read()
    code = re.sub(r"/\*.*?\*/", "", rc, flags=re.S)
    if not code.isascii():
        # Outside comments the Greek texts are octal escapes of code page 1253 bytes.
        fault("VelmPres.rc: text outside comments is not plain ASCII")
    if "#pragma code_page(1253)" not in code:
        fault("VelmPres.rc: no code page 1253 pragma")
    if re.search(r"\bMANIFEST\b|\b24\s+\"|RT_MANIFEST", code):
        fault("VelmPres.rc: holds a manifest")
    for name, _ in IDS.items():
        if not re.search(r"^\s*%s\s+(ICON|CURSOR|BITMAP|RCDATA)\s+\"" % name, code, re.M):
            fault("VelmPres.rc: no resource %s" % name)
    for fname in re.findall(r"(?:ICON|CURSOR|BITMAP|RCDATA)\s+\"([^\"]+)\"", code):
        if not os.path.isfile(os.path.join(folder, fname)):
            fault("VelmPres.rc: %s is missing" % fname)
    values = {}
    for key, text in re.findall(r"VALUE\s+\"(\w+)\",\s*\"((?:[^\"\\]|\\.)*)\"", code):
        decoded = re.sub(r"\\([0-7]{3})", lambda m: chr(int(m.group(1), 8)), text)
        values[key] = decoded.encode("latin-1").decode("cp1253")
    want = {"FileVersion": "1.0.0.0", "ProductName": "VelmPres",
            "CompanyName": "Εκδόσεις Βελμαρόδη"}
    for key, value in want.items():
        if values.get(key) != value:
            fault("VelmPres.rc: %s is %r, want %r" % (key, values.get(key), value))
    for key, value in values.items():
        for word in ELEVATION_WORDS:
            if word in value.lower():
                fault("VelmPres.rc: %s holds %r" % (key, word))


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    check_jpeg(folder)
    for name, size, transparent, frames in BITMAPS:
        check_bmp(folder, name, size, transparent, frames)
    check_icon(folder)
    check_cursor(folder)
    check_resource_script(folder)
    for text in faults:
        print("FAULT:", text)
    print("%d fault(s)" % len(faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
