#!/usr/bin/env bash
# Power saving: with a 10-second display time and a power-saving time of 10 seconds, the first
# logging test saver is not ended by the injected key but left running until the user moves the
# mouse; the next one is left running too (after the grace of 8 seconds, before its display time
# is up). 中断 then ends it by the Escape key-down sent to every window, and the run stops.
source "$(dirname "$0")/../lib.sh"

C="$WINEPREFIX/drive_c"
EXE_KEY="$KEY\\QUOVEL32\\EXE"
installed 16
rm -rf "$C/QUOVEL32" "$C/SLEEP SAVERS" "$C"/windows/QVLA32M*.LIS "$C/windows/QUOVEL32CD.LIS" "$C/windows/QUOVEL32.Tim"
mkdir -p "$C/QUOVEL32" "$C/SLEEP SAVERS"
cp "$EXE" "$C/QUOVEL32/QUOVEL32.EXE"
list=""
for n in SAVERA SAVERB; do
  cp "$BIN/savers/TESTSAVE.SCR" "$C/SLEEP SAVERS/$n.SCR"
  list+="C:\\SLEEP SAVERS\\$n.SCR\r\n"
done
printf "$list" >"$C/windows/QVLA32M4.LIS"

reg() { reg_set "$EXE_KEY" "$@"; }
reg MEMORY "0,-1,0,0,4,0,0"              # memory mode on, M4 current, names not shown
reg TIMER 10
reg STIMER 10
reg FILEHIS 0
reg INDEX "0,0"
reg SAISEIM "0,1,1,0,0,1,1,0,1,0"        # 連続, endless, automatic start, 実行, file timers off
saver_log
# still_showing N SECONDS: for that long, no more than N savers have ended.
still_showing() {
  sleep "$2"
  [ "$(ends)" -le "$1" ] || { log "saver log:"; cat "$LOG"; fail "a saver was ended before the user came back"; }
}

start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
wait_count starts 1 20
still_showing 0 15                       # past the display time of 10 s: SAVERA stays
shot left_running
# The user comes back: a mouse move ends the saver; the run goes on with the next one.
xdotool mousemove_relative -- 40 40 2>/dev/null || fail "xdotool"
sleep 0.3
xdotool mousemove_relative -- 40 40 2>/dev/null || true
wait_count ends 1 10
wait_count starts 2 15
still_showing 1 13                       # SAVERB is left running after 8 s, before its 10 s
probe click TQUOVEL32KAPUL "中断" >/dev/null || fail "no 中断 button"
wait_count ends 2 10
sleep 3
[ "$(starts)" = 2 ] || { cat "$LOG"; fail "a saver started after 中断"; }
probe close TQUOVEL32KAPUL >/dev/null
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "manager exit code $rc"

log "saver log:"; cat "$LOG"
awk '
  / start / { s++; name[$3] = $2; startMs[$3] = $1 }
  / end / {
    e++; d = $1 - startMs[$3]
    print name[$3] " showed for " d " ms and ended by " $5
    if (e == 1 && (name[$3] != "SAVERA" || d < 14000 || $5 != "reason=mouse-move")) bad = 1
    if (e == 2 && (name[$3] != "SAVERB" || d < 12000 || $5 != "reason=escape")) bad = 1
  }
  END { if (s != 2 || e != 2) { print s " starts, " e " ends"; bad = 1 } exit bad }
' <(tr -d '\r' <"$LOG") || fail "the savers were not left running as expected"
log "SAVERA left running until the mouse moved, SAVERB left running until 中断 sent Escape"
