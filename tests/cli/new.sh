#!/usr/bin/env bash
# kondra-cli new: a calculation entered through the window's checks, saved
# as 88-byte CP932 records with CR LF; refused input told with the window's
# messages (status 2).
#   bash new.sh <kondra-cli> <build/bin>
set -euo pipefail
cli=$(cd "$(dirname "$1")" && pwd -P)/$(basename "$1")
bin=$(cd "$2" && pwd -P)
work=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
tree() { (cd "$bin" && find DATA CAL -type f -exec cksum {} + | sort); }
before=$(tree)

mkdir -p "$work/inst" "$work/calc"
cp -r "$bin/DATA" "$bin/CAL" "$work/inst/"
run() { "$cli" --root "$work/inst" "$@"; }
expect() {
  local want=$1; shift
  set +e
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  set -e
  [ "$got" = "$want" ] || fail "$* ended with $got, not $want: $(cat "$work/err")"
}
example=(--title "サンプル計算：木造外壁（合板・グラスウール・石膏板）" --part 1 --side-a 0,80 --side-b 20,60
  --layer "外側(αo=20)" --layer "合板(例):12" --layer "ｸﾞﾗｽｳｰﾙ(例):100" --layer "石膏板(例):12" --layer "内側(αi=8)")

# The worked example entered again (relative path, from another folder).
(cd "$work/calc" && "$cli" --root "$work/inst" new W1.KDR "${example[@]}" >"$work/out") || fail "new W1.KDR"
file="$work/calc/W1.KDR"
[ -f "$file" ] || fail "W1.KDR was not written"
grep -qF "$file" "$work/out" || fail "the new file is not named"
# Every line 88 bytes of CP932 and CR LF; header, four condition records, nine layer records.
iconv -f CP932 -t UTF-8 "$file" >/dev/null || fail "not CP932"
[ "$(wc -c <"$file")" = $((14 * 90)) ] || fail "size $(wc -c <"$file")"
[ "$(grep -c $'\r$' "$file")" = 14 ] || fail "lines without CR LF"
[ "$(LC_ALL=C awk '{ if (length($0) != 89) print NR }' "$file")" = "" ] || fail "a line is not 88 bytes"
# The same records as the sample the build entered (the header holds the time).
cmp <(tail -n +2 "$file") <(tail -n +2 "$work/inst/CAL/KDR/TEST_KDR.KDR") || fail "differs from the sample"

# Values with more digits than the layout's decimals are kept as entered: a
# 0.15 mm film, rock's p 0.000009, the λ 0.0284 of dense glass wool and the
# r 0.1667 of a still inner surface; nothing to tell about them.
expect 0 run new "$work/calc/DIGITS.KDR" --title 桁 --part 1 --side-a 0,80 --side-b 20,60 \
  --layer "内側(αi=6)" --layer "合板:0.15" --layer "岩石:200" --layer "ｸﾞﾗｽｳｰﾙ96K:50" --layer "外側(αo=20)"
digits=$(iconv -f CP932 -t UTF-8 "$work/calc/DIGITS.KDR")
for field in "    0.15  0.1376" "0.000009" "  0.0284" "  0.1667"; do
  grep -qF -- "$field" <<<"$digits" || fail "a layer record lacks '$field':
$digits"
done
! grep -qF "8桁の欄" "$work/err" || fail "a value told as not kept: $(cat "$work/err")"
iconv -f CP932 -t UTF-8 "$file" | grep -qF "   0.050 0.00000   0.001 " || fail "the α row's rv 0.001 was not kept"
expect 0 run calc "$file" --json
grep -qF '"condRate": 1.9007387,' "$work/out" || fail "the new file does not calculate as the worked example"

# An existing file stays unless --force.
cp "$file" "$work/keep"
expect 1 run new "$file" "${example[@]}"
grep -qF -- "--force" "$work/err" || fail "no hint at --force"
cmp "$file" "$work/keep" || fail "the existing file was changed"
expect 0 run new "$file" --force "${example[@]}"

# Clamped conditions are told and stored at their limits.
expect 0 run new "$work/calc/COLD.KDR" --title 寒冷地 --part 3 --side-a -80,50 --side-b 22,100 \
  --layer "外側(αo=20)" --layer "合板(例):9" --layer "内側(αi=10)"
grep -qF -- "-50.0℃ として入力しました" "$work/err" || fail "clamped temperature not told"
grep -qF "99% として入力しました" "$work/err" || fail "clamped humidity not told"
expect 0 run calc "$work/calc/COLD.KDR" --json
grep -qF '"temp": -50.0,' "$work/out" || fail "temperature not stored as -50"
grep -qF '"relHum": 99.0,' "$work/out" || fail "humidity not stored as 99"
grep -qF '"vertical": false' "$work/out" || fail "a roof is not vertical"

# Refused input: the window's messages, status 2, no file.
refused() {
  local message=$1; shift
  expect 2 run new "$work/calc/BAD.KDR" --title t --part 1 --side-a 0,80 --side-b 20,60 "$@"
  grep -qF -- "$message" "$work/err" || fail "no '$message' in: $(cat "$work/err")"
  [ ! -e "$work/calc/BAD.KDR" ] || fail "a refused calculation was saved"
}
refused "※まず最初は＜熱伝達率α＞を選んで下さい。" --layer "合板(例):12"
refused "※＜熱伝達率α＞は連続して入力することはできません。" --layer "外側(αo=20)" --layer "内側(αi=8)"
refused "層構成の最初と最後は＜熱伝達率α＞を選んで下さい。" --layer "外側(αo=20)" --layer "合板(例):12"
refused "材料物性.DATにない材料名" --layer "外側(αo=20)" --layer "鉄筋ｺﾝｸﾘｰﾄ(昔):150"
refused "の厚さ(mm)がありません" --layer "外側(αo=20)" --layer "合板(例)" --layer "内側(αi=8)"
refused "は入力できません" --layer "外側(αo=20)" --layer "合板(例):0" --layer "内側(αi=8)"
refused "は層構成に入力できません" --layer "外側(αo=20)" --layer "-<未登録>-:5" --layer "内側(αi=8)"
expect 2 run new "$work/calc/BAD.KDR" --title t --part 99 --side-a 0,80 --side-b 20,60
grep -qF "部位№99" "$work/err" || fail "an unknown part class is not told"

# Usage errors: status 1.
expect 1 run new "$work/calc/BAD.KDR" --title t --part 1 --side-a 0,80
expect 1 run new "$work/calc/BAD.KDR" --title t --part 1 --side-a 0 --side-b 20,60
expect 1 run new --title t --part 1 --side-a 0,80 --side-b 20,60

[ "$(tree)" = "$before" ] || fail "build/bin was modified"
echo "ok"
