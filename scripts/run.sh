#!/usr/bin/env bash
# Installs what is missing, builds VelmPres.exe and the sample disc, and starts the program
# under Wine on the sample disc, as it starts from a real one.
#   scripts/run.sh              the disc itself: Tolvan.exe is read-only, no removal entry
#   scripts/run.sh --installed  a copy of the dictionary installed in C:\Program Files\Tolvan
#                               (writable Tolvan.exe) given as the argument: the removal entry
#                               shows, and clicking it removes that copy
#   scripts/run.sh --install    the test host velminstallentry.exe on the disc: the same program
#                               with its hidden install entry "Εγκατάσταση στον σκληρό δίσκο"
#                               shown, to try the installation from the disc
# With no usable X display the program runs on a virtual one and a screenshot is saved. Either
# way the script ends once the window is up, and leaves the program running.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/deps.sh
# The 64-bit build where the machine runs no 32-bit programs (see scripts/wine-arch).
export VELM_WINE_ARCH=$(scripts/wine-arch)
build=$root/build/$VELM_WINE_ARCH
cmake --preset "$VELM_WINE_ARCH" >/dev/null
cmake --build --preset "$VELM_WINE_ARCH" --target VelmPres velminstallentry sample_disc velmdrive

session=$build/wine-demo
mkdir -p "$session"
# Wine processes outlive this script: none of them may hold its output open.
VELM_PERSIST=0 scripts/wine-session "$session" start </dev/null >"$session/start.log" 2>&1
eval "$(scripts/wine-session "$session" env)"
bin=$build/bin
disc=$build/disc
argument="Z:${disc//\//\\}\\"
program=VelmPres.exe

if [ "${1:-}" = "--installed" ]; then
  target="$WINEPREFIX/drive_c/Program Files/Tolvan"
  rm -rf "$target"
  mkdir -p "$target/Data" "$target/Content"
  cp "$disc/Tolvan.exe" "$target/" && chmod u+w "$target/Tolvan.exe"
  cp "$disc"/Data/* "$target/Data/"
  argument='C:\Program Files\Tolvan\'
elif [ "${1:-}" = "--install" ]; then
  program=velminstallentry.exe
fi

echo "Starting $program in $disc with the argument $argument"
cd "$disc"
# Started through velmdrive, which hands the argument over as raw command-line text, as a disc's
# autorun entry does (wine itself would double a trailing backslash inside quotes). The program
# goes on running after this script, and neither it nor the Wine processes that start with it
# hold the caller's output: theirs goes to a log (so `run.sh | tail` ends when the script does).
log=$session/demo.log
if [ -f "$session/xvfb.pid" ]; then
  shot=$build/demo.bmp
  # The screenshot once the program has done its start-up and its drawing has settled.
  wine "$bin/velmdrive.exe" "$bin/$program" . "\"$argument\"" "wait:Εκδόσεις Βελμαρόδη" \
    idle "shot:Z:${shot//\//\\}" leave </dev/null >"$log" 2>&1
  convert "$shot" "${shot%.bmp}.png" && shot=${shot%.bmp}.png
  echo "There is no X display here, so the program runs on the virtual display $DISPLAY."
  echo "Its window, as a user sees it: $shot"
else
  wine "$bin/velmdrive.exe" "$bin/$program" . "\"$argument\"" "wait:Εκδόσεις Βελμαρόδη" leave \
    </dev/null >"$log" 2>&1
  echo "The program runs on your display $DISPLAY."
fi
echo "Its output and Wine's: $log"
echo "End it with: scripts/wine-session $session stop"
