#!/usr/bin/env bash
# Builds the benchmark programs and runs velmbench under the build's Wine session, printing its
# figures: start-up to the revealed catalogue against a bare window, and a switch to a title with
# a 1 MB description against a bare rich-edit control.
#   bench/run_bench.sh [build folder] [runs]     (defaults: build/win32, 5; the 1 MB switches
#   take several seconds each under Wine)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win32}" && pwd)
runs=${2:-5}

cmake --build "$build" --target velmbench bare_window VelmPres sample_disc >/dev/null

session=$root/scripts/wine-session
VELM_XVFB=${VELM_XVFB:-1} "$session" "$build/wine" start
eval "$("$session" "$build/wine" env)"

win() { winepath -w "$1" 2>/dev/null; }
wine "$build/bin/velmbench.exe" "$(win "$build/bin/VelmPres.exe")" \
  "$(win "$build/bin/bare_window.exe")" "$(win "$build/disc")" "$(win "$build/bench-work")" "$runs"
