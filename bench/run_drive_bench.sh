#!/usr/bin/env bash
# The drive benchmark: the program as a customer meets it, on a pressed disc in a CD-ROM drive.
# The image is served by bench/cdrom.py (a read-only FUSE file that makes every read wait for
# its bytes at the drive's speed and for each jump of the head), its files by fuseiso, and the
# files are Wine's drive D:, of type cdrom. Every run mounts the drive afresh: a cold drive.
#   bench/run_drive_bench.sh [build folder] [runs] [speeds]
#   (defaults: build/win32, or build/win64 where the machine runs no 32-bit programs; 3 runs;
#   "4 24": 4x is 600 KB/s and 120 ms a jump, 24x 3600 KB/s and 80 ms)
# For each speed, medians of the runs:
#   - the start of the sample disc's image (build/win32/disc.iso) as autorun starts it, until
#     the catalogue is revealed; its floor, the bytes the start reads (velmcheck --read-order:
#     the program and the catalogue) at the drive's speed plus one jump; "ratio
#     reveal/drive-floor R"; and the longest time the main window did not answer (WM_NULL);
#   - an installation of a 22 MB disc (bench/make_install_disc.py, pressed by
#     scripts/make-disc.sh) from the drive: the copying (Enter to the closing message), its
#     floor (the bytes the installation reads, the same way), "ratio install/drive-floor R", the
#     folder dialog's longest time without an answer and how often its progress bar moved.
# Needs root (FUSE) and Debian's python3-fusepy, fuseiso and fuse3 (scripts/deps.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/$("$root/scripts/wine-arch")}" && pwd)
VELM_WINE_ARCH=$(sed -n 's/^export VELM_WINE_ARCH=//p' "$build/wine-run")
export VELM_WINE_ARCH
runs=${2:-3}
speeds=${3:-4 24}

cmake --build "$build" --target drivebench installbench velminstallentry VelmPres sample_disc \
  host_velmcheck >/dev/null
velmcheck=$build/host/bin/velmcheck
[ -x "$velmcheck" ] || velmcheck=$root/build/native/bin/velmcheck

work=$build/bench-drive
drive=$work/drive   # the drive (scripts/cdrom-drive.sh): its files are drive D:
files=$drive/files
mkdir -p "$work"

# A session of its own, with D: as a CD-ROM drive: the drive type is read when Wine's mount
# manager starts, so a session that lacked it is started again.
session=$root/scripts/wine-session
wine_dir=$work/wine
VELM_XVFB=${VELM_XVFB:-1} "$session" "$wine_dir" start
eval "$("$session" "$wine_dir" env)"
ln -sfn "$files" "$WINEPREFIX/dosdevices/d:"
if ! wine reg query 'HKLM\Software\Wine\Drives' /v d: 2>/dev/null | grep -q cdrom; then
  wine reg add 'HKLM\Software\Wine\Drives' /v d: /d cdrom /f >/dev/null 2>&1
  wineserver -k 2>/dev/null || true
  VELM_XVFB=${VELM_XVFB:-1} "$session" "$wine_dir" start
fi
win() { winepath -w "$1" 2>/dev/null; }

mount_drive() {  # IMAGE KBPS JUMP_MS
  sh "$root/scripts/cdrom-drive.sh" mount "$1" "$drive" "$2" "$3"
}
unmount_drive() {
  sh "$root/scripts/cdrom-drive.sh" unmount "$drive"
}
trap 'unmount_drive 2>/dev/null || true' EXIT

# The bytes one phase of the read order reads, from a disc's folder.
phase_bytes() { "$velmcheck" --read-order "$1" | awk -F'\t' -v p="$2" '$1 == p { n += $2 } END { print n + 0 }'; }

