#!/usr/bin/env bash
# kondra-cli against broken files: every reader of the command line gets the
# files of tests/data/bad plus big and mis-encoded ones made here (empty, a
# 10 MB line, 1000 rows, UTF-8 instead of Shift-JIS). Each must end with a
# message naming the file, a non-zero status and no crash, and leave every
# file where it was, byte for byte.
#   bash badfiles.sh <kondra-cli> <build/bin>
set -euo pipefail
cli=$(cd "$(dirname "$1")" && pwd -P)/$(basename "$1")
bin=$(cd "$2" && pwd -P)
bad=$(cd "$(dirname "$0")/../data/bad" && pwd -P)
work=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
sums() { (cd "$work" && find inst files -type f -exec cksum {} + | sort); }

mkdir -p "$work/inst" "$work/files"
cp -r "$bin/DATA" "$bin/CAL" "$work/inst/"
dat="$work/inst/DATA/DAT"
sample="$work/inst/CAL/KDR/TEST_KDR.KDR"
cp "$bad"/* "$work/files/"
files="$work/files"

# Made here: too big to keep, or made from the installation's own files.
: >"$files/empty.KDR"
head -c 10485760 /dev/zero | tr '\0' '7' >"$files/one-line-10MB.KDR"
cp "$files/one-line-10MB.KDR" "$files/one-line-10MB.DAT"
iconv -f CP932 -t UTF-8 "$sample" >"$files/utf8.KDR"
iconv -f CP932 -t UTF-8 "$dat/部位区分.DAT" >"$files/utf8.DAT"
# A calculation with 1000 more records than it has labels for.
{
  cat "$sample"
  for ((i = 0; i < 1000; i++)); do
    printf '%06d<NSV5>    73      153\x8d\x87\x94\xc2(\x97\xe1)                12.0   0.140   0.086 0.00160    7.50 \r\n' $((3000 + i))
  done
} >"$files/rows-1000.KDR"
cp "$files/binary.bin" "$files/binary.KDR"
# A table of 1000 part classes.
cp "$dat/部位区分.DAT" "$work/parts.good"
{
  printf '%6d%6d\r\n' 1000 "$(sed -n 1p "$work/parts.good" | tr -d '\r' | awk '{ print $2 }')"
  sed -n 2p "$work/parts.good"
  for ((i = 0; i < 1000; i++)); do sed -n 3p "$work/parts.good"; done
} >"$files/rows-1000.DAT"

# Runs a command that must fail: status 1..125 (not a signal, not a
# sanitizer's abort), stderr naming `name`.
refuses() {
  local name=$1; shift
  local what="$* (${t:-})"
  set +e
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  set -e
  [ "$got" -ge 1 ] && [ "$got" -le 125 ] || fail "$what ended with $got: $(head -c 2000 "$work/err")"
  grep -qF -- "$name" "$work/err" || fail "$what: the message does not name $name: $(head -c 2000 "$work/err")"
}
run() { "$cli" --root "$work/inst" "$@"; }

before=$(sums)

# Calculation files, through calc (tables and JSON) and picture.
for f in empty binary utf8 one-line-10MB label-negative label-too-wide number-overflow number-too-long; do
  file="$files/$f.KDR"
  refuses "$f.KDR" run calc "$file"
  refuses "$f.KDR" run calc --json "$file"
  refuses "$f.KDR" run picture "$file" --kind section -o "$work/out-$f.png"
  [ ! -e "$work/out-$f.png" ] || fail "picture wrote a picture of $f.KDR"
done

# Records a calculation does not know are left alone: the 1000 extra rows
# change nothing of the calculation.
run calc --json "$sample" | grep -v '"file"' >"$work/sample.json"
run calc --json "$files/rows-1000.KDR" | grep -v '"file"' >"$work/rows.json" || fail "rows-1000.KDR was not calculated"
cmp -s "$work/sample.json" "$work/rows.json" || fail "rows-1000.KDR calculates differently from the sample"

# Table files in the installation: the materials, the part classes.
tables="empty.KDR binary.bin utf8.DAT one-line-10MB.DAT table-negative-rows.DAT table-negative-width.DAT
  table-too-many-columns.DAT table-wide-column.DAT table-count-not-number.DAT"
for t in $tables; do
  for pair in 材料物性.DAT:materials 部位区分.DAT:parts; do
    name=${pair%%:*}
    command=${pair#*:}
    cp "$dat/$name" "$work/$name.good"
    cp "$files/$t" "$dat/$name"
    refuses "$name" run "$command"
    refuses "$name" run "$command" --json
    cp "$work/$name.good" "$dat/$name"
  done
done

# More rows than a table holds, as 1000 real rows or as a row count that
# overflows its field: the first 999 are read and the cut is told, naming
# the file.
for t in rows-1000.DAT table-count-overflow.DAT; do
  cp "$files/$t" "$dat/部位区分.DAT"
  run parts --json >"$work/out" 2>"$work/err" || fail "parts of $t: $(cat "$work/err")"
  grep -qF "〔部位区分.DAT〕" "$work/err" || fail "$t: the cut at 999 rows does not name the file: $(cat "$work/err")"
  [ "$(grep -c '"number":' "$work/out")" = 999 ] || fail "$t: not 999 part classes read"
done
cp "$work/parts.good" "$dat/部位区分.DAT"

# A damaged material file beside a good calculation: every command says so,
# naming the file and the line; nothing is built on it (new refuses), what
# only reads goes on, and no file changes.
good="$work/materials.good"
cp "$dat/材料物性.DAT" "$good"
damage() {
  case $1 in
    count-10) { printf '%6d' 10; sed -n 1p "$good" | cut -c7-; sed -n '2,$p' "$good"; } ;;
    widths-0) { sed -n 1p "$good"; printf '     0%.0s' $(seq 12); printf '\r\n'; sed -n '3,$p' "$good"; } ;;
    garbage-row) { sed -n 1,3p "$good"; head -c 200000 /dev/zero | tr '\0' 'Z'; printf '\r\n'; sed -n '5,$p' "$good"; } ;;
    cut-short) head -c $(($(wc -c <"$good") / 2)) "$good" ;;
  esac
}
for d in count-10 widths-0 garbage-row cut-short; do
  damage "$d" >"$dat/材料物性.DAT"
  before=$(sums)
  t=$d
  refuses "材料物性.DAT" run new "$work/files/NEW-$d.KDR" --title T --part 1 --side-a 0,80 --side-b 20,60 \
    --layer "外側(αo=20)" --layer "内側(αi=8)"
  [ ! -e "$work/files/NEW-$d.KDR" ] || fail "new wrote a calculation from a damaged material file ($d)"
  run calc "$sample" >"$work/out" 2>"$work/err" || fail "calc of the sample beside $d: $(cat "$work/err")"
  grep -qF "〔材料物性.DAT〕が壊れています" "$work/err" || fail "calc does not say the material file is damaged ($d)"
  grep -qF "行目" "$work/err" || fail "calc does not name the line ($d): $(cat "$work/err")"
  run materials >"$work/out" 2>"$work/err" || true
  grep -qF "〔材料物性.DAT〕が壊れています" "$work/err" || fail "materials does not say the file is damaged ($d)"
  [ "$(sums)" = "$before" ] || fail "a file was changed beside $d: $(diff <(echo "$before") <(sums))"
done
cp "$good" "$dat/材料物性.DAT"
before=$(sums)

# A failed save is said once: the file to write is a folder.
mkdir "$work/files/DIR.KDR"
set +e
run new "$work/files/DIR.KDR" --force --title T --part 1 --side-a 0,80 --side-b 20,60 >"$work/out" 2>"$work/err"
got=$?
set -e
[ "$got" = 1 ] || fail "a failed save ended with $got"
[ "$(grep -c . "$work/err")" = 1 ] || fail "a failed save is not said once: $(cat "$work/err")"
grep -qF "DIR.KDR" "$work/err" || fail "a failed save does not name the file: $(cat "$work/err")"
rmdir "$work/files/DIR.KDR"

[ "$(sums)" = "$before" ] || fail "a file was changed: $(diff <(echo "$before") <(sums))"
echo "ok"
