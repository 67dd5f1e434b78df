#!/usr/bin/env bash
# kondra-cli materials and parts: the databases with every cell as it stands.
#   bash databases.sh <kondra-cli> <build/bin>
set -euo pipefail
cli=$(cd "$(dirname "$1")" && pwd -P)/$(basename "$1")
bin=$(cd "$2" && pwd -P)
work=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
mkdir -p "$work/inst"
cp -r "$bin/DATA" "$work/inst/"
run() { "$cli" --root "$work/inst" "$@"; }

run materials --json >"$work/m.json" || fail "materials --json"
# One object per row of 材料物性.DAT, its cells as texts.
rows=$(sed -n 1p "$work/inst/DATA/DAT/材料物性.DAT" | awk '{ print $1 }')
[ "$(grep -c '"number":' "$work/m.json")" = "$rows" ] || fail "not one object per row ($rows)"
for text in '"name": "外側(αo=20)",' '"thermalRes": "0.05",' '"conductivity": "-",' '"vapourRes": "9999.",' \
  '"name": "合板(例)",' '"permeability": "0.0016",' '"category": "O",' '"name": "-<未登録>-",' \
  '"specificHeat":' '"mark1":' '"mark2":' '"color": "126",' '"pattern": "0"'; do
  grep -qF -- "$text" "$work/m.json" || fail "materials --json lacks $text"
done
run materials >"$work/m.txt" || fail "materials"
grep -q "^ 153  合板(例) *0.14 " "$work/m.txt" || fail "materials table: $(sed -n 150,156p "$work/m.txt")"

run parts --json >"$work/p.json" || fail "parts --json"
grep -qF '"name": "外壁",' "$work/p.json" || fail "parts --json lacks 外壁"
[ "$(grep -c '"code": "V"' "$work/p.json")" -ge 1 ] || fail "no vertical part class"
[ "$(grep -c '"code": "H"' "$work/p.json")" -ge 1 ] || fail "no horizontal part class"
run parts | grep -q "^  1  外壁 *V$" || fail "parts table"

if run materials --nosuch 2>"$work/err"; then fail "an unknown option"; fi
rm "$work/inst/DATA/DAT/部位区分.DAT"
if run parts 2>"$work/err"; then fail "parts without 部位区分.DAT"; fi
grep -qF "部位区分.DAT" "$work/err" || fail "the missing file is not named: $(cat "$work/err")"
echo "ok"
