#!/usr/bin/python3
"""A pressed image served as a CD-ROM drive of a given speed: a read-only FUSE file system that
holds one file, the image, and makes every read of it wait as a drive's head would.

    cdrom.py IMAGE MOUNTPOINT [--speed KBPS] [--jump MS]

MOUNTPOINT/disc.iso is IMAGE. The drive has one head: reads are served one at a time, each
costing its bytes at KBPS kilobytes (1024 bytes) a second, and a read that does not start where
the head is costs a jump of MS milliseconds first (a short gap forward, cheaper to read through
than to jump, is read through). The first read is a jump too: the head starts nowhere. Nothing
is kept between mounts, and the kernel's cache of the file goes with the mount: a new mount is a
cold drive. Mount an ISO 9660 reader (fuseiso) on MOUNTPOINT/disc.iso to see its files.

Runs in the foreground until unmounted (fusermount -u MOUNTPOINT). On exit it prints, to
standard error, the reads, bytes and jumps served.
"""
import argparse
import errno
import os
import stat
import sys
import threading
import time

try:  # Debian's python3-fusepy names the module fusepy
    from fusepy import FUSE, FuseOSError, Operations
except ImportError:
    from fuse import FUSE, FuseOSError, Operations

NAME = "/disc.iso"


class Drive(Operations):
    def __init__(self, image, speed, jump):
        self.fd = os.open(image, os.O_RDONLY)
        self.size = os.fstat(self.fd).st_size
        self.rate = speed * 1024.0  # bytes a second
        self.jump = jump / 1000.0
        self.head = None  # the byte after the last one read
        self.busy_until = 0.0  # when the head is free again
        self.one_head = threading.Lock()
        self.reads = self.bytes = self.jumps = 0

    def getattr(self, path, fh=None):
        now = time.time()
        if path == "/":
            return dict(st_mode=stat.S_IFDIR | 0o555, st_nlink=2, st_size=0,
                        st_atime=now, st_mtime=now, st_ctime=now)
        if path == NAME:
            return dict(st_mode=stat.S_IFREG | 0o444, st_nlink=1, st_size=self.size,
                        st_atime=now, st_mtime=now, st_ctime=now)
        raise FuseOSError(errno.ENOENT)

    def readdir(self, path, fh):
        return [".", "..", NAME[1:]]

    def open(self, path, flags):
        if path != NAME:
            raise FuseOSError(errno.ENOENT)
        if flags & (os.O_WRONLY | os.O_RDWR):
            raise FuseOSError(errno.EROFS)
        return 0

    def cost(self, offset, size):
        """Seconds the head takes for this read, from where it is."""
        seconds = size / self.rate
        if self.head != offset:
            gap = offset - self.head if self.head is not None else -1
            if 0 < gap and gap / self.rate < self.jump:
                seconds += gap / self.rate
            else:
                seconds += self.jump
                self.jumps += 1
        return seconds

    def read(self, path, size, offset, fh):
        size = max(0, min(size, self.size - offset))
        with self.one_head:
            # A virtual clock: the time owed is added to when the head is free, so that the
            # sleeps' own lateness does not add up.
            self.busy_until = max(self.busy_until, time.monotonic()) + self.cost(offset, size)
            self.head = offset + size
            self.reads += 1
            self.bytes += size
            delay = self.busy_until - time.monotonic()
            if delay > 0:
                time.sleep(delay)
        return os.pread(self.fd, size, offset)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("image")
    ap.add_argument("mountpoint")
    ap.add_argument("--speed", type=float, default=600.0, help="KB a second (4x: 600)")
    ap.add_argument("--jump", type=float, default=120.0, help="ms for each jump of the head")
    a = ap.parse_args()
    drive = Drive(a.image, a.speed, a.jump)
    try:
        FUSE(drive, a.mountpoint, foreground=True, ro=True, nothreads=True)
    finally:
        print("cdrom: %d reads, %d bytes, %d jumps" % (drive.reads, drive.bytes, drive.jumps),
              file=sys.stderr)


if __name__ == "__main__":
    main()
