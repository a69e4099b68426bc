#!/usr/bin/env bash
# Checks that each given Windows binary is a 32-bit (i386) PE file of the expected kind and
# imports only DLLs that every Windows has, so nothing has to be shipped beside it.
#   check-pe.sh gui|dll FILE...
set -euo pipefail
kind="$1"; shift
allowed='^(kernel32|user32|gdi32|shell32|advapi32|comctl32|comdlg32|ole32|oleaut32|shlwapi|mpr|msvcrt|winmm|version|imm32|msimg32|ws2_32)\.dll$'
status=0
for f in "$@"; do
  desc="$(file -b "$f")"
  case "$kind" in
    gui) want='PE32 executable (GUI) Intel 80386' ;;
    dll) want='PE32 executable (DLL)' ;;
  esac
  if [[ "$desc" != *"$want"* ]] || [[ "$desc" != *"Intel 80386"* ]]; then
    echo "check-pe: $f is '$desc', expected '$want'"; status=1
  fi
  while read -r dll; do
    if ! grep -Eqi "$allowed" <<<"$dll"; then echo "check-pe: $f imports $dll"; status=1; fi
  done < <(i686-w64-mingw32-objdump -p "$f" | sed -n 's/^[[:space:]]*DLL Name: //p')
  [ $status = 0 ] && echo "check-pe: $(basename "$f"): $desc; imports $(i686-w64-mingw32-objdump -p "$f" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')"
done
exit $status
