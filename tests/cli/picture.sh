#!/usr/bin/env bash
# kondra-cli picture: the section and the two diagrams of the sample as PNG
# and SVG, without a display.
#   bash picture.sh <kondra-cli> <build/bin>
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

for kind in section thickness resistance; do
  run picture "$sample" --kind $kind -o "$work/$kind.png" --scale 2 >/dev/null || fail "picture --kind $kind"
  [ "$(head -c 8 "$work/$kind.png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "$kind.png is no PNG"
  # 140 × 142 enlarged twice: the PNG header's width and height.
  [ "$(head -c 24 "$work/$kind.png" | tail -c 8 | od -An -tx1 | tr -d ' \n')" = "000001180000011c" ] ||
    fail "$kind.png is not 280 × 284"
done
cmp -s "$work/thickness.png" "$work/resistance.png" && fail "the two diagrams are the same picture"
run picture "$sample" --kind section -o "$work/s.svg" >/dev/null || fail "picture as SVG"
grep -q "<svg" "$work/s.svg" || fail "s.svg is no SVG"

set +e
run picture "$sample" --kind plan -o "$work/x.png" 2>/dev/null; [ $? = 1 ] || fail "an unknown kind"
run picture "$sample" --kind section -o "$work/x.gif" 2>"$work/err"; [ $? = 1 ] || fail "an unknown picture type"
run picture "$sample" --kind section -o "$work/x.png" --scale 40 2>/dev/null; [ $? = 1 ] || fail "scale 40"
"$cli" --root "$work/inst" new "$work/EQ.KDR" --title t --part 1 --side-a 20,60 --side-b 20,60 \
  --layer "外側(αo=20)" --layer "合板(例):12" --layer "内側(αi=8)" >/dev/null
run picture "$work/EQ.KDR" --kind thickness -o "$work/eq.png" 2>"$work/err"; [ $? = 2 ] || fail "a diagram of a refused check"
run picture "$work/EQ.KDR" --kind section -o "$work/eq.png" >/dev/null 2>&1; [ $? = 0 ] || fail "the section needs no calculation"
set -e
[ ! -e "$work/x.png" ] || fail "a refused picture was written"
echo "ok"
