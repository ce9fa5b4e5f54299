#!/usr/bin/env bash
# Reads a disc image back as Windows reads the pressed disc: the Joliet names (the names
# Windows 95 and later show; the Rock Ridge names of Unix readers are passed over) and every
# file read-only, as Windows shows every file of a CD-ROM.
# Usage: read-disc.sh IMAGE DIR   (DIR is made afresh; its parent must exist)
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: read-disc.sh IMAGE DIR" >&2; exit 2; }
image=$1 dir=$2
command -v xorriso >/dev/null || {
  echo "read-disc: xorriso is missing (Debian's package xorriso; scripts/deps.sh installs it)" >&2
  exit 2
}
[ -f "$image" ] && [ -r "$image" ] || { echo "read-disc: $image cannot be read" >&2; exit 2; }
# What an earlier read left is read-only.
if [ -e "$dir" ]; then chmod -R u+w "$dir" && rm -rf "$dir"; fi
# "-read_fs norock": the Joliet tree, not the Rock Ridge one. The names are written as UTF-8.
log=$(LC_ALL=C.UTF-8 xorriso -abort_on FAILURE -osirrox on -read_fs norock -indev "$image" \
  -extract / "$dir" 2>&1) || { printf '%s\n' "$log" >&2; echo "read-disc: $image cannot be read back" >&2; exit 1; }
chmod -R a-w "$dir"
