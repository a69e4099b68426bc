#!/usr/bin/env bash
# Checks that each given Windows binary is a 32-bit (i386) PE file of the expected kind and
# imports only libraries that Windows takes from its own folders (scripts/check-imports.py).
#   check-pe.sh gui|dll FILE...
set -euo pipefail
kind="$1"; shift
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
  python3 "$(dirname "${BASH_SOURCE[0]}")/check-imports.py" "$f" || status=1
  [ $status = 0 ] && echo "check-pe: $(basename "$f"): $desc"
done
exit $status
