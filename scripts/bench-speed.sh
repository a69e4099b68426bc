#!/usr/bin/env bash
# Benchmarks (not tests) of the waits a user sees, each side by side with its yardstick in one
# run under Wine:
#   - bulk registration of 32,000 savers in 100 folders against a bare recursive enumeration
#     (goal: 5 x or less with names off), with the time of each step of a folder's visit;
#   - the manager's start to its visible window against a minimal Win32 window (median of 7
#     alternating runs; goal: 2 x or less);
#   - the file list of 10,000 savers with names shown against a bare enumeration (goals: first
#     listing 3 x, later listings 1.5 x).
#   bench-speed.sh [BUILD-FOLDER]   (default build/win32; configured for the cross build if new)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$here/.."
bin="${1:-build/win32}"
bash scripts/setup.sh >/dev/null
cmake --preset win32 -B "$bin" >/dev/null   # as shipped: optimised for size
cmake --build "$bin" -j2 --target QUOVEL32 minimal_window start_wine_bench registration_wine_bench \
  file_list_wine_bench >/dev/null
source scripts/session.sh
trap qv_session_stop EXIT
qv_session_start

echo "== bulk registration"
wine "$bin/tests/browse/win32/registration_wine_bench.exe"
echo
echo "== file list"
wine "$bin/tests/browse/win32/file_list_wine_bench.exe"
echo

# The manager starts as it does every day: settings of this version, so no installer.
c="$WINEPREFIX/drive_c"
work="$c/QVSTART"
rm -rf "$work"; mkdir -p "$work"
cp "$bin/src/app/QUOVEL32.EXE" "$work/"
key='HKCU\Software\KAPUL SOFT32\QUOVEL32'
reg() { wine reg add "$key\\$1" /v "$2" /d "$3" /f >>"$QV_STATE/bench-speed-reg.log" 2>&1; }
reg SCR Version 16
# A working folder as the installer leaves one: without it the start asks for one first.
mkdir -p "$c/QVWORK"
reg SCR TMPQVLA 'C:\QVWORK'
echo "== start-up"
wine "$bin/tests/app/win32/start_wine_bench.exe" "C:\\QVSTART\\QUOVEL32.EXE" \
  "$(winepath -w "$bin/tests/app/win32/minimal_window.exe")"
