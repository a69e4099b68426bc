#!/usr/bin/env bash
# Measures, side by side in one run on a desktop of two monitors, the time no saver shows between
# two savers when one saver plays at a time (MONITORS 0) and between two rounds when each monitor
# plays a saver of its own (MONITORS 1): from the last end of a saver (of a round) to the next
# start. The manager plays 16 logging test savers each way (display time 1 s, 連続, no endless,
# automatic start). Prints the gaps, both means and their difference; a measurement, not a test:
# it fails only when either way gives no gap to measure.
#   bench-screens.sh [BUILD-FOLDER]   (default build/win32, which must hold QUOVEL32.EXE and TESTSAVE.SCR)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$here/.."
QV_BIN="$(cd "${1:-build/win32}" && pwd)"
export QV_BIN
source scripts/session.sh
trap qv_session_stop EXIT
qv_session_start
# The scenarios' helpers: the clean prefix, the display of two monitors, the saver log.
source tests/wine/lib.sh
two_monitors
trap 'cleanup; two_monitors_stop; qv_session_stop' EXIT

fresh_manager
N=16
mkdir -p "$C/QVBENCH"
list=""
for i in $(seq -w 1 $N); do
  cp "$BIN/savers/TESTSAVE.SCR" "$C/QVBENCH/SAVER$i.SCR"
  list+="C:\\QVBENCH\\SAVER$i.SCR\r\n"
done
printf "$list" >"$C/windows/QVLA32M3.LIS"
reg_set "$EXE_KEY" MEMORY "0,-1,0,0,3,0,0"
reg_set "$EXE_KEY" SAISEIM "0,0,1,0,0,1,1,0,1,1"     # 連続, no endless, automatic start, full screen
reg_set "$EXE_KEY" TIMER 1
reg_set "$EXE_KEY" FILEHIS 0
saver_log

# play MONITORS: the list played once with that setting; the log kept as monitors-MONITORS.log.
play() {
  : >"$LOG"
  reg_set "$EXE_KEY" MONITORS "$1"
  reg_set "$EXE_KEY" INDEX "0,0"
  start_as "$C/QUOVEL32/QUOVEL32.EXE"
  local pid t
  pid="$(last_pid)"
  for t in $(seq 1 600); do [ "$(ends)" -ge $N ] && break; sleep 0.2; done
  sleep 1
  probe close TQUOVEL32KAPUL >/dev/null || true
  wait_exit "$pid" 20 >/dev/null || true
  tr -d '\r' <"$LOG" >"$OUTDIR/monitors-$1.log"
}
# gaps MONITORS: each start that follows an end, less the time of that end (ms), one a line; with
# MONITORS 1 only the starts of savers in our windows ("/p"), not of a whole-desktop fall-back.
gaps() {
  local args=/s; [ "$1" = 0 ] || args=/p
  awk -v a="args=$args" '$4 == "end" { e = $1 } $4 == "start" && e { if ($5 == a) print $1 - e; e = 0 }' "$OUTDIR/monitors-$1.log"
}
mean() { awk '{ s += $1; n++ } END { if (n) printf "%d", s / n }'; }

play 0
play 1
for m in 0 1; do
  log "MONITORS $m: $(gaps $m | tr '\n' ' ')"
  [ -n "$(gaps $m)" ] || { cat "$OUTDIR/monitors-$m.log"; fail "no gap measured with MONITORS $m"; }
done
one="$(gaps 0 | mean)" each="$(gaps 1 | mean)"
echo "one saver at a time:      $(gaps 0 | wc -l) gaps, mean $one ms"
echo "a saver on each monitor:  $(gaps 1 | wc -l) gaps, mean $each ms"
echo "difference: $((each - one)) ms (the aim: at most 200 ms)"
