#!/bin/sh
# A pressed image in a CD-ROM drive of a given speed: bench/cdrom.py serves the image at
# POINT/raw/disc.iso, reading at KBPS kilobytes a second with JUMP_MS for each jump of the head,
# and fuseiso shows its files at POINT/files. Each mount is a cold drive. FUSE needs root.
#   cdrom-drive.sh mount IMAGE POINT KBPS JUMP_MS
#   cdrom-drive.sh unmount POINT
# The drive's log (what it served, written when it is unmounted) is POINT/cdrom.log.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
case $1 in
  mount)
    image=$2 point=$3
    mkdir -p "$point/raw" "$point/files"
    if ! mountpoint -q "$point/raw"; then
      # Apart from the caller, with nothing of its open: the drive outlives this script.
      setsid /usr/bin/python3 "$root/bench/cdrom.py" "$image" "$point/raw" --speed "$4" \
        --jump "$5" </dev/null >>"$point/cdrom.log" 2>&1 &
      i=0
      until [ -e "$point/raw/disc.iso" ]; do
        i=$((i + 1))
        [ $i -le 100 ] || { echo "cdrom-drive: the drive did not come up" >&2; exit 1; }
        sleep 0.1
      done
    fi
    mountpoint -q "$point/files" ||
      fuseiso -n -c UTF-8 "$point/raw/disc.iso" "$point/files" </dev/null >/dev/null 2>&1 ;;
  unmount)
    # The files first: fuseiso holds the image open.
    for m in "$2/files" "$2/raw"; do
      i=0
      while mountpoint -q "$m" && ! fusermount -u "$m" 2>/dev/null; do
        i=$((i + 1))
        if [ $i -gt 50 ]; then fusermount -u -z "$m"; break; fi
        sleep 0.2
      done
    done ;;
  *)
    echo "usage: cdrom-drive.sh mount IMAGE POINT KBPS JUMP_MS | unmount POINT" >&2
    exit 2 ;;
esac
