#!/usr/bin/env bash
# kondra-cli calc on the sample calculation (the worked example) and on
# damaged, refused and aborted calculations.
#   bash calc.sh <kondra-cli> <build/bin>
set -euo pipefail
cli=$(cd "$(dirname "$1")" && pwd -P)/$(basename "$1")
bin=$(cd "$2" && pwd -P)
work=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
tree() { (cd "$bin" && find DATA CAL -type f -exec cksum {} + | sort); }
before=$(tree)

mkdir -p "$work/inst"
cp -r "$bin/DATA" "$bin/CAL" "$work/inst/"
kdr="$work/inst/CAL/KDR"
sample="$kdr/TEST_KDR.KDR"
run() { "$cli" --root "$work/inst" "$@"; }
# Runs a command that must end with the given status.
expect() {
  local want=$1; shift
  set +e
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  set -e
  [ "$got" = "$want" ] || fail "$* ended with $got, not $want: $(cat "$work/err")"
}

# The worked example: table A, table B, K and P, judgement and advice.
expect 0 run calc "$sample"
for text in "判定：<ｸﾞﾗｽｳｰﾙ(例)>と<合板(例)>間で内部結露発生" \
  "熱貫流率(Ｋ値)       0.354 kcal/(m2･h･℃)" "湿気貫流率(Ｐ値)    0.0979" \
  "   3         1.0        4.91        8.70        4.91   ▲   1.90" \
  "   5       124.0       0.125       2.824       0.001      10.216" \
  "<ｸﾞﾗｽｳｰﾙ(例)>の高温側に防湿層を施工する必要があります。"; do
  grep -qF -- "$text" "$work/out" || fail "calc output lacks '$text':
$(cat "$work/out")"
done

expect 0 run calc "$sample" --json
for text in '"file": "'"$sample"'"' '"number": 1,' '"name": "外壁",' '"vertical": true' \
  '"condPlane": 3,' '"condRate": 1.9007387,' '"condPosition": "C",' '"vapourFromB": true,' \
  '"K": 0.35412368,' '"P": 0.097882934,' '"calculated": true,' '"mark": "▲"' \
  '"temp": 0.9611929,' '"vapourRes": 0.001,' \
  '"judgement": "判定：<ｸﾞﾗｽｳｰﾙ(例)>と<合板(例)>間で内部結露発生",' '" ▲   1.90"'; do
  grep -qF -- "$text" "$work/out" || fail "calc --json lacks $text"
done

expect 0 run calc --si "$sample"
grep -qF "     2339" "$work/out" || fail "no saturation pressure in Pa"
grep -qF "0.412 W/(m2･K)" "$work/out" || fail "no K value in SI units"
grep -qF "4.80E-07" "$work/out" || fail "the surface rows' rv in SI units shows no digits: $(cat "$work/out")"
! grep -qF "0.000000" "$work/out" || fail "a value shown as 0.000000 in SI units"
! grep -qF "表面結露量" "$work/out" || fail "an inner plane told as surface condensation"

# A plane on a surface boundary: the amount is told as surface condensation
# and the surface figures are pointed to, in the tables and in JSON.
expect 0 run new "$kdr/GLASS.KDR" --title 単板ガラス --part 1 --side-a -5,80 --side-b 20,60 \
  --layer "外側(αo=20)" --layer "板ｶﾞﾗｽ:3" --layer "内側(αi=8)"
expect 0 run calc "$kdr/GLASS.KDR"
for text in "判定：<板ｶﾞﾗｽ>の内側で表面結露発生" \
  "※表面結露量はα行の慣用の透湿抵抗による計算値で、実際の結露速度ではありません（【表面結露・カビの判定】参照）。"; do
  grep -qF -- "$text" "$work/out" || fail "calc output of a surface plane lacks '$text':
$(cat "$work/out")"
done
expect 0 run calc "$kdr/GLASS.KDR" --json
grep -qF '"surfacePlane": true,' "$work/out" || fail "JSON of a surface plane"
grep -qF '"condRateNote": "※表面結露量は' "$work/out" || fail "JSON note of a surface plane"

# A calculation whose check refuses: equal temperatures on both sides.
expect 0 run new "$kdr/EQUAL.KDR" --title 等温 --part 1 --side-a 20,60 --side-b 20,50 \
  --layer "外側(αo=20)" --layer "合板(例):12" --layer "内側(αi=8)"
expect 2 run calc "$kdr/EQUAL.KDR"
grep -qF "内外温度条件が等しくなっています。" "$work/err" || fail "refusal not told: $(cat "$work/err")"
expect 2 run calc "$kdr/EQUAL.KDR" --json
grep -qF '"ok": false' "$work/out" || fail "JSON of a refused check"
grep -qF '"calculated": false' "$work/out" || fail "JSON of a refused check"

