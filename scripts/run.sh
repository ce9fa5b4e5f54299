#!/usr/bin/env bash
# Installs what is missing, builds VelmPres.exe and the sample disc, and starts the program
# under Wine on the sample disc, as it starts from a real one.
#   scripts/run.sh              the disc itself: Tolvan.exe is read-only, no removal entry
#   scripts/run.sh --installed  a copy of the dictionary "installed" in C:\Program Files\Tolvan
#                               (writable Tolvan.exe), given as the argument: the removal entry shows
# With no usable X display the program runs on a virtual one, and a screenshot is saved.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target VelmPres sample_disc velmdrive

session=build/win32/wine-demo
scripts/wine-session "$session" start
eval "$(scripts/wine-session "$session" env)"
disc=$(pwd)/build/win32/disc
disc_win="Z:${disc//\//\\}\\"

argument=$disc_win
if [ "${1:-}" = "--installed" ]; then
  drive_c=$WINEPREFIX/drive_c
  target="$drive_c/Program Files/Tolvan"
  rm -rf "$target"
  mkdir -p "$target/Data" "$target/Content"
  cp "$disc/Tolvan.exe" "$target/" && chmod u+w "$target/Tolvan.exe"
  cp "$disc"/Data/* "$target/Data/"
  argument='C:\Program Files\Tolvan\'
fi

echo "Starting VelmPres.exe in $disc with argument $argument (display $DISPLAY)"
cd "$disc"
if [ -f "../../../$session/xvfb.pid" ] || [ -f "$OLDPWD/$session/xvfb.pid" ]; then
  shot=$OLDPWD/build/win32/demo.bmp
  wine "$OLDPWD/build/win32/bin/velmdrive.exe" "$OLDPWD/build/win32/bin/VelmPres.exe" . \
    "\"$argument\"" "wait:Εκδόσεις Βελμαρόδη" sleep:1500 "shot:$(winepath -w "$shot")" leave
  convert "$shot" "${shot%.bmp}.png" 2>/dev/null && shot=${shot%.bmp}.png
  echo "No X display here: the program runs on the virtual display $DISPLAY."
  echo "A screenshot of its window: $shot. Close it with: scripts/wine-session $session stop"
else
  exec wine "$OLDPWD/build/win32/bin/VelmPres.exe" "$argument"
fi
