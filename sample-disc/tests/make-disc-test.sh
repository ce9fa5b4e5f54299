#!/usr/bin/env bash
# make-disc.sh as a publisher uses it: the sample disc's image reads back identical to the disc
# with the program and autorun.inf beside it; a disc with a problem is refused with its report,
# and --force makes its image; every test disc the check says pressing changes is refused when
# read back, naming the file the check names; bad input ends with a message and leaves no image.
# Usage: make-disc-test.sh SAMPLE-DISC VELMPRES.EXE NATIVE-VELMCHECK WRITE-CHECK-DISCS WORK
set -uo pipefail
sample=$1 exe=$2 velmcheck=$3 write_discs=$4 work=$5
here=$(cd "$(dirname "$0")" && pwd)
make_disc="$(dirname "$(dirname "$here")")/scripts/make-disc.sh"
export VELM_DISC_PROGRAM=$exe VELM_VELMCHECK=$velmcheck
chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"; mkdir -p "$work"
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
# Runs make-disc.sh into $work/out.iso; expects exit code $1 and, unless 0, no image.
press() {
  local want=$1; shift
  bash "$make_disc" "$@" >"$work/out" 2>&1; local rc=$?
  [ $rc -eq "$want" ] || fail "make-disc $* ended with $rc, not $want: $(tail -3 "$work/out")"
  [ "$want" -eq 0 ] || [ -z "$(ls "$work"/out.iso* 2>/dev/null)" ] || fail "make-disc $* left an image"
}

press 0 "$sample" "$work/out.iso" --label SAMPLE
bash "$here/../../scripts/read-disc.sh" "$work/out.iso" "$work/back"
diff -r "$sample" "$work/back" >"$work/diff"
[ "$(sort "$work/diff")" = "Only in $work/back: VelmPres.exe
Only in $work/back: autorun.inf" ] || fail "the sample image differs: $(head -5 "$work/diff")"
cmp -s "$exe" "$work/back/VelmPres.exe" || fail "the image's VelmPres.exe is not the release one"
[ "$(cat "$work/back/autorun.inf")" = $'[autorun]\r\nopen=VelmPres.exe\r\nicon=VelmPres.exe,0\r' ] ||
  fail "autorun.inf: $(od -c "$work/back/autorun.inf" | head -3)"
rm -f "$work/out.iso"

"$write_discs" "$work/discs" >/dev/null || fail "cannot write the test discs"
press 1 "$work/discs/01-damaged-button-bitmap" "$work/out.iso"
grep -q 'problem content\\menu3.bmp \[bitmap-refused\]' "$work/out" || fail "no report: $(head -3 "$work/out")"
press 0 "$work/discs/01-damaged-button-bitmap" "$work/out.iso" --force
rm -f "$work/out.iso"
pressed=0
for disc in "$work"/discs/*/; do
  file=$("$velmcheck" --json "$disc" | python3 -c 'import json, sys
print(next((f["file"] for f in json.load(sys.stdin)["findings"] if f["code"].startswith("press-")), ""))')
  [ -n "$file" ] || continue
  pressed=$((pressed + 1))
  press 1 "$disc" "$work/out.iso" --force
  grep -qF "  ${file//\\//}: not on the image under this name" "$work/out" ||
    fail "$disc: the read-back does not name $file: $(tail -3 "$work/out")"
done
[ $pressed -ge 3 ] || fail "only $pressed test discs with pressing findings"

press 2 "$work/nothing-here" "$work/out.iso"
press 2 "$sample" "$work/no-folder/out.iso"
press 2 "$sample" "$work/out.iso" --label "lower case"
mkdir -p "$work/bin"
for tool in bash dirname mktemp cp chmod find rm cat grep ls head tail; do ln -sf "$(command -v $tool)" "$work/bin/"; done
PATH=$work/bin press 2 "$sample" "$work/out.iso"
grep -q "xorriso is missing" "$work/out" || fail "no word of xorriso: $(cat "$work/out")"

echo "$failures failures"
[ $failures -eq 0 ]
