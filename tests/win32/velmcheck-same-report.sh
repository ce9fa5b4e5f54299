#!/usr/bin/env bash
# velmcheck.exe under Wine and the native velmcheck give the same report, byte for byte, with
# and without --json, and end with the same code, on the same discs: the sample disc and every
# test disc (one fault each), written afresh into WORK.
# Usage: velmcheck-same-report.sh WINE-RUN VELMCHECK.EXE NATIVE-VELMCHECK WRITE-CHECK-DISCS SAMPLE-DISC WORK
set -uo pipefail
wine_run=$1 exe=$2 native=$3 write_discs=$4 sample=$5 work=$6
chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"; mkdir -p "$work"
"$write_discs" "$work/discs" >/dev/null || { echo "cannot write the test discs"; exit 1; }
failures=0 compared=0
for disc in "$sample" "$work"/discs/*/; do
  disc=${disc%/}
  windows="Z:${disc//\//\\}"
  for mode in text json; do
    flag=(); [ $mode = json ] && flag=(--json)
    "$native" "${flag[@]}" "$disc" >"$work/native.out" 2>&1; native_rc=$?
    "$wine_run" "$exe" "${flag[@]}" "$windows" >"$work/exe.out" 2>"$work/exe.err"; exe_rc=$?
    compared=$((compared + 1))
    if [ $native_rc -ne $exe_rc ] || ! cmp -s "$work/native.out" "$work/exe.out"; then
      echo "DIFFERENT ($mode): $disc: native $native_rc, velmcheck.exe $exe_rc"
      diff "$work/native.out" "$work/exe.out" | head -20
      failures=$((failures + 1))
    fi
    [ -s "$work/native.out" ] || { echo "EMPTY REPORT: $disc"; failures=$((failures + 1)); }
  done
done
echo "$compared reports compared, $failures different"
[ $failures -eq 0 ] && [ $compared -ge 50 ]
