#!/usr/bin/env bash
# The manager plays a memory list of logging test savers: started automatically after start-up in
# 連続 order, endless, with a 3-second display time. The savers' log shows each one started with
# "/s" in list order, ended by the injected key after about 3 s, and the next one started only
# after the previous one had ended; 中断 ends the run. Then in 設定 mode every saver is opened with
# "/c" and the next one only after its settings dialog was closed.
source "$(dirname "$0")/../lib.sh"

C="$WINEPREFIX/drive_c"
EXE_KEY="$KEY\\QUOVEL32\\EXE"
installed 16
rm -rf "$C/QUOVEL32" "$C/PLAY SAVERS" "$C"/windows/QVLA32M*.LIS "$C/windows/QUOVEL32CD.LIS"
mkdir -p "$C/QUOVEL32" "$C/PLAY SAVERS"
cp "$EXE" "$C/QUOVEL32/QUOVEL32.EXE"
NAMES=(SAVERA SAVERB SAVERC)
list=""
for n in "${NAMES[@]}"; do
  cp "$BIN/savers/TESTSAVE.SCR" "$C/PLAY SAVERS/$n.SCR"
  list+="C:\\PLAY SAVERS\\$n.SCR\r\n"
done
# After the savers: an extra row and rows of missing files, skipped silently; they lengthen the gap
# in which 中断 is pressed (a click on the manager while a saver shows would take the keyboard
# focus from the saver, which no user can do without ending the saver first).
list+="C:\\PLAY SAVERS\\SAVERA.SCR\r\n"
for n in 1 2 3 4; do list+="C:\\PLAY SAVERS\\GONE$n.SCR\r\n"; done
printf "$list" >"$C/windows/QVLA32M3.LIS"

reg() { reg_set "$EXE_KEY" "$@"; }
reg MEMORY "0,-1,0,0,3,0,0"              # memory mode on, M3 current, names not shown
reg TIMER 3
reg FILEHIS 0
reg INDEX "0,0"
saver_log
manager_title() { probe text TQUOVEL32KAPUL | head -1; }
stop_run() {
  probe click TQUOVEL32KAPUL "中断" || fail "no 中断 button"
}
close_manager() {
  probe close TQUOVEL32KAPUL >/dev/null
  set +e; wait_exit "$1" 20; local rc=$?; set -e
  [ "$rc" = 0 ] || fail "manager exit code $rc"
}

# --- 実行: full screen, 連続, endless, 3 s -------------------------------------------------------
reg SAISEIM "0,1,1,0,0,1,1,0,1,1"        # 連続, endless, automatic start, 実行
start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
wait_count starts 1 20
sleep 1.5
shot saver
wait_count ends 1 10
shot backdrop
wait_count starts 4 30
wait_count ends 4 10
stop_run
sleep 6
[ "$(starts)" = 4 ] || { cat "$LOG"; fail "a saver started after 中断"; }
title="$(manager_title)"
grep -q "QUOVEL32 EXE版" <<<"$title" || fail "title after the run: $title"
close_manager "$pid"

log "saver log (実行):"; cat "$LOG"
# Each line: <ms> <name> pid=<pid> start args=<args> | end reason=<reason>
awk -v names="SAVERA SAVERB SAVERC SAVERA" '
  BEGIN { n = split(names, want, " ") }
  / start / {
    s++
    if ($2 != want[s]) { print "start " s " is " $2 ", expected " want[s]; bad = 1 }
    if ($5 != "args=/s") { print "start " s " has " $5; bad = 1 }
    if (s > 1 && $1 < lastEnd) { print "start " s " before the previous saver ended"; bad = 1 }
    if (s > 1 && startPid[s - 1] == $3) { print "start " s " reuses a pid"; bad = 1 }
    startPid[s] = $3; startMs[$3] = $1
  }
  / end / {
    e++; lastEnd = $1
    if ($5 != "reason=key") { print "end " e " is " $5; bad = 1 }
    d = $1 - startMs[$3]
    if (d < 2500 || d > 5000) { print "saver " e " showed for " d " ms"; bad = 1 }
  }
  END { if (s != 4 || e != 4) { print s " starts, " e " ends"; bad = 1 } exit bad }
' <(tr -d '\r' <"$LOG") || fail "the run did not play as expected"
log "4 savers in list order, each ended by the key after about 3 s, none overlapping"

# --- 設定: settings dialogs one after another ------------------------------------------------------
: >"$LOG"
reg SAISEIM "0,1,1,0,0,1,1,0,0,1"        # 連続, endless, automatic start, 設定
reg INDEX "0,0"
start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
wait_count starts 1 20
probe wait-window "#32770" 10000 >/dev/null || fail "no settings dialog"
shot settings
sleep 5                                   # longer than the display time: the dialog stays
[ "$(starts)" = 1 ] || { cat "$LOG"; fail "next saver started while the dialog was open"; }
probe close "#32770" >/dev/null || fail "cannot close the dialog"
wait_count starts 2 10
stop_run
probe wait-window "#32770" 10000 >/dev/null || fail "no second settings dialog"
probe close "#32770" >/dev/null || true
wait_count ends 2 10
sleep 2
[ "$(starts)" = 2 ] || { cat "$LOG"; fail "a saver started after 中断"; }
close_manager "$pid"
log "saver log (設定):"; cat "$LOG"
awk '
  / start / { s++; if ($5 != "args=/c") { print "start " s " has " $5; bad = 1 }
              if (s > 1 && $1 < lastEnd) { print "start " s " overlaps"; bad = 1 }
              if (s == 1 && $2 != "SAVERA" || s == 2 && $2 != "SAVERB") { print "start " s " is " $2; bad = 1 } }
  / end / { lastEnd = $1 }
  END { if (s != 2) { print s " starts"; bad = 1 } exit bad }
' <(tr -d '\r' <"$LOG") || fail "設定 mode did not open the dialogs one after another"
log "設定 mode opened SAVERA and SAVERB with /c, one after the other"
