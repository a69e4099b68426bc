#!/usr/bin/env bash
# Layer rule: <windows.h> belongs to the win32 backends, the program's entry point, the savers and
# the Wine-side tests only. Prints the offenders and fails when there are any.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bad=$(grep -rlE '#[[:space:]]*include[[:space:]]*[<"]windows\.h[>"]' src savers tests 2>/dev/null \
      | grep -vE '(^|/)win32/|^src/app/main[^/]*$|^savers/|^tests/wine/' || true)
if [ -n "$bad" ]; then
  echo "layers: <windows.h> included outside the win32 folders:"
  echo "$bad"
  exit 1
fi
echo "layers: <windows.h> only in win32 folders, app/main and savers"
