#!/usr/bin/env bash
# A 64-bit Windows, where QUOVEL32 runs as a 32-bit program under WOW64: C:\windows\system32 holds
# the 64-bit TEST64.SCR (what Explorer shows there), its 32-bit view (syswow64) the 32-bit
# TEST32.SCR. The file system agrees with its fake on the system folder; the browser opened on
# C:\windows\system32 lists both savers and 再 生 plays both (/s, ended by the injected key); the
# screen-saver copy started with /s plays a list naming the 64-bit saver; and the copy's /p
# preview, started as the 64-bit screen-saver settings start it, shows in its host's area.
source "$(dirname "$0")/../lib.sh"

[ -f "$BIN/savers/TEST64.SCR" ] || fail "no TEST64.SCR: the 64-bit compiler is missing (scripts/setup.sh)"
prefix64
fresh_manager
cp "$BIN/savers/TEST64.SCR" "$C/windows/system32/"
cp "$BIN/savers/TESTSAVE.SCR" "$C/windows/syswow64/TEST32.SCR"
saver_log

# --- The file system's contract on the system folder, by the real implementation under WOW64 ------
wine "$BIN/tests/platform/platform_contract_test.exe" --gtest_filter='*Wow64*' >"$OUTDIR/contract.log" 2>&1 ||
  { tr -d '\r' <"$OUTDIR/contract.log"; fail "the file system's contract under WOW64"; }
grep -q 'SKIPPED' "$OUTDIR/contract.log" && { tr -d '\r' <"$OUTDIR/contract.log"; fail "the contract test was not under WOW64"; }
log "the file system keeps its contract on the system folder under WOW64"

# --- The browser on C:\windows\system32: both savers listed, 再 生 plays them --------------------------
reg() { reg_set "$EXE_KEY" "$@"; }
reg CPATH 'C:\windows\system32'
reg MEMORY "1,-1,0,1,0,1,0"                  # memory mode off, names not shown
reg SAISEIM "0,0,0,0,-1,-1,-1,-1,1,1"        # 連続 without endless, 実行
reg FILESHITEI 0
reg FILENAME '*.SCR'
reg TIMER 3
start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
wait_for ' 2ｺ' "the file list of C:\\windows\\system32 does not count 2 files"
rows="$(probe text TQUOVEL32KAPUL | grep -o 'item [^ ]*\.SCR$' | tr '\n' ' ')"
[ "$rows" = "item TEST32.SCR item TEST64.SCR " ] || fail "file list rows: $rows"
shot file-list
probe press TQUOVEL32KAPUL '再 生' || fail "no 再 生 button"
wait_count starts 2 30
sleep 1
shot playing-64
wait_count ends 2 15
got="$(tr -d '\r' <"$LOG" | awk '/ start / { printf "%s %s ", $2, $5 } / end / { printf "%s ", $5 }')"
[ "$got" = "TEST32 args=/s reason=key TEST64 args=/s reason=key " ] || { cat "$LOG"; fail "再 生 played: $got"; }
probe close TQUOVEL32KAPUL >/dev/null
set +e; wait_exit "$pid" 20; set -e
log "再 生 played TEST32 from the 32-bit view and TEST64 from the native folder"

# --- The screen-saver role: /s plays the list naming the 64-bit saver ---------------------------------
SCR_KEY="$KEY\\QUOVEL32\\SCR"
cp "$EXE" "$C/windows/QUOVEL32.SCR"
printf 'C:\\windows\\system32\\TEST64.SCR\r\n' >"$C/windows/QVLA32M2.LIS"
reg_set "$SCR_KEY" MEMORY "0,-1,0,0,2,0,0"       # memory mode on, M2 current
reg_set "$SCR_KEY" TIMER 3
reg_set "$SCR_KEY" SAISEIM "0,1,0,0,0,1,1,0,1,0" # 連続
reg_set "$SCR_KEY" INDEX "0,0"
: >"$LOG"
start_as "$C/windows/QUOVEL32.SCR" /s
pid="$(last_pid)"
wait_count starts 1 30
sleep 1
shot role-64
wait_count ends 1 15
first="$(tr -d '\r' <"$LOG" | awk '/ start / { s = $2 " " $5 } / end / { print s, $5; exit }')"
[ "$first" = "TEST64 args=/s reason=key" ] || { cat "$LOG"; fail "the runner's first saver: $first"; }
# The user comes back while the next one shows: the mouse moves (its first move only tells the
# saver where it rests).
wait_count starts 2 15
sleep 1
xdotool mousemove 500 400; sleep 0.3; xdotool mousemove 560 460; sleep 0.3; xdotool mousemove 620 520
set +e; wait_exit "$pid" 30; rc=$?; set -e
[ "$rc" = 0 ] || fail "runner exit code $rc"
log "QUOVEL32.SCR /s played TEST64 from the native folder"

# --- The preview role under WOW64 ------------------------------------------------------------------
HOSTLOG="$OUTDIR/host.log"
wine "$BIN/tests/wine/preview_host.exe" 'C:\windows\QUOVEL32.SCR' 1000 >"$HOSTLOG" 2>&1 &
host=$!
QV_PIDS+=("$host")
set +e; wait_exit "$host" 60; rc=$?; set -e
fact() { tr -d '\r' <"$HOSTLOG" | awk -v k="$1" '$1 == k { $1 = ""; sub(/^ /, ""); print; exit }'; }
[ "$rc" = 0 ] && [ "$(fact window)" = "152 112" ] && [ "$(fact panel)" = "152 112" ] ||
  { tr -d '\r' <"$HOSTLOG"; fail "the preview did not fill its area or outlived its host"; }
log "QUOVEL32.SCR /p showed its title in the 152 x 112 area and ended with the host"
