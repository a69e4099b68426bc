#!/usr/bin/env bash
# Measures the gap between one saver's exit and the next one's start when the manager plays 20
# logging test savers in a row under Wine (display time 1 s, 連続, no endless play). Prints the
# gaps and their minimum, mean and maximum; a measurement, not a test.
# What a gap is made of: the test saver exits as the Shift key arrives, and the chain then runs
# Timer8 (first wait 300 ms, counted from the key), Timer4, Timer2 and Timer1 (300 ms each) before
# the next process starts, so 1.2 s of every gap are the chain's own intervals; the rest is timer
# lateness, the work of the steps in between and the new process's start.
#   bench-play.sh [BUILD-FOLDER]   (default build/win32, which must hold QUOVEL32.EXE and TESTSAVE.SCR)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$here/.."
bin="${1:-build/win32}"
source scripts/session.sh
trap qv_session_stop EXIT
qv_session_start

c="$WINEPREFIX/drive_c"
work="$c/QVBENCH"
rm -rf "$work"; mkdir -p "$work"
cp "$bin/src/app/QUOVEL32.EXE" "$work/"
list=""
for i in $(seq -w 1 20); do
  cp "$bin/savers/TESTSAVE.SCR" "$work/SAVER$i.SCR"
  list+="C:\\QVBENCH\\SAVER$i.SCR\r\n"
done
printf "$list" >"$c/windows/QVLA32M3.LIS"
key='HKCU\Software\KAPUL SOFT32\QUOVEL32'
reg() { wine reg add "$key\\$1" /v "$2" /d "$3" /f >>"$QV_STATE/bench-play-reg.log" 2>&1; }
reg SCR Version 16
reg EXE MEMORY "0,-1,0,0,3,0,0"
reg EXE SAISEIM "0,0,1,0,0,1,1,0,1,1"     # 連続, no endless, automatic start, full screen
reg EXE TIMER 1
reg EXE INDEX "0,0"
mkdir -p out
log="$QV_ROOT/out/bench-play.log"
: >"$log"
QV_SAVER_LOG="$(winepath -w "$log" 2>/dev/null)"
export QV_SAVER_LOG
wine "$work/QUOVEL32.EXE" >"$QV_STATE/bench-play-program.log" 2>&1 &
pid=$!
for t in $(seq 1 600); do
  [ "$(grep -c ' end ' "$log" || true)" -ge 20 ] && break
  sleep 0.2
done
sleep 1
kill "$pid" 2>/dev/null || true
tr -d '\r' <"$log" | awk '
  / start / { if (lastEnd) { g = $1 - lastEnd; n++; sum += g; if (!min || g < min) min = g; if (g > max) max = g
                             printf "gap %2d: %4d ms\n", n, g } }
  / end / { lastEnd = $1 }
  END { if (n) printf "%d gaps: min %d ms, mean %d ms, max %d ms\n", n, min, sum / n, max; else print "no gaps measured" }'
