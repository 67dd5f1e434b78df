#!/usr/bin/env bash
# kondra-cli report: the sample's report as a PDF page in engineering and SI
# units, without a display; refused inputs write nothing.
#   bash report.sh <kondra-cli> <build/bin>
set -euo pipefail
cli=$(cd "$(dirname "$1")" && pwd -P)/$(basename "$1")
bin=$(cd "$2" && pwd -P)
work=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
mkdir -p "$work/inst"
cp -r "$bin/DATA" "$bin/CAL" "$work/inst/"
sample="$work/inst/CAL/KDR/TEST_KDR.KDR"
run() { env -u DISPLAY -u WAYLAND_DISPLAY "$cli" --root "$work/inst" "$@"; }

run report "$sample" -o "$work/eng.pdf" >/dev/null || fail "report"
run report "$sample" -o "$work/si.pdf" --si >/dev/null || fail "report --si"
for f in eng si; do
  [ "$(head -c 5 "$work/$f.pdf")" = "%PDF-" ] || fail "$f.pdf is no PDF"
done
# Nothing lands in the results folder: the pictures are drawn in memory.
[ -z "$(ls "$work/inst/CAL/KDR/＜RESULT＞" | grep -i '\.emf' || true)" ] || fail "pictures written by the command"

if command -v pdftotext >/dev/null && command -v pdfinfo >/dev/null; then
  pdfinfo "$work/eng.pdf" | grep -q "Pages: *1$" || fail "eng.pdf is not one page"
  pdfinfo "$work/eng.pdf" | grep -q "pts (A4)" || fail "eng.pdf is not A4"
  pdftotext -layout "$work/eng.pdf" "$work/eng.txt"
  pdftotext -layout "$work/si.pdf" "$work/si.txt"
  grep -q "【計算条件】" "$work/eng.txt" || fail "no conditions heading"
  grep -q "kcal/(㎡h℃)" "$work/eng.txt" || fail "no engineering K unit"
  grep -q "判定：" "$work/eng.txt" || fail "no judgement"
  grep -q "Kondra Ver.8.20" "$work/eng.txt" || fail "no footer"
  grep -q "【ＳＩ単位】" "$work/eng.txt" && fail "SI mark in engineering units"
  grep -q "【ＳＩ単位】" "$work/si.txt" || fail "no SI mark"
  grep -q "W/(㎡ﾟK)" "$work/si.txt" || fail "no SI K unit"
fi

set +e
run report "$sample" 2>/dev/null; [ $? = 1 ] || fail "no -o"
run report "$work/none.KDR" -o "$work/x.pdf" 2>/dev/null; [ $? = 1 ] || fail "a missing file"
"$cli" --root "$work/inst" new "$work/EQ.KDR" --title t --part 1 --side-a 20,60 --side-b 20,60 \
  --layer "外側(αo=20)" --layer "合板(例):12" --layer "内側(αi=8)" >/dev/null
run report "$work/EQ.KDR" -o "$work/x.pdf" 2>/dev/null; [ $? = 2 ] || fail "a refused check"
set -e
[ ! -e "$work/x.pdf" ] || fail "a refused report was written"
echo "ok"
