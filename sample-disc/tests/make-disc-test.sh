#!/usr/bin/env bash
# make-disc.sh: the sample disc's image reads back as the disc with the release program and
# autorun.inf; a disc with a problem is refused, and made with --force; every test disc the check
# says pressing changes is refused at the read-back, which names the check's file; bad input ends
# with exit 2. No failure leaves an image. The sample's image holds its files in the order the
# program reads them.
# Usage: make-disc-test.sh SAMPLE-DISC VELMPRES.EXE NATIVE-VELMCHECK WRITE-CHECK-DISCS WORK
set -uo pipefail
sample=$1 exe=$2 velmcheck=$3 work=$5 scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
export VELM_DISC_PROGRAM=$exe VELM_VELMCHECK=$velmcheck
chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"; mkdir -p "$work"; "$4" "$work/discs" >/dev/null
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
press() {  # EXIT-CODE ARGUMENTS...: make-disc.sh into $work/out.iso
  local want=$1; shift; rm -f "$work/out.iso"
  bash "$scripts/make-disc.sh" "$@" >"$work/out" 2>&1; local rc=$?
  [ $rc -eq "$want" ] || fail "make-disc $* ended with $rc: $(tail -3 "$work/out")"
  [ "$want" -eq 0 ] || [ -z "$(ls "$work"/out.iso* 2>/dev/null)" ] || fail "make-disc $* left an image"
}

press 0 "$sample" "$work/out.iso" --label SAMPLE
bash "$scripts/read-disc.sh" "$work/out.iso" "$work/back"
[ "$(diff -r "$sample" "$work/back" | sort)" = "Only in $work/back: VelmPres.exe
Only in $work/back: autorun.inf" ] || fail "the image differs from the sample disc"
cmp -s "$exe" "$work/back/VelmPres.exe" || fail "not the release VelmPres.exe"
[ "$(cat "$work/back/autorun.inf")" = $'[autorun]\r\nopen=VelmPres.exe\r\nicon=VelmPres.exe,0\r' ] ||
  fail "autorun.inf: $(od -c "$work/back/autorun.inf")"
# The files the program reads lie first on the image, in the order it reads them.
order=$("$velmcheck" --read-order "$work/back" | cut -f3 | tr '\\' /)
laid=$(LC_ALL=C.UTF-8 xorriso -indev "$work/out.iso" -find / -type f -exec report_lba -- 2>/dev/null |
  sed -n "s|^File data lba: *0 , *\([0-9]*\) ,.*, '/\(.*\)'\$|\1 \2|p" | sort -n | cut -d' ' -f2-)
[ -n "$order" ] && [ "$order" = "$(head -n "$(wc -l <<<"$order")" <<<"$laid")" ] ||
  fail "the image is not laid in the read order: $laid"
press 1 "$work/discs/01-damaged-button-bitmap" "$work/out.iso"
grep -q 'problem content\\menu3.bmp \[bitmap-refused\]' "$work/out" || fail "no report"
press 0 "$work/discs/01-damaged-button-bitmap" "$work/out.iso" --force
pressed=0
for disc in "$work"/discs/*/; do
  file=$("$velmcheck" --json "$disc" | python3 -c 'import json, sys
print(next((f["file"] for f in json.load(sys.stdin)["findings"] if f["code"][:6] == "press-"), ""))')
  [ -n "$file" ] || continue
  pressed=$((pressed + 1))
  press 1 "$disc" "$work/out.iso" --force
  grep -qF "  ${file//\\//}: not on the image under this name" "$work/out" || fail "$disc: $file"
done
[ $pressed -ge 5 ] || fail "only $pressed test discs that pressing changes"
press 2 "$work/nothing-here" "$work/out.iso"
press 2 "$sample" "$work/no-folder/out.iso"
press 2 "$sample" "$work/out.iso" --label "lower case"
mkdir "$work/bin"; for t in bash dirname mktemp cp chmod find rm ls tail; do ln -s "$(command -v $t)" "$work/bin"; done
PATH=$work/bin press 2 "$sample" "$work/out.iso"
grep -q "xorriso is missing" "$work/out" || fail "xorriso missing: $(cat "$work/out")"
echo "$failures failures"
[ $failures -eq 0 ]
