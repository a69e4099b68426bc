#!/usr/bin/env bash
# A 64-bit Windows, where the program runs under WOW64: C:\windows\system32 holds the 64-bit
# TEST64.SCR (as Explorer shows it), its 32-bit view syswow64 the 32-bit TEST32.SCR. The real file
# system keeps the fake's contract there; the browser on C:\windows\system32 lists both, the live
# preview shows TEST64 with /p and 再 生 plays both; QUOVEL32.SCR /s plays a list naming TEST64;
# QUOVEL32.SCR /p fills its host's area.
source "$(dirname "$0")/../lib.sh"

[ -f "$BIN/savers/TEST64.SCR" ] || fail "no TEST64.SCR: the 64-bit compiler is missing (scripts/setup.sh)"
prefix64
fresh_manager
cp "$BIN/savers/TEST64.SCR" "$C/windows/system32/"
cp "$BIN/savers/TESTSAVE.SCR" "$C/windows/syswow64/TEST32.SCR"
saver_log
# The savers' starts and ends, those of previews left out.
sequence() {
  tr -d '\r' <"$LOG" | awk '/ start / && $5 == "args=/p" { p[$3] = 1 } p[$3] { next }
                            / start / { printf "%s %s ", $2, $5 } / end / { printf "%s ", $5 }'
}

wine "$BIN/tests/platform/platform_contract_test.exe" --gtest_filter='*Wow64*' >"$OUTDIR/contract.log" 2>&1 &&
  ! grep -q SKIPPED "$OUTDIR/contract.log" || { tr -d '\r' <"$OUTDIR/contract.log"; fail "the contract under WOW64"; }

# --- The browser on C:\windows\system32 ---------------------------------------------------------------
reg_set "$EXE_KEY" CPATH 'C:\windows\system32'
reg_set "$EXE_KEY" MEMORY "1,-1,0,1,0,1,0"           # memory mode off
reg_set "$EXE_KEY" SAISEIM "0,0,0,0,-1,-1,-1,-1,1,1" # 連続 without endless, 実行
reg_set "$EXE_KEY" FILESHITEI 0
reg_set "$EXE_KEY" FILENAME '*.SCR'
reg_set "$EXE_KEY" TIMER 3
reg_set "$EXE_KEY" PREVIEW 1
start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
wait_for ' 2ｺ' "the file list of C:\\windows\\system32 does not count 2 files"
rows="$(probe text TQUOVEL32KAPUL | grep -o 'item [^ ]*\.SCR$' | tr '\n' ' ')"
[ "$rows" = "item TEST32.SCR item TEST64.SCR " ] || fail "file list rows: $rows"
shot file-list
probe click-row TQUOVEL32KAPUL 'TEST64.SCR' || fail "no row TEST64.SCR"
t=0; until grep -q ' TEST64 .* start args=/p' "$LOG"; do
  sleep 0.2; t=$((t + 1)); [ $t -lt 75 ] || { cat "$LOG"; fail "the preview did not start TEST64 with /p"; }
done
t=0; until probe text TQUOVEL32PREVIEW | grep -q '^child QVSaverWindow'; do
  sleep 0.2; t=$((t + 1)); [ $t -lt 50 ] || fail "TEST64 shows nothing in the preview window"
done
shot preview-64
# The run goes from the first row.
probe click-row TQUOVEL32KAPUL 'TEST32.SCR' || fail "no row TEST32.SCR"
probe press TQUOVEL32KAPUL '再 生' || fail "no 再 生 button"
t=0; until [ "$(sequence | wc -w)" -ge 4 ]; do
  sleep 0.2; t=$((t + 1)); [ $t -lt 150 ] || { cat "$LOG"; fail "再 生 did not play both"; }
done
shot playing-64
t=0; until [ "$(sequence | wc -w)" -ge 6 ]; do
  sleep 0.2; t=$((t + 1)); [ $t -lt 75 ] || { cat "$LOG"; fail "the savers of 再 生 did not end"; }
done
[ "$(sequence)" = "TEST32 args=/s reason=key TEST64 args=/s reason=key " ] || { cat "$LOG"; fail "再 生 played: $(sequence)"; }
probe close TQUOVEL32KAPUL >/dev/null
set +e; wait_exit "$pid" 20; set -e
log "再 生 played TEST32 from the 32-bit view and TEST64 from the native folder"

# --- QUOVEL32.SCR /s with a list naming TEST64; the user returns -------------------------------------
SCR_KEY="$KEY\\QUOVEL32\\SCR"
cp "$EXE" "$C/windows/QUOVEL32.SCR"
printf 'C:\\windows\\system32\\TEST64.SCR\r\n' >"$C/windows/QVLA32M2.LIS"
reg_set "$SCR_KEY" MEMORY "0,-1,0,0,2,0,0"           # memory mode on, M2
reg_set "$SCR_KEY" SAISEIM "0,1,0,0,0,1,1,0,1,0"     # 連続
: >"$LOG"
start_as "$C/windows/QUOVEL32.SCR" /s
pid="$(last_pid)"
wait_count starts 1 30
sleep 1
shot role-64
# Its first move only tells the saver where the mouse rests.
xdotool mousemove 500 400; sleep 0.3; xdotool mousemove 560 460; sleep 0.3; xdotool mousemove 620 520
set +e; wait_exit "$pid" 30; rc=$?; set -e
[ "$rc" = 0 ] && [ "$(sequence)" = "TEST64 args=/s reason=mouse-move " ] || { cat "$LOG"; fail "/s (exit code $rc)"; }
log "QUOVEL32.SCR /s played TEST64 from the native folder"

timeout 60 wine "$BIN/tests/wine/preview_host.exe" 'C:\windows\QUOVEL32.SCR' 1000 >"$OUTDIR/host.log" 2>&1 &&
  grep -q '^panel 152 112' <(tr -d '\r' <"$OUTDIR/host.log") || { cat "$OUTDIR/host.log"; fail "the /p preview"; }
log "QUOVEL32.SCR /p showed its title in the 152 x 112 area and ended with its host"
