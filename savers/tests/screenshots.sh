#!/usr/bin/env bash
# Pictures of every saver full screen and of one settings dialog, for a look by eye:
#   savers/tests/screenshots.sh [BUILD_DIR] [OUT_DIR]     (defaults: build/win32, out/savers)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build/win32}"
out="${2:-$root/out/savers}"
mkdir -p "$out"
for saver in STARS YUME PLASMA TESTSAVE; do
  bash "$root/scripts/wine-run.sh" --screenshot "$out/$saver.png" --after 3 --timeout 6 \
    "$build/savers/$saver.SCR" /s >/dev/null 2>&1 || true
  [ -s "$out/$saver.png" ] || { echo "no picture of $saver" >&2; exit 1; }
  echo "$out/$saver.png"
done
bash "$root/scripts/wine-run.sh" --screenshot "$out/settings-STARS.png" --after 3 --timeout 5 \
  "$build/savers/STARS.SCR" /c >/dev/null 2>&1 || true
echo "$out/settings-STARS.png"
