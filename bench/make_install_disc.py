#!/usr/bin/env python3
"""Writes a large synthetic distribution disc for the installation benchmark, and the list of
the folder creations and copies an installation of it makes, for the plain copy loop.

    make_install_disc.py DISC [--folders 200] [--files 2000] [--megabytes 200]

DISC gets Tolvan.exe (read-only, as on a disc), the three data files, and content\\fil.tbo
naming FOLDERS folders two levels deep with FILES files spread over them (CR LF lines, code page
1253 names). DISC\\copylist.txt lists, one a line, "D<TAB>target" for a folder to make and
"F<TAB>source<TAB>target" for a file to copy, targets relative to the installation folder and
sources relative to DISC, in the order the installation does them.
"""
import argparse
import os
import stat

def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("disc")
    ap.add_argument("--folders", type=int, default=200)
    ap.add_argument("--files", type=int, default=2000)
    ap.add_argument("--megabytes", type=int, default=200)
    a = ap.parse_args()

    total = a.megabytes * 1024 * 1024
    size = total // (a.files + 4)
    block = os.urandom(size)

    def write(rel, data, readonly=False):
        path = os.path.join(a.disc, *rel.split("\\"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        if os.path.exists(path):
            os.chmod(path, stat.S_IWUSR | stat.S_IRUSR)
        with open(path, "wb") as f:
            f.write(data)
        if readonly:
            os.chmod(path, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)

    ops = ["D\t", "D\tData"]  # the folder itself and its Data, made when OK is pressed
    write("Tolvan.exe", block, readonly=True)
    ops.append("F\tTolvan.exe\tTolvan.exe")
    ops.append("D\tContent")
    for name in ("TolvanI.tbo", "TolvanHI.tbo", "Tolvan.tbo"):
        write("Data\\" + name, block)
        ops.append("F\tData\\%s\tData\\%s" % (name, name))

    # Folders two levels deep: parents first, each child's line repeating its parent's path.
    tops = max(1, a.folders // 10)
    folders = []
    for t in range(tops):
        parent = "Τόμος%03d\\" % t
        folders.append(parent)
        for c in range(a.folders // tops - 1):
            folders.append(parent + "Κεφάλαιο%02d\\" % c)
    folders = folders[: a.folders]
    per = a.files // len(folders)
    extra = a.files - per * len(folders)
    lines = []
    for i, folder in enumerate(folders):
        lines.append(folder)
        ops.append("D\tContent\\" + folder)
        for j in range(per + (1 if i < extra else 0)):
            name = "Λήμμα%03d.dat" % j
            lines.append(name)
            write("content\\" + folder + name, block)
            ops.append("F\tcontent\\%s%s\tcontent\\%s%s" % (folder, name, folder, name))
    manifest = "".join(l + "\r\n" for l in lines).encode("cp1253")
    write("content\\fil.tbo", manifest)
    with open(os.path.join(a.disc, "copylist.txt"), "wb") as f:
        f.write("".join(l + "\r\n" for l in ops).encode("cp1253"))

if __name__ == "__main__":
    main()
