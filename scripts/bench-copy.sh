#!/usr/bin/env bash
# Benchmark (not a test): the program's file copy against the system's CopyFileW on a 256 MiB
# file under Wine, in one run that alternates the two. Prints MiB/s per run, the medians and
# their ratio (goal: 0.9 or more).
#   bench-copy.sh [BUILD-FOLDER]   (default build/win32; configured for the cross build if new)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$here/.."
bin="${1:-build/win32}"
bash scripts/setup.sh >/dev/null
cmake --preset win32 -B "$bin" >/dev/null   # as shipped: optimised for size
cmake --build "$bin" -j2 --target copy_wine_bench >/dev/null
source scripts/session.sh
trap qv_session_stop EXIT
qv_session_start
wine "$bin/tests/fileops/win32/copy_wine_bench.exe"
