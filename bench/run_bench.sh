#!/usr/bin/env bash
# Builds the benchmark programs and runs velmbench under the build's Wine session, printing its
# figures: start-up to the revealed catalogue against the yardstick (the same work with plain calls)
# and a bare window, with where the time goes, a switch to a title with a large description
# against a bare rich-edit control, and the memory each program holds at the reveal. With the
# default 5 runs it takes about two minutes.
#   bench/run_bench.sh [build folder] [runs]
#   (defaults: build/win32, or build/win64 where the machine runs no 32-bit programs; 5 runs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/$("$root/scripts/wine-arch")}" && pwd)
# The session's Wine is the build's: 32-bit, or 64-bit for the 64-bit build.
VELM_WINE_ARCH=$(sed -n 's/^export VELM_WINE_ARCH=//p' "$build/wine-run")
export VELM_WINE_ARCH
runs=${2:-5}

cmake --build "$build" --target velmbench bare_window yardstick VelmPres sample_disc >/dev/null

session=$root/scripts/wine-session
VELM_XVFB=${VELM_XVFB:-1} "$session" "$build/wine" start
eval "$("$session" "$build/wine" env)"

win() { winepath -w "$1" 2>/dev/null; }
wine "$build/bin/velmbench.exe" "$(win "$build/bin/VelmPres.exe")" \
  "$(win "$build/bin/bare_window.exe")" "$(win "$build/bin/yardstick.exe")" \
  "$(win "$build/disc")" "$(win "$build/bench-work")" "$runs"
