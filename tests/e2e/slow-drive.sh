#!/bin/sh
# Maps the sample disc's pressed image, served as a 4x CD-ROM drive (600 KB/s, 120 ms for each
# jump of the head: bench/cdrom.py under fuseiso), as drive Q: of the build's Wine session
# ("setup"), and takes it away ("cleanup"). FUSE needs root.
#   slow-drive.sh <build folder> setup|cleanup
set -e
build=$1
source=$(cd "$(dirname "$0")/../.." && pwd)
point=$build/slow-drive
raw=$point/raw      # the image, read at the drive's speed
files=$point/files  # its files
link=$build/wine/prefix/dosdevices/q:
case $2 in
  setup)
    mkdir -p "$raw" "$files"
    if ! mountpoint -q "$raw"; then
      # In the background, with nothing of CTest's open: the drive outlives this script.
      setsid /usr/bin/python3 "$source/bench/cdrom.py" "$build/disc.iso" "$raw" --speed 600 \
        --jump 120 </dev/null >"$point/cdrom.log" 2>&1 &
      i=0
      until [ -e "$raw/disc.iso" ]; do
        i=$((i + 1))
        [ $i -le 100 ] || { echo "slow-drive: the drive did not come up" >&2; exit 1; }
        sleep 0.1
      done
    fi
    mountpoint -q "$files" || fuseiso -n -c UTF-8 "$raw/disc.iso" "$files" </dev/null >/dev/null 2>&1
    ln -sfn "$files" "$link" ;;
  cleanup)
    rm -f "$link"
    for m in "$files" "$raw"; do
      if mountpoint -q "$m"; then fusermount -u "$m" || fusermount -u -z "$m"; fi
    done ;;
esac
