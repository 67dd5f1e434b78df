#!/usr/bin/env bash
# kondra-cli finds an installation (its own, or the one named by --root)
# and reads it without rewriting the environment file.
#   bash env.sh <kondra-cli> <build/bin>
set -euo pipefail
cli=$1
bin=$(cd "$2" && pwd -P)
work=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The build's own installation.
before=$(cksum <"$bin/DATA/利用環境.WIN")
"$cli" env >"$work/own.json" || fail "env on the build's installation"
grep -q "\"root\": \"$bin\"" "$work/own.json" || fail "root is not $bin: $(head -c 400 "$work/own.json")"
[ "$(cksum <"$bin/DATA/利用環境.WIN")" = "$before" ] || fail "the environment file was rewritten"

# A copy named by --root (either spelling, before or after the command).
mkdir -p "$work/inst"
cp -r "$bin/DATA" "$work/inst/DATA"
before=$(cksum <"$work/inst/DATA/利用環境.WIN")
for args in "--root $work/inst env" "env --root=$work/inst"; do
  # shellcheck disable=SC2086
  "$cli" $args >"$work/copy.json" || fail "kondra-cli $args"
  grep -q "\"root\": \"$work/inst\"" "$work/copy.json" || fail "root is not the copy: $(head -c 400 "$work/copy.json")"
  grep -q '"countryName": "日本"' "$work/copy.json" || fail "country"
  grep -q '"unitSystem": "工学単位"' "$work/copy.json" || fail "unit system"
done
[ "$(cksum <"$work/inst/DATA/利用環境.WIN")" = "$before" ] || fail "the copy's environment file was rewritten"

# No installation there: a clear message and a failing status.
if "$cli" --root "$work/none" env >"$work/out" 2>"$work/err"; then fail "started without an installation"; fi
grep -q "利用環境ファイルが見つからないので、プログラムは実行できません。" "$work/err" || fail "message: $(cat "$work/err")"
[ ! -e "$work/none" ] || fail "created the missing folder"

# Malformed options and unknown commands.
if "$cli" env --root 2>"$work/err"; then fail "--root without a folder"; fi
grep -q -- "--root" "$work/err" || fail "message: $(cat "$work/err")"
if "$cli" --root "$work/inst" nosuch 2>"$work/err"; then fail "an unknown command"; fi
grep -q "unknown command 'nosuch'" "$work/err" || fail "message: $(cat "$work/err")"
echo "ok"
