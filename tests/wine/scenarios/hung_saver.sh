#!/usr/bin/env bash
# A saver that ignores the injected key, every input and every request to close (HANG.SCR, the
# test saver under that name, which also starts a second copy of itself) does not hold the run:
# some seconds after the key its windows are asked to close, a few seconds later it is ended with
# the copy it started, the run goes on with the next saver and the information line names it.
# 中断 during that wait ends it at once. No process of it is left either way.
source "$(dirname "$0")/../lib.sh"

fresh_manager
DIR="$C/HANG SAVERS"
rm -rf "$DIR"
mkdir -p "$DIR"
trap 'cleanup; rm -rf "$DIR"' EXIT
cp "$BIN/savers/TESTSAVE.SCR" "$DIR/HANG.SCR"
cp "$BIN/savers/TESTSAVE.SCR" "$DIR/NEXT.SCR"
printf 'C:\\HANG SAVERS\\HANG.SCR\r\nC:\\HANG SAVERS\\NEXT.SCR\r\n' >"$C/windows/QVLA32M3.LIS"
reg() { reg_set "$EXE_KEY" "$@"; }
reg MEMORY "0,-1,0,0,3,0,0"              # memory mode on, M3 current, names not shown
reg SAISEIM "0,0,0,0,0,1,1,0,1,1"        # 連続, once through, 実行
reg TIMER 3
reg FILEHIS 0
reg INDEX "0,0"
saver_log
# Ended processes may stay as zombies of their Unix parent for a while; they run no more.
hang_processes() { ps -eo args | grep -i 'HANG.SCR' | grep -v -e grep -e '<defunct>' || true; }
play() {
  probe press TQUOVEL32KAPUL "再 生" || fail "no 再 生 button"
  wait_count starts "$1" 20
}

start_as "$C/QUOVEL32/QUOVEL32.EXE"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
wait_for 'item C:.HANG SAVERS.NEXT.SCR' "the memory list is not filled"

# The run goes on to NEXT.SCR once HANG.SCR and its copy have been ended.
play 1
sleep 2
[ "$(hang_processes | wc -l)" -ge 2 ] || fail "HANG.SCR did not start its copy: $(hang_processes)"
shot hanging
wait_count starts 2 30
grep -q ' NEXT pid=[0-9]* start ' "$LOG" || { cat "$LOG"; fail "the second saver is not NEXT.SCR"; }
[ -z "$(hang_processes)" ] || fail "processes of HANG.SCR are left: $(hang_processes)"
wait_count ends 1 15
sleep 1
expect_text TQUOVEL32KAPUL '応答が無く強制終了：HANG.SCR'
shot after-run

# 中断 while the run waits for HANG.SCR to end: ended at once, nothing more is played.
: >"$LOG"
play 1
sleep 5                                  # its 3 s display time is over, the key was ignored
probe click TQUOVEL32KAPUL "中断" || fail "no 中断 button"
t=0
while [ -n "$(hang_processes)" ]; do
  sleep 0.5; t=$((t + 1))
  [ $t -lt 16 ] || fail "HANG.SCR is still running 8 s after 中断: $(hang_processes)"
done
sleep 3
[ "$(starts)" = 1 ] || { cat "$LOG"; fail "a saver started after 中断"; }
log "ok"
