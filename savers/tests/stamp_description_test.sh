#!/usr/bin/env bash
# The build step that writes "SCRNSAVE : <description>" into a saver's DOS stub, on made-up
# executables: where the text goes, that it is Shift-JIS and NUL-ended, and when it refuses.
set -uo pipefail
stamp="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/stamp_description.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
check() {  # check WHAT COMMAND...: the command must succeed
  local what="$1"; shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

# make_exe FILE LFANEW STUB_HEX: "MZ", e_lfanew at 0x3C, the stub at 0x40, "PE\0\0" at LFANEW.
make_exe() {
  local file="$1" lfanew="$2" stub="$3"
  head -c 1024 /dev/zero >"$file"
  printf 'MZ' | dd of="$file" conv=notrunc status=none
  printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((lfanew & 255)) $((lfanew >> 8 & 255)) 0 0)" |
    dd of="$file" bs=1 seek=60 conv=notrunc status=none
  printf "$(sed 's/../\\x&/g' <<<"$stub")" | dd of="$file" bs=1 seek=64 conv=notrunc status=none
  printf 'PE\0\0' | dd of="$file" bs=1 seek="$lfanew" conv=notrunc status=none
}
bytes() { od -An -tx1 -v -j "$2" -N "$3" "$1" | tr -d ' \n'; }
sjis_hex() { printf '%s' "$1" | iconv -f UTF-8 -t CP932 | od -An -tx1 -v | tr -d ' \n'; }
marker_hex() { printf 'SCRNSAVE : ' | od -An -tx1 -v | tr -d ' \n'; }

standard_stub=0e1fba0e00b409cd21b8014ccd21
make_exe "$work/a.scr" 128 "$standard_stub"
check "standard stub: stamping succeeds" bash "$stamp" "$work/a.scr" "星空の旅"
expected="$(marker_hex)$(sjis_hex 星空の旅)000d0a24"
check "standard stub: text after the stub's code, ended by NUL and \"\$\"" \
  test "$(bytes "$work/a.scr" 78 $((${#expected} / 2)))" = "$expected"
check "standard stub: the code is kept" test "$(bytes "$work/a.scr" 64 14)" = "$standard_stub"
check "standard stub: the PE header is untouched" test "$(bytes "$work/a.scr" 128 4)" = "50450000"

make_exe "$work/b.scr" 128 "9090909090909090"
check "other stub: stamping succeeds" bash "$stamp" "$work/b.scr" "夢の風"
expected="$(marker_hex)$(sjis_hex 夢の風)00"
check "other stub: text from 0x40" test "$(bytes "$work/b.scr" 64 $((${#expected} / 2)))" = "$expected"

make_exe "$work/c.scr" 128 "$standard_stub"
check "too long for the stub: refused" bash -c "! bash '$stamp' '$work/c.scr' 'あいうえおかきくけこさしすせそたちつてと' 2>/dev/null"
check "too long for the stub: the PE header is untouched" test "$(bytes "$work/c.scr" 128 4)" = "50450000"

make_exe "$work/d.scr" 96 "$standard_stub"
check "short stub before an early PE header: refused" bash -c "! bash '$stamp' '$work/d.scr' 'テスト用セーバー' 2>/dev/null"

printf 'not an executable' >"$work/e.scr"
check "no MZ: refused" bash -c "! bash '$stamp' '$work/e.scr' 'x' 2>/dev/null"

[ "$failures" = 0 ] || { echo "$failures failed"; exit 1; }
echo "all passed"
