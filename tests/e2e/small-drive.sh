#!/bin/sh
# Maps a small tmpfs (1 MB) as drive S: of the build's Wine session ("setup") and takes it away
# ("cleanup"), for the free-space refusal. Mounting needs root.
set -e
build=$1
point=$build/small-drive
link=$build/wine/prefix/dosdevices/s:
case $2 in
  setup)
    mkdir -p "$point"
    mountpoint -q "$point" || mount -t tmpfs -o size=1m velm-small-drive "$point"
    ln -sfn "$point" "$link" ;;
  cleanup)
    rm -f "$link"
    if mountpoint -q "$point"; then umount "$point"; fi ;;
esac
