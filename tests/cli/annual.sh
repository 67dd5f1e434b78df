#!/usr/bin/env bash
# kondra-cli annual: the year-round check of the sample on a bundled
# standard-year point and on twelve months of a file, its JSON keys, and the
# refusals (a point without humidity, a short file, a wrong option).
#   bash annual.sh <kondra-cli> <build/bin>
set -euo pipefail
cli=$1
bin=$(cd "$2" && pwd -P)
work=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
sample="$bin/CAL/KDR/TEST_KDR.KDR"
run() { "$cli" --root "$bin" annual "$sample" "$@"; }

# The standard-year point of region 1 (a bundled point with humidity).
run --climate 10 --json >"$work/out.json" || fail "annual on point 10"
python3 - "$work/out.json" <<'PY' || fail "the JSON of point 10"
import json, sys
d = json.load(open(sys.argv[1]))
assert list(d)[:5] == ["verdict", "startMonth", "months", "maxAccumulated", "maxMonth"], list(d)
assert d["verdict"] in ("none", "dries", "accumulates")
assert len(d["months"]) == 12 and d["months"][0]["month"] == d["startMonth"]
total = [sum(p["accumulated"] for p in m["planes"]) for m in d["months"]]
assert abs(max(total) - d["maxAccumulated"]) < 1e-6
assert d["months"][total.index(max(total))]["month"] == d["maxMonth"]
for m in d["months"]:
    for p in m["planes"]:
        assert p["accumulated"] >= 0 and 1 <= p["boundary"] <= 6
PY
run --climate 10 | grep -qF "判定: 年間で" || fail "the table has no verdict"

# Golden tables of the sample on the standard years of regions 1 and 6
# (points 10 and 107), checked by hand once: the first month's rate at
# boundary 3 from the flux balance of the printed climate.
golden=$(cd "$(dirname "$0")/../fixtures/annual" && pwd -P)
for pair in 10:sample-region1 107:sample-region6; do
  run --climate "${pair%%:*}" | tail -n +2 >"$work/table.txt" || fail "annual on point ${pair%%:*}"
  diff -u "$golden/${pair#*:}.txt" "$work/table.txt" || fail "point ${pair%%:*} differs from ${pair#*:}.txt"
done

# Twelve mild months given with the inside: nothing condenses.
for m in $(seq 12); do echo "18,50,20,45"; done >"$work/mild.csv"
run --climate-csv "$work/mild.csv" --json >"$work/mild.json" || fail "annual on a mild file"
grep -q '"verdict": "none"' "$work/mild.json" || fail "mild months condense: $(head -c 300 "$work/mild.json")"
grep -q '"startMonth": null' "$work/mild.json" || fail "mild months have a start month"
run --climate-csv "$work/mild.csv" | grep -qF "年間を通じて内部結露なし" || fail "the table does not say none"

# Refusals, each with its reason and status 1.
refused() {
  local why=$1; shift
  set +e
  run "$@" >"$work/out" 2>"$work/err"
  local got=$?
  set -e
  [ "$got" = 1 ] || fail "$* ended with $got"
  grep -qF -- "$why" "$work/err" || fail "$*: no '$why' in $(cat "$work/err")"
}
refused "水蒸気圧がない" --climate 1
refused "はありません" --climate 999
head -n 11 "$work/mild.csv" >"$work/short.csv"
refused "11か月分しかありません" --climate-csv "$work/short.csv"
refused "one of --climate" --climate 10 --climate-csv "$work/mild.csv"
refused "class:K needs K of 1 to 5" --climate 10 --inside class:9
echo "ok"