# The installation disc, pressed as the publisher presses one.
idisc=$work/install-disc
if [ ! -f "$work/install.iso" ] || [ "$root/bench/make_install_disc.py" -nt "$work/install.iso" ] ||
  [ "$root/scripts/make-disc.sh" -nt "$work/install.iso" ]; then
  rm -rf "$idisc"
  python3 "$root/bench/make_install_disc.py" "$idisc" --folders 4 --files 200 --megabytes 22
  VELM_VELMCHECK=$velmcheck VELM_DISC_PROGRAM=$build/bin/VelmPres.exe \
    "$root/scripts/make-disc.sh" "$idisc" "$work/install.iso" --force >/dev/null
fi
start_bytes=$(( $(phase_bytes "$build/disc-pressed" program) + $(phase_bytes "$build/disc-pressed" catalogue) ))
install_bytes=$(phase_bytes "$idisc" installation)

for x in $speeds; do
  case $x in
    4) kbps=600 jump=120 ;;
    24) kbps=3600 jump=80 ;;
    *) kbps=$((x * 150)) jump=100 ;;
  esac
  reveal=() window=() unanswered=() copy=() dialog=() moves=()
  for i in $(seq "$runs"); do
    mount_drive "$build/disc.iso" "$kbps" "$jump"
    out=$(wine "$build/bin/drivebench.exe" 'D:\VelmPres.exe' 'D:\' | tr -d '\r')
    unmount_drive
    window+=("$(sed -n 's/^window //p' <<<"$out")")
    reveal+=("$(sed -n 's/^revealed //p' <<<"$out")")
    unanswered+=("$(sed -n 's/^unanswered //p' <<<"$out")")

    rm -rf "$work/inst"
    mount_drive "$work/install.iso" "$kbps" "$jump"
    out=$(wine "$build/bin/installbench.exe" "$(win "$build/bin/velminstallentry.exe")" 'D:\' \
      "$(win "$work")\\inst" | tr -d '\r')
    unmount_drive
    copy+=("$(sed -n 's/^\([0-9.]*\) ms$/\1/p' <<<"$out")")
    dialog+=("$(sed -n 's/^unanswered //p' <<<"$out")")
    moves+=("$(sed -n 's/^progress //p' <<<"$out")")
  done
  python3 - "$x" "$kbps" "$jump" "$start_bytes" "$install_bytes" "${window[*]}" "${reveal[*]}" \
    "${unanswered[*]}" "${copy[*]}" "${dialog[*]}" "${moves[*]}" <<'PY'
import statistics, sys
x, kbps, jump, start_bytes, install_bytes = sys.argv[1:6]
kbps, jump = float(kbps), float(jump)
window, reveal, unanswered, copy, dialog, moves = ([float(v) for v in a.split()] for a in sys.argv[6:12])
def floor(n):
    return int(n) / (kbps * 1024) * 1000 + jump
def line(what, v):
    print("  %-46s median %9.1f ms  (%s)" % (what, statistics.median(v), " ".join("%.0f" % x for x in v)))
print("drive %sx (%.0f KB/s, %.0f ms a jump), cold, %d runs" % (x, kbps, jump, len(reveal)))
line("main window on screen", window)
line("catalogue revealed", reveal)
print("  %-46s        %9.1f ms" % ("floor: %s bytes read at the start + one jump" % start_bytes, floor(start_bytes)))
print("ratio reveal/drive-floor %.2f" % (statistics.median(reveal) / floor(start_bytes)))
line("main window's longest time without an answer", unanswered)
line("installation, Enter to the closing message", copy)
print("  %-46s        %9.1f ms" % ("floor: %s bytes read + one jump" % install_bytes, floor(install_bytes)))
print("ratio install/drive-floor %.2f" % (statistics.median(copy) / floor(install_bytes)))
line("folder dialog's longest time without an answer", dialog)
print("  %-46s median %9.0f     (%s)" % ("progress bar moved (times)", statistics.median(moves), " ".join("%.0f" % x for x in moves)))
PY
done
"$session" "$wine_dir" stop
