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

# Include direction: a folder of src/ includes only its own headers and those of the layers below
# it (app > setup > play, fileops > store > browse > common > forms > gui > platform > text);
# lzh is a library of its own over text.
rank() {
  case "$1" in
    text) echo 0 ;; platform) echo 1 ;; gui) echo 2 ;; forms) echo 3 ;; common) echo 4 ;;
    browse) echo 5 ;; store) echo 6 ;; play | fileops) echo 7 ;; setup) echo 8 ;; app) echo 9 ;;
    lzh) echo 1 ;; *) echo "" ;;
  esac
}
bad=0
while IFS=: read -r file _ include; do
  from=$(cut -d/ -f2 <<<"$file")
  to=$(sed -E 's/.*"([a-z0-9_]+)\/.*/\1/' <<<"$include")
  [ "$from" = "$to" ] && continue
  rf=$(rank "$from") rt=$(rank "$to")
  [ -z "$rf" ] || [ -z "$rt" ] && continue
  allowed=1
  if [ "$from" = lzh ]; then [ "$to" = text ] || allowed=0
  elif [ "$to" = lzh ]; then [ "$from" = app ] || [ "$from" = fileops ] || allowed=0
  elif [ "$rt" -ge "$rf" ]; then allowed=0
  fi
  if [ "$allowed" = 0 ]; then
    echo "layers: $file includes $to/ from a lower or equal layer: $include"
    bad=1
  fi
done < <(grep -rnE '^#[[:space:]]*include[[:space:]]*"[a-z0-9_]+/' src)
[ "$bad" = 0 ] || exit 1
echo "layers: every include runs from a higher layer to a lower one"
