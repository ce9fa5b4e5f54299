#!/usr/bin/python3
"""Checks a built sample disc: the distribution layout the installation reads, the install
manifest (code page 1253, CR LF, parents before children, every listed file present), the
catalogue files the main window loads, and Tolvan.exe (read-only, a 32-bit GUI program that
needs no DLL beside it).

    /usr/bin/python3 check_disc.py <disc folder>
Exits 1 and names every fault found.
"""

import os
import stat
import struct
import sys

from PIL import Image

faults = []


def fault(text):
    faults.append(text)


def win_path(disc, rel):
    """A path of the disc given in the manifest's Windows form, on this file system."""
    return os.path.join(disc, *[p for p in rel.split("\\") if p])


def check_text_file(path, label):
    data = open(path, "rb").read()
    if b"\n" in data.replace(b"\r\n", b""):
        fault("%s: line end without CR" % label)
    if b"\r" in data.replace(b"\r\n", b""):
        fault("%s: CR without LF" % label)
    if any(b >= 0x80 for b in data):
        try:
            data.decode("utf-8")
            fault("%s: still UTF-8, not code page 1253" % label)
        except UnicodeDecodeError:
            pass
    try:
        return data.decode("cp1253")
    except UnicodeDecodeError:
        fault("%s: not code page 1253 text" % label)
        return ""


def check_manifest(disc):
    path = win_path(disc, "content\\fil.tbo")
    if not os.path.isfile(path):
        return fault("content\\fil.tbo is missing")
    text = check_text_file(path, "fil.tbo")
    lines = text.split("\r\n")
    if lines and lines[-1] == "":
        lines.pop()
    prefix = ""
    made = set()
    first_folder = None
    files_before_folder = 0
    greek_folder = greek_file = False
    nested = False
    for n, line in enumerate(lines, 1):
        if line == "":
            continue
        if line.endswith("\\"):
            parent = line[:-1].rpartition("\\")[0]
            if parent and parent + "\\" not in made:
                fault("fil.tbo line %d: folder %r before its parent" % (n, line))
            nested |= bool(parent)
            made.add(line)
            prefix = line
            first_folder = first_folder or n
            greek_folder |= not line.isascii()
            if not os.path.isdir(win_path(disc, "content\\" + line)):
                fault("fil.tbo line %d: folder %r not on the disc" % (n, line))
        else:
            if first_folder is None:
                files_before_folder += 1
            greek_file |= not line.isascii()
            if not os.path.isfile(win_path(disc, "content\\" + prefix + line)):
                fault("fil.tbo line %d: file %r not on the disc" % (n, prefix + line))
    if not files_before_folder:
        fault("fil.tbo: no file directly in content before the first folder line")
    if not nested:
        fault("fil.tbo: no nested folder")
    if not (greek_folder and greek_file):
        fault("fil.tbo: wants a Greek-named folder and a Greek-named file")
    return lines


