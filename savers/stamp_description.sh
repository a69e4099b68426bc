#!/usr/bin/env bash
# Writes "SCRNSAVE : <description>" in Shift-JIS, ended by a NUL byte, into the DOS stub of a
# linked saver, where programs that read a saver's first bytes look for its description.
#   stamp_description.sh FILE DESCRIPTION      (DESCRIPTION in UTF-8)
# With the usual stub (14 bytes of code at 0x40 that print the text at 0x4E up to a "$") only
# the text is replaced, so the stub still works: it prints the description. The PE header
# begins at e_lfanew; the build fails when the text would reach it.
set -euo pipefail
file="$1"
description="$2"

magic=$(od -An -tx1 -N2 "$file" | tr -d ' \n')
[ "$magic" = "4d5a" ] || { echo "stamp_description: $file is not an MZ executable" >&2; exit 1; }
lfanew=$(od -An -tu4 --endian=little -j60 -N4 "$file" | tr -d ' \n')
code=$(od -An -tx1 -j64 -N14 "$file" | tr -d ' \n')
if [ "$code" = "0e1fba0e00b409cd21b8014ccd21" ]; then
  offset=$((0x4E))
else
  offset=$((0x40))
fi

text=$(mktemp)
trap 'rm -f "$text"' EXIT
{
  printf 'SCRNSAVE : '
  printf '%s' "$description" | iconv -f UTF-8 -t CP932
  printf '\000\r\n$'
} >"$text"
size=$(stat -c %s "$text")
if [ $((offset + size)) -gt "$lfanew" ]; then
  echo "stamp_description: '$description' ($size bytes at $offset) does not fit before the PE header at $lfanew" >&2
  exit 1
fi
dd if="$text" of="$file" bs=1 seek="$offset" conv=notrunc status=none
