#!/usr/bin/env bash
# Shows the publisher what the catalogue of a prepared disc looks like before it is pressed: the
# real VelmPres.exe runs under Wine on the disc, as the disc's autorun entry starts it (in the
# disc's folder, with that folder as its argument), each of the nine titles is clicked in turn
# as a person would, and the window after each click goes into one picture, the nine states side
# by side in three rows; then, for each title whose description reads otherwise on Windows 95 and
# NT 4 (Unicode escapes, which rich edit 1.0 shows as their fallback), the title as it shows there.
#   scripts/preview.sh DISC [OUT.png]     (OUT.png defaults to DISC's name + -preview.png here)
# The program runs on a virtual display of its own Wine session (build/win32/wine-preview, or
# build/win64/wine-preview where the machine runs no 32-bit programs), which is stopped again at
# the end.
set -euo pipefail
if [ $# -lt 1 ] || [ ! -d "$1" ]; then
  echo "usage: scripts/preview.sh DISC [OUT.png]" >&2
  exit 2
fi
disc=$(cd "$1" && pwd)
out=${2:-$(basename "$disc")-preview.png}
case $out in /*) ;; *) out=$PWD/$out ;; esac
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# The 64-bit build where the machine runs no 32-bit programs (see scripts/wine-arch).
export VELM_WINE_ARCH=$(scripts/wine-arch)
build=$root/build/$VELM_WINE_ARCH
cmake --preset "$VELM_WINE_ARCH" >/dev/null
cmake --build --preset "$VELM_WINE_ARCH" --target VelmPres velmdrive >/dev/null

session=$build/wine-preview
mkdir -p "$session"
VELM_XVFB=1 VELM_PERSIST=0 scripts/wine-session "$session" start </dev/null >"$session/start.log" 2>&1
trap 'scripts/wine-session "$session" stop >/dev/null 2>&1 || true' EXIT
eval "$(scripts/wine-session "$session" env)"
bin=$build/bin
shots=$session/shots
rm -rf "$shots" && mkdir -p "$shots"

# Drives the program on the disc in $1, clicking the titles given after it; the window after each
# click goes into $shots/$2<k>.bmp. The buttons' boxes: left 4, 201 wide; tops 104 to 356 in
# steps of 36, 37 high; the ninth at 392, 49 high. Each is clicked in its middle, and the window
# photographed once the click is handled and its drawing has settled.
drive() {
  local folder=$1 prefix=$2 argument k y
  shift 2
  argument="$(winepath -w "$folder")"
  argument="${argument%\\}\\"
  local steps=("wait:Εκδόσεις Βελμαρόδη" idle)
  for k in "$@"; do
    if [ "$k" -eq 9 ]; then y=416; else y=$((104 + 36 * (k - 1) + 18)); fi
    steps+=("click:104,$y" "shot:$(winepath -w "$shots")\\$prefix$k.bmp")
  done
  steps+=(key:ALTF4 exit)
  (cd "$folder" && wine "$bin/velmdrive.exe" "$bin/VelmPres.exe" . "\"$argument\"" "${steps[@]}") \
    </dev/null >>"$session/preview.log" 2>&1 || {
    echo "preview: the program could not be driven; see $session/preview.log" >&2
    exit 1
  }
}
: >"$session/preview.log"
drive "$disc" title 1 2 3 4 5 6 7 8 9
labels=()
for k in 1 2 3 4 5 6 7 8 9; do
  [ -f "$shots/title$k.bmp" ] || { echo "preview: no picture of title $k" >&2; exit 1; }
  labels+=(-label "title $k selected" "$shots/title$k.bmp")
done

# Windows 95 and NT 4, where the program's view is rich edit 1.0: it does not know the Unicode
# escape \uN and shows the characters after it, the escape's fallback, in its place. (Under Wine
# the view is rich edit 2.0 whatever release Wine pretends to be.) A copy of the disc with the
# escapes left out, as rich edit 1.0 leaves them out, shows those descriptions as they read
# there: one more picture for each title whose description reads otherwise.
old=$session/as-rich-edit-1.0
rm -rf "$old" && cp -a "$disc" "$old"
differing=()
for k in 1 2 3 4 5 6 7 8 9; do
  rtf=$(find "$old" -maxdepth 2 -ipath "$old/content/velm$k.rtf" | head -1)
  [ -n "$rtf" ] || continue
  chmod u+w "$rtf" && perl -pi -e 's/\\u-?[0-9]+ ?//g' "$rtf"
  cmp -s "$rtf" "$disc/${rtf#"$old"/}" || differing+=("$k")
done
if [ ${#differing[@]} -gt 0 ]; then
  drive "$old" old "${differing[@]}"
  for k in "${differing[@]}"; do
    labels+=(-label "title $k on Windows 95 and NT 4" "$shots/old$k.bmp")
  done
fi
montage "${labels[@]}" -tile 3x -geometry +6+6 -font DejaVu-Sans -pointsize 14 -background '#d0d0d0' "$out"
echo "$out"
