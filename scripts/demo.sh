#!/usr/bin/env bash
# Sets up everything, builds the Windows program and its screen savers, and lets the manager play
# the bundled savers (those the release ships) from a memory list under Wine: random order, endless,
# 5 seconds each, started automatically. With a display it runs until you close the manager;
# without one it runs on our own Xvfb for QV_DEMO_SECONDS (default 40) while a screenshot is
# saved to out/demo/ every few seconds, then everything is stopped. Leaves the release package
# in out/dist/ (scripts/package.sh).
# QV_BIN=<build folder> uses an existing win32 build instead of setting up and building.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$here/.."
if [ -z "${QV_BIN:-}" ]; then
  bash scripts/setup.sh
  bash scripts/build.sh win32 qv_shipped_files
  # The download for Windows users: out/dist/QUOVEL32-<version>-win32.zip.
  bash scripts/package.sh
fi
bin="${QV_BIN:-build/win32}"
source scripts/session.sh
headless=0
[ -n "${DISPLAY:-}" ] || headless=1
trap qv_session_stop EXIT
qv_session_start

# The program and the savers inside the prefix, as an installation would place them.
c="$WINEPREFIX/drive_c"
mkdir -p "$c/QUOVEL32" "$c/QVDEMO"
# What the release ships (shipped.txt, "file=name" a line each): the savers into a folder of
# their own, the program and its library into the program's.
list=""
while IFS='=' read -r file name; do
  case "$name" in
    *.SCR) cp "$file" "$c/QVDEMO/"; list+="C:\\QVDEMO\\$name\r\n" ;;
    *.EXE | *.DLL) cp "$file" "$c/QUOVEL32/" ;;
  esac
done <"$bin/shipped.txt"
printf "$list" >"$c/windows/QVLA32M0.LIS"
key='HKCU\Software\KAPUL SOFT32\QUOVEL32'
reg() { wine reg add "$key\\$1" /v "$2" /d "$3" /f >>"$QV_STATE/demo-reg.log" 2>&1; }
reg SCR Version 16
reg EXE MEMORY "0,-1,0,0,0,1,1"           # memory mode on, M0, the savers' own names shown
reg EXE SAISEIM "3,1,1,0,0,1,1,0,1,1"     # random, endless, automatic start, full screen
reg EXE TIMER 5
reg EXE INDEX "0,0"
exe="$c/QUOVEL32/QUOVEL32.EXE"

if [ $headless = 0 ]; then
  wine "$exe" "$@"
  exit $?
fi
mkdir -p out/demo
rm -f out/demo/*.png
wine "$exe" "$@" >out/demo/program.log 2>&1 &
pid=$!
limit="${QV_DEMO_SECONDS:-40}"
for i in $(seq 1 "$limit"); do
  sleep 1
  kill -0 "$pid" 2>/dev/null || break
  if [ $((i % ${QV_DEMO_EVERY:-2})) = 0 ]; then
    qv_screenshot "out/demo/screen-$(printf %03d "$i").png"
    echo "demo: out/demo/screen-$(printf %03d "$i").png"
  fi
done
echo "demo: done after ${limit}s; screenshots in out/demo/"