# Surface condensation and mould risk beside the judgement: the sample's room
# surface is dry and its factor enough; a single glass runs wet on the room side.
expect 0 run calc "$sample"
for text in "【表面結露・カビの判定】" \
  "外側表面     表面温度  0.4 ℃  表面湿度 78.0 ％  露点との差  3.4 K  問題なし" \
  "内側表面     表面温度 19.1 ℃  表面湿度 63.4 ％  露点との差  7.1 K  問題なし" \
  "温度係数 fRsi          0.956（Rsi = 0.125 ㎡h℃/kcal）  必要値以上（カビの危険なし）" \
  "カビ判定用 fRsi        0.903（Rsi = 0.2907 ㎡h℃/kcal）  必要値以上（カビの危険なし）" \
  "必要温度係数 fRsi,min  0.772（臨界表面温度 15.4 ℃）"; do
  grep -qF -- "$text" "$work/out" || fail "calc output lacks '$text':
$(cat "$work/out")"
done
expect 0 run calc --si "$sample"
grep -qF "0.903（Rsi = 0.25 ㎡K/W）" "$work/out" || fail "no mould-check factor in SI units:
$(cat "$work/out")"
expect 0 run calc "$sample" --json
for text in '"surface": {' '"side": "B",' '"boundary": 5,' '"verdict": "問題なし"' '"insideSide": "B",' \
  '"insideSurfaceRes": 0.125,' '"mouldCheckSurfaceRes": 0.29069766,' '"sufficient": true,' \
  '"mouldCheckSufficient": true' '"factorMessage": ""'; do
  grep -qF -- "$text" "$work/out" || fail "calc --json lacks $text"
done
expect 0 run new "$kdr/GLASS0.KDR" --title 単板ガラス --part 1 --side-a 0,80 --side-b 20,60 \
  --layer "外側(αo=20)" --layer "板ｶﾞﾗｽ:3" --layer "内側(αi=8)"
expect 0 run calc "$kdr/GLASS0.KDR"
for text in "内側表面     表面温度  6.0 ℃  表面湿度150.1 ％  露点との差 -6.0 K  表面結露あり" \
  "必要値未満（カビの危険あり）"; do
  grep -qF -- "$text" "$work/out" || fail "single glass lacks '$text':
$(cat "$work/out")"
done
expect 0 run calc "$kdr/GLASS0.KDR" --json
grep -qF '"verdict": "表面結露あり"' "$work/out" || fail "single glass: no wet surface in JSON"
grep -qF '"sufficient": false,' "$work/out" || fail "single glass: factor judged enough"
expect 2 run calc "$kdr/EQUAL.KDR" --json
grep -qF '"surface": null' "$work/out" || fail "surface figures of a refused check"

# A calculation that aborts: a row with a thermal but no vapour resistance.
iconv -f CP932 -t UTF-8 "$sample" | sed 's/0.00160    7.50/0.00000    0.00/' | iconv -f UTF-8 -t CP932 >"$kdr/ABORT.KDR"
expect 3 run calc "$kdr/ABORT.KDR"
grep -qF "結露計算を中止しました。" "$work/err" || fail "abort not told: $(cat "$work/err")"

# Damaged files: told with the file's name, never a crash, status 1.
printf '\177ELF\002\001\001\000\000\000\000\000\000\000\000\000garbage' >"$kdr/BINARY.KDR"
iconv -f CP932 -t UTF-8 "$sample" >"$kdr/UTF8.KDR"
iconv -f CP932 -t UTF-8 "$sample" | sed '3s/^\(.\{30\}\).*$/\1\r/' | iconv -f UTF-8 -t CP932 >"$kdr/CUT.KDR"
iconv -f CP932 -t UTF-8 "$sample" | sed 's/№2109/№ 999/' | iconv -f UTF-8 -t CP932 >"$kdr/LABEL.KDR"
iconv -f CP932 -t UTF-8 "$sample" | sed 's/    12.0/    12.O/' | iconv -f UTF-8 -t CP932 >"$kdr/NUMBER.KDR"
for bad in BINARY:"" UTF8:UTF-8 CUT:途中で切れています LABEL:1000未満 NUMBER:数値ではありません; do
  name=${bad%%:*}
  reason=${bad#*:}
  expect 1 run calc "$kdr/$name.KDR"
  grep -qF "$kdr/$name.KDR" "$work/err" || fail "$name: the file is not named: $(cat "$work/err")"
  grep -qF "$reason" "$work/err" || fail "$name: no '$reason' in: $(cat "$work/err")"
done
expect 1 run calc "$kdr/NONE.KDR"
grep -qF "NONE.KDR" "$work/err" || fail "a missing file is not named"

# Usage errors.
expect 1 run calc
expect 1 run calc "$sample" --nosuch

[ "$(tree)" = "$before" ] || fail "build/bin was modified"
echo "ok"
