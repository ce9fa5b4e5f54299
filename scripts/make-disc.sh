#!/usr/bin/env bash
# Makes the image a publisher presses from a prepared disc folder:
#   make-disc.sh DISC OUT.iso [--label LABEL] [--force]
# 1. Lays out the disc's root in a scratch folder: DISC's tree, the release VelmPres.exe (one in
#    DISC is replaced), and an autorun.inf that starts it unless DISC brings its own; every file
#    read-only, as Windows shows the files of a CD-ROM.
# 2. Checks that layout with velmcheck. With problems it prints the report and stops (exit 1),
#    unless --force.
# 3. Masters an ISO 9660 image with Joliet names (what Windows 95 to 10 read, Greek letters
#    included) and the volume label LABEL (default VELMPRES) with xorriso, the files laid in the
#    order the program reads them (velmcheck --read-order: the program, the catalogue, then what
#    an installation copies), so that a drive's head reads on instead of jumping; the rest after.
# 4. Reads the image back as Windows reads it (scripts/read-disc.sh) and compares every name and
#    byte with the layout: a difference is an error naming the file.
# 5. Moves the image to OUT and says what it holds.
# Nothing is left at OUT unless every step succeeded. Exit codes: 0 made, 1 refused or the image
# differs, 2 bad input (DISC unreadable, OUT not writable, a tool missing).
# The programs: VELM_DISC_PROGRAM (default build/win32/bin/VelmPres.exe) and VELM_VELMCHECK
# (default the build's native velmcheck).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")

fail() { echo "make-disc: $2" >&2; exit "$1"; }
usage() { fail 2 "usage: make-disc.sh DISC OUT.iso [--label LABEL] [--force]"; }

disc='' out='' label=VELMPRES force=0
while [ $# -gt 0 ]; do
  case $1 in
    --force) force=1 ;;
    --label) [ $# -ge 2 ] || usage; label=$2; shift ;;
    --*) usage ;;
    *) if [ -z "$disc" ]; then disc=$1; elif [ -z "$out" ]; then out=$1; else usage; fi ;;
  esac
  shift
done
[ -n "$disc" ] && [ -n "$out" ] || usage

# Windows shows a label of at most 16 characters (the Joliet volume name); ISO 9660's own name
# takes capitals, digits and "_" only.
[[ $label =~ ^[A-Z0-9_]{1,16}$ ]] || fail 2 "the label \"$label\" is not 1 to 16 capitals, digits or _"
[ -d "$disc" ] || fail 2 "$disc is not a folder"
[ -r "$disc" ] && [ -x "$disc" ] || fail 2 "the folder $disc cannot be read"
out_dir=$(dirname "$out")
[ -d "$out_dir" ] && [ -w "$out_dir" ] || fail 2 "$out cannot be written: $out_dir is not a writable folder"
[ ! -d "$out" ] || fail 2 "$out is a folder"
command -v xorriso >/dev/null ||
  fail 2 "xorriso is missing: install Debian's package xorriso (scripts/deps.sh installs it)"
program=${VELM_DISC_PROGRAM:-$repo/build/win32/bin/VelmPres.exe}
[ -f "$program" ] || fail 2 "no program $program: build it first (cmake --build --preset win32)"
velmcheck=${VELM_VELMCHECK:-}
if [ -z "$velmcheck" ]; then
  for c in "$repo/build/win32/host/bin/velmcheck" "$repo/build/native/bin/velmcheck"; do
    if [ -x "$c" ]; then velmcheck=$c; break; fi
  done
fi
[ -n "$velmcheck" ] && [ -x "$velmcheck" ] || fail 2 "velmcheck is missing: build it first"

scratch=$(mktemp -d)
partial="$out.partial.$$"
cleanup() { chmod -R u+w "$scratch" 2>/dev/null || true; rm -rf "$scratch" "$partial"; }
trap cleanup EXIT
layout=$scratch/root

# 1. The layout.
cp -R "$disc" "$layout" 2>"$scratch/cp.err" ||
  fail 2 "the folder $disc cannot be read: $(head -1 "$scratch/cp.err")"
chmod -R u+w "$layout"
find "$layout" -maxdepth 1 -iname VelmPres.exe -exec rm -f {} +
cp "$program" "$layout/VelmPres.exe"
if [ -z "$(find "$layout" -maxdepth 1 -iname autorun.inf)" ]; then
  printf '[autorun]\r\nopen=VelmPres.exe\r\nicon=VelmPres.exe,0\r\n' >"$layout/autorun.inf"
fi
find "$layout" -type f -exec chmod a-w {} +

# 2. The check.
status=0
"$velmcheck" "$layout" >"$scratch/report" 2>&1 || status=$?
case $status in
  0) grep '^Findings:' "$scratch/report" || true ;;
  1) cat "$scratch/report"
     [ $force = 1 ] || fail 1 "$disc has problems (above): no image made (--force makes one anyway)"
     echo "make-disc: making the image anyway (--force)" ;;
  *) cat "$scratch/report" >&2; fail 2 "velmcheck cannot check the layout of $disc" ;;
esac

# 3. The image. The names on this machine are UTF-8; Joliet records them as UCS-2. A file's
# weight places it: the higher, the nearer the start; the first file read weighs the most.
"$velmcheck" --read-order "$layout" >"$scratch/order" ||
  fail 2 "velmcheck cannot say the read order of $disc"
weights=()
count=$(wc -l <"$scratch/order")
while IFS=$'\t' read -r _ _ path; do
  weights+=(--sort-weight "$count" "/${path//\\//}")
  count=$((count - 1))
done <"$scratch/order"
LC_ALL=C.UTF-8 xorriso -as mkisofs -input-charset UTF-8 -J -r -V "$label" "${weights[@]}" \
  -o "$partial" "$layout" >"$scratch/xorriso.log" 2>&1 || {
  cat "$scratch/xorriso.log" >&2
  fail 2 "xorriso could not write $out"
}

# 4. Read back and compared, name by name and byte by byte.
"$here/read-disc.sh" "$partial" "$scratch/back" || fail 1 "the image cannot be read back"
differences=$(cd "$scratch" && LC_ALL=C diff -rq root back 2>&1 |
  sed -e 's|^Only in root/*\(.*\): \(.*\)$|  \1/\2: not on the image under this name|' \
      -e 's|^Only in back/*\(.*\): \(.*\)$|  \1/\2: on the image but not in the layout|' \
      -e 's|^Files root/\(.*\) and back/.* differ$|  \1: its bytes differ on the image|' \
      -e 's|^  /|  |') || true
if [ -n "$differences" ]; then
  grep -i 'joliet' "$scratch/xorriso.log" >&2 || true
  printf '%s\n' "$differences" >&2
  fail 1 "the image does not read back as the layout: no image made"
fi

# 5. The image, and what it holds.
mv "$partial" "$out"
files=$(find "$layout" -type f | wc -l)
echo "make-disc: made $out: $(stat -c %s "$out") bytes, label $label, $files files:"
(cd "$layout" && find . -type f -printf '  %P  %s bytes\n' | LC_ALL=C sort)
