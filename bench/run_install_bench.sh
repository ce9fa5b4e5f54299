#!/usr/bin/env bash
# The installation benchmark: a large synthetic disc (2,000 files in 200 folders, 200 MB by
# default) installed through the application's own install entry, against copyloop, a plain
# CreateDirectoryA/CopyFileA loop over the same list, in the same Wine session, the runs
# interleaved; the installation's copy loop alone (copycall: the installation call as the dialog
# runs it, timed from its first copy to its last) against the same; and the host's `cp -r` of the
# same tree as the disk's own floor.
#   bench/run_install_bench.sh [build folder] [runs] [megabytes]
#   (defaults: build/win32, or build/win64 where the machine runs no 32-bit programs; 7; 200)
# Prints the medians and the lines "ratio install/copyloop R" and "ratio copies/copyloop R".
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/$("$root/scripts/wine-arch")}" && pwd)
# The session's Wine is the build's: 32-bit, or 64-bit for the 64-bit build.
VELM_WINE_ARCH=$(sed -n 's/^export VELM_WINE_ARCH=//p' "$build/wine-run")
export VELM_WINE_ARCH
runs=${2:-7}
megabytes=${3:-200}

cmake --build "$build" --target installbench copyloop copycall velminstallentry >/dev/null

# A session of its own, so the shortcut and settings file the installations write stay out of
# the tests' prefix.
session=$root/scripts/wine-session
VELM_XVFB=${VELM_XVFB:-1} "$session" "$build/bench-wine" start
eval "$("$session" "$build/bench-wine" env)"

work=$build/bench-install
disc=$work/disc
rm -rf "$work"
mkdir -p "$work"
python3 "$root/bench/make_install_disc.py" "$disc" --folders 200 --files 2000 --megabytes "$megabytes"
win() { winepath -w "$1" 2>/dev/null; }
wdisc=$(win "$disc")
echo "install bench: $(find "$disc/content" -type f | wc -l) files under content, $(du -sm "$disc" | cut -f1) MB, $runs runs"

ms() { sed -n 's/^\([0-9.]*\) ms.*/\1/p' | head -n 1; }
install_times=() loop_times=() call_times=() cp_times=()
run_install() {
  install_times+=("$(wine "$build/bin/installbench.exe" "$(win "$build/bin/velminstallentry.exe")" \
    "$wdisc" "$(win "$work")\\inst" | ms)")
}
run_loop() {
  loop_times+=("$(wine "$build/bin/copyloop.exe" "$wdisc" "$(win "$work")\\loop" \
    "$wdisc\\copylist.txt" | ms)")
}
# The installation's copies, checked on disk: as many files as the list copies.
run_call() {
  call_times+=("$(wine "$build/bin/copycall.exe" "$wdisc" "$(win "$work")\\call" | ms)")
  local made listed
  made=$(find "$work/call" -type f | wc -l)
  listed=$(grep -c '^F' "$disc/copylist.txt")
  if [ "$made" != "$listed" ]; then
    echo "copycall made $made files of $listed" >&2
    exit 1
  fi
}
for i in $(seq "$runs"); do
  rm -rf "$work/inst" "$work/loop" "$work/call" "$work/cp"
  # Each measurement starts with the earlier ones' writes on the disk, not still being written,
  # and the two programs take turns at going first.
  sync
  if [ $((i % 2)) -eq 1 ]; then run_install; sync; run_loop; else run_loop; sync; run_install; fi
  sync
  rm -rf "$work/loop"
  sync
  if [ $((i % 2)) -eq 1 ]; then run_call; sync; run_loop; else run_loop; sync; run_call; fi
  sync
  start=$(date +%s%N)
  cp -r "$disc" "$work/cp"
  cp_times+=("$(( ($(date +%s%N) - start) / 1000 ))")
done

python3 - "${install_times[*]}" "${loop_times[*]}" "${call_times[*]}" "${cp_times[*]}" <<'PY'
import statistics, sys
inst = [float(x) for x in sys.argv[1].split()]
loop = [float(x) for x in sys.argv[2].split()]
call = [float(x) for x in sys.argv[3].split()]
cp = [int(x) / 1000.0 for x in sys.argv[4].split()]
def line(what, v):
    print("  %-40s median %9.1f ms  (%s)" % (what, statistics.median(v), " ".join("%.0f" % x for x in v)))
line("installation, Enter to the message", inst)
line("installation's copies alone", call)
line("copyloop, CreateDirectoryA/CopyFileA", loop)
line("host cp -r of the same tree", cp)
print("ratio install/copyloop %.2f" % (statistics.median(inst) / statistics.median(loop)))
print("ratio copies/copyloop %.2f" % (statistics.median(call) / statistics.median(loop)))
PY
"$session" "$build/bench-wine" stop
