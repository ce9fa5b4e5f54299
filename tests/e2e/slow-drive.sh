#!/bin/sh
# Maps the sample disc's pressed image, in a drive as slow as a 4x CD-ROM (600 KB/s, 120 ms for
# each jump of the head: scripts/cdrom-drive.sh), as drive Q: of the build's Wine session
# ("setup"), and takes it away ("cleanup"). FUSE needs root.
#   slow-drive.sh <build folder> setup|cleanup
set -e
build=$1
drive=$(cd "$(dirname "$0")/../.." && pwd)/scripts/cdrom-drive.sh
point=$build/slow-drive
link=$build/wine/prefix/dosdevices/q:
case $2 in
  setup)
    sh "$drive" mount "$build/disc.iso" "$point" 600 120
    ln -sfn "$point/files" "$link" ;;
  cleanup)
    rm -f "$link"
    sh "$drive" unmount "$point" ;;
esac