def check_catalogue(disc):
    for k in range(1, 10):
        height = 49 if k == 9 else 37
        for name in ("menu%d.bmp" % k, "menu%dc.bmp" % k):
            path = win_path(disc, "content\\" + name)
            if not os.path.isfile(path):
                fault("content\\%s is missing" % name)
                continue
            img = Image.open(path)
            if img.format != "BMP" or img.size != (201, height):
                fault("%s: %s %r, want BMP 201 x %d" % (name, img.format, img.size, height))
                continue
            rgb = img.convert("RGB")
            key = rgb.getpixel((0, height - 1))
            if sum(1 for p in rgb.getdata() if p != key) < 201 * height // 2:
                fault("%s: mostly transparent" % name)
        normal = win_path(disc, "content\\menu%d.bmp" % k)
        chosen = win_path(disc, "content\\menu%dc.bmp" % k)
        if os.path.isfile(normal) and os.path.isfile(chosen) and \
                open(normal, "rb").read() == open(chosen, "rb").read():
            fault("menu%d: the highlighted picture is the normal one" % k)
        cover = win_path(disc, "content\\velm%d.bmp" % k)
        if not os.path.isfile(cover):
            fault("content\\velm%d.bmp is missing" % k)
        else:
            img = Image.open(cover)
            if img.format != "BMP" or img.width > 249 or img.height > 321:
                fault("velm%d.bmp: %s %r, want a BMP of at most 249 x 321"
                      % (k, img.format, img.size))
        rtf = win_path(disc, "content\\velm%d.rtf" % k)
        if not os.path.isfile(rtf):
            fault("content\\velm%d.rtf is missing" % k)
            continue
        text = check_text_file(rtf, "velm%d.rtf" % k)
        if not text.startswith("{\\rtf1\\ansi\\ansicpg1253"):
            fault("velm%d.rtf: does not declare code page 1253" % k)
        if "\\fcharset161" not in text:
            fault("velm%d.rtf: no Greek font in the font table" % k)
        if text.count("{") != text.count("}"):
            fault("velm%d.rtf: unbalanced groups" % k)
        if not any("\u0391" <= ch <= "\u03ce" for ch in text):
            fault("velm%d.rtf: no Greek text" % k)


def pe_imports(data):
    """Names of the DLLs a 32-bit PE file imports."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        return None, None, []
    machine, sections, _, _, _, opt_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
    opt = pe + 24
    subsystem = struct.unpack_from("<H", data, opt + 68)[0]
    import_rva = struct.unpack_from("<I", data, opt + 96 + 8)[0]
    table = []
    for i in range(sections):
        at = opt + opt_size + 40 * i
        vsize, va, rawsize, rawptr = struct.unpack_from("<IIII", data, at + 8)
        table.append((va, max(vsize, rawsize), rawptr))

    def offset(rva):
        for va, size, raw in table:
            if va <= rva < va + size:
                return rva - va + raw
        raise ValueError("rva outside the sections")

    names = []
    if import_rva:
        at = offset(import_rva)
        while True:
            entry = struct.unpack_from("<IIIII", data, at)
            if not any(entry):
                break
            name_at = offset(entry[3])
            names.append(data[name_at:data.index(b"\0", name_at)].decode("ascii").lower())
            at += 20
    return machine, subsystem, names


SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "advapi32.dll",
               "shell32.dll", "ole32.dll", "comctl32.dll"}


def check_program(disc):
    path = os.path.join(disc, "Tolvan.exe")
    if not os.path.isfile(path):
        return fault("Tolvan.exe is missing")
    if os.stat(path).st_mode & (stat.S_IWUSR | stat.S_IWGRP | stat.S_IWOTH):
        fault("Tolvan.exe is writable; on the disc it must be read-only")
    data = open(path, "rb").read()
    machine, subsystem, dlls = pe_imports(data)
    if machine != 0x14C:
        fault("Tolvan.exe: machine %r, want i386" % machine)
    if subsystem != 2:
        fault("Tolvan.exe: subsystem %r, want a GUI program (2)" % subsystem)
    others = sorted(set(dlls) - SYSTEM_DLLS)
    if others:
        fault("Tolvan.exe needs DLLs that are not on every Windows: %s" % ", ".join(others))
    if b"Duzivod Uzedov\0" not in data:
        fault("Tolvan.exe: window title not found in the program")


def check_data(disc):
    seen = {}
    for name in ("TolvanI.tbo", "TolvanHI.tbo", "Tolvan.tbo"):
        path = os.path.join(disc, "Data", name)
        if not os.path.isfile(path):
            fault("Data\\%s is missing" % name)
            continue
        data = open(path, "rb").read()
        if not data:
            fault("Data\\%s is empty" % name)
        if data in seen.values():
            fault("Data\\%s has the same bytes as another data file" % name)
        seen[name] = data


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    disc = sys.argv[1]
    check_program(disc)
    check_data(disc)
    check_manifest(disc)
    check_catalogue(disc)
    for text in faults:
        print("FAULT:", text)
    print("%d fault(s)" % len(faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
