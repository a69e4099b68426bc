#!/usr/bin/env bash
# The screen-saver role: the manager hands its memory list over with F1; the screen-saver copy in
# the Windows folder, started with "/s" as Windows does, plays the list with the logging test
# savers in 連続 order (each ended by the injected key after 3 s) and ends the whole program when
# the user moves the mouse. INDEX then names the next row, so the next start begins there. With
# an entry of the exclusion list whose program runs, nothing starts at all.
source "$(dirname "$0")/../lib.sh"

C="$WINEPREFIX/drive_c"
SCR_KEY="$KEY\\QUOVEL32\\SCR"
EXE_KEY="$KEY\\QUOVEL32\\EXE"
installed 16
rm -rf "$C/QUOVEL32" "$C/RUN SAVERS" "$C"/windows/QVLA32M*.LIS "$C/windows/QUOVEL32CD.LIS" "$C/windows/QUOVEL32.SCR"
mkdir -p "$C/QUOVEL32" "$C/RUN SAVERS"
cp "$EXE" "$C/QUOVEL32/QUOVEL32.EXE"
cp "$EXE" "$C/windows/QUOVEL32.SCR"
NAMES=(SAVER1 SAVER2 SAVER3 SAVER4 SAVER5)
list=""
for n in "${NAMES[@]}"; do
  cp "$BIN/savers/TESTSAVE.SCR" "$C/RUN SAVERS/$n.SCR"
  list+="C:\\RUN SAVERS\\$n.SCR\r\n"
done
printf "$list" >"$C/windows/QVLA32M2.LIS"

reg_set "$EXE_KEY" MEMORY "0,-1,0,0,2,0,0"           # memory mode on, M2 current, names not shown
reg_set "$EXE_KEY" TIMER 3
reg_set "$EXE_KEY" SAISEIM "0,1,0,0,0,1,1,0,1,0"     # 連続, no automatic start
reg_set "$EXE_KEY" INDEX "0,0"
reg_set "$EXE_KEY" FILEHIS 10

# --- F1: the manager hands its settings and lists over --------------------------------------------
start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
sleep 1
# ファイル(&F) → 現在の設定値を、［SCR版］に渡す(&T), by the keyboard as a user does with Alt and
# the letters (under Wine a menu lives in its program's process, out of reach of other programs).
pick_menu 0x66 0x54
probe wait-window TMKBox 10000 >/dev/null || fail "no box after F1"
shot handed-over
expect_text TMKBox "データを転送しました"
probe close TMKBox >/dev/null
probe close TQUOVEL32KAPUL >/dev/null
set +e; wait_exit "$pid" 20; set -e
[ "$(reg_value "$SCR_KEY" MEMORY)" = "0,-1,0,0,2,0,0" ] || fail "MEMORY not handed over: $(reg_value "$SCR_KEY" MEMORY)"
[ "$(reg_value "$SCR_KEY" TIMER)" = 3 ] || fail "TIMER not handed over"
log "F1 handed over MEMORY $(reg_value "$SCR_KEY" MEMORY), TIMER 3, INDEX $(reg_value "$SCR_KEY" INDEX)"

saver_log
# The user comes back: the mouse moves over the showing saver (its first move only tells it where
# the pointer rests).
user_returns() {
  xdotool mousemove 500 400; sleep 0.3
  xdotool mousemove 560 460; sleep 0.3
  xdotool mousemove 620 520
}
run_saver() {  # run_saver: the screen-saver copy as Windows starts it
  start_as "$C/windows/QUOVEL32.SCR" /s
}
# saver_until_user_returns: a /s start whose first saver the user ends; the program ends with it.
saver_until_user_returns() {
  run_saver
  local pid
  pid="$(last_pid)"
  wait_count starts 1 30
  sleep 1
  user_returns
  set +e; wait_exit "$pid" 30; set -e
}

# --- /s: four savers, then the user returns --------------------------------------------------------
: >"$LOG"
run_saver
pid="$(last_pid)"
wait_count starts 1 30
sleep 1.5
shot saver
wait_count ends 1 10
shot between
wait_count starts 4 40
sleep 1
user_returns
set +e; wait_exit "$pid" 30; rc=$?; set -e
[ "$rc" = 0 ] || fail "runner exit code $rc"
log "saver log (first start):"; cat "$LOG"
awk -v names="SAVER1 SAVER2 SAVER3 SAVER4" '
  BEGIN { n = split(names, want, " ") }
  / start / {
    s++
    if ($2 != want[s]) { print "start " s " is " $2 ", expected " want[s]; bad = 1 }
    if ($5 != "args=/s") { print "start " s " has " $5; bad = 1 }
    if (s > 1 && $1 < lastEnd) { print "start " s " before the previous saver ended"; bad = 1 }
    startMs[$3] = $1
  }
  / end / {
    e++; lastEnd = $1
    want_reason = e < 4 ? "reason=key" : "reason=mouse-move"
    if ($5 != want_reason) { print "end " e " is " $5 ", expected " want_reason; bad = 1 }
    d = $1 - startMs[$3]
    if (e < 4 && (d < 2500 || d > 5000)) { print "saver " e " showed for " d " ms"; bad = 1 }
  }
  END { if (s != 4 || e != 4) { print s " starts, " e " ends"; bad = 1 } exit bad }
' <(tr -d '\r' <"$LOG") || fail "the screen saver did not play as expected"
probe wait-gone TQUOVEL32SUBFORM 5000 >/dev/null || fail "a runner window is left"
[ "$(reg_value "$SCR_KEY" INDEX)" = "4,0" ] || fail "INDEX after the first start: $(reg_value "$SCR_KEY" INDEX)"
log "4 savers in list order, the 4th ended by the mouse, the program ended, INDEX 4,0"

# --- /s again: it begins with the fifth entry; after it the walk wraps --------------------------------
: >"$LOG"
saver_until_user_returns
log "saver log (second start):"; cat "$LOG"
first="$(tr -d '\r' <"$LOG" | awk '/ start / { print $2; exit }')"
[ "$first" = SAVER5 ] || fail "the second start began with $first"
[ "$(starts)" = 1 ] || fail "more than one saver in the second start"
[ "$(reg_value "$SCR_KEY" INDEX)" = "0,0" ] || fail "INDEX after the second start: $(reg_value "$SCR_KEY" INDEX)"
log "the next start began with SAVER5 and saved INDEX 0,0"

# --- The exclusion list: its program runs, so nothing starts; KINSI 0 lets it start ---------------
cp "$PROBE" "$C/QUOVEL32/BLOCKER.EXE"
printf 'C:\\QUOVEL32\\BLOCKER.EXE\r\n' >"$C/windows/QVLA32MX.LIS"
wine "$C/QUOVEL32/BLOCKER.EXE" wait-window NoSuchWindowClass 60000 >/dev/null 2>&1 &
blocker=$!
QV_PIDS+=("$blocker")
sleep 2
reg_set "$SCR_KEY" KINSI 1
: >"$LOG"
run_saver
pid="$(last_pid)"
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "refused runner exit code $rc"
[ "$(starts)" = 0 ] || { cat "$LOG"; fail "a saver started while BLOCKER.EXE runs"; }
shot excluded
probe wait-gone TQUOVEL32BACK 1000 >/dev/null || fail "the backdrop showed while BLOCKER.EXE runs"
log "with BLOCKER.EXE running nothing started"

reg_set "$SCR_KEY" KINSI 0
saver_until_user_returns
kill "$blocker" 2>/dev/null || true
log "with KINSI 0 the saver started although BLOCKER.EXE runs"
