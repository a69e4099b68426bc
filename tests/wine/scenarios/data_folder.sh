#!/usr/bin/env bash
# A user who may write neither the Windows folder nor the program's folder, as on Windows 7 and
# later: the program keeps its list files, hand-over files and timer file in the user's local
# application data folder. On its first use that folder takes over the Windows folder's files;
# the manager shows the list found there, switches lists, hands over with F1 and closes without a
# failure; the screen-saver copy plays the handed-over list from there and records its history
# there; nothing is written into the Windows folder or the program's folder. The program's folder
# holds "ë" and the user's local application data folder "𠮷", which Shift-JIS lacks: both are
# used through their 8.3 names.
#
# The program runs as a plain user (created when missing) in a Wine prefix of its own: a copy of
# the session's prefix owned by that user (Wine insists), whose Windows folder and program folder
# belong to root and are closed to the user.
source "$(dirname "$0")/../lib.sh"

user_prefix
P="$C/Program Files/Zoë/QUOVEL32"
rm -f "$W"/QVLA32M*.LIS "$W/QUOVEL32CD.LIS" "$W/QUOVEL32.Tim"
mkdir -p "$P" "$C/SAVERS"
cp "$EXE" "$P/QUOVEL32.EXE"
cp "$EXE" "$W/QUOVEL32.SCR"
cp "$BIN/savers/TESTSAVE.SCR" "$C/SAVERS/SAVER1.SCR"
# What an earlier version left in the Windows folder: a list and the timer file, whose key has
# Japanese characters.
printf 'C:\\SAVERS\\SAVER1.SCR\r\n' >"$W/QVLA32M0.LIS"
printf '[Timer]\r\nC:\\セーバー\\星空.SCR=30\r\n' | iconv -f UTF-8 -t CP932 >"$W/QUOVEL32.Tim"
# What root put there stays root's; the Windows folder itself becomes root's too.
chmod 755 "$C/Program Files/Zoë" "$P"
LOG="$C/saver.log"
: >"$LOG"
chown "$QV_USER:" "$LOG" "$C/SAVERS"
export QV_SAVER_LOG='C:\saver.log'
listing() { (cd "$1" && find . -maxdepth 1 -type f -printf '%f %s\n' | sort); }
windows_before="$(listing "$W")"
program_before="$(listing "$P")"

user_session
ureg 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders' 'Local AppData' \
  "C:\\users\\$QV_USER\\𠮷\\Local"
DATA="$C/users/$QV_USER/𠮷/Local/KAPUL SOFT32/QUOVEL32"
log "the user's folder is C:\\users\\$QV_USER\\𠮷\\Local\\KAPUL SOFT32\\QUOVEL32"
[ ! -e "$DATA" ] || fail "the user's folder exists before the first start"

as_user wine reg delete "$KEY" /f >/dev/null 2>&1 || true
ureg "$KEY\\QUOVEL32\\SCR" Version 16
ureg "$KEY\\QUOVEL32\\SCR" TMPQVLA 'C:\SAVERS'           # the working folder
EXE_KEY="$KEY\\QUOVEL32\\EXE"
ureg "$EXE_KEY" MEMORY "0,-1,0,0,0,0,0"          # memory mode on, M0 current, names not shown
ureg "$EXE_KEY" TIMER 3
ureg "$EXE_KEY" SAISEIM "0,1,0,0,0,1,1,0,1,0"    # 連続, no automatic start
ureg "$EXE_KEY" INDEX "0,0"
ureg "$EXE_KEY" FILEHIS 10

# --- the manager: the list taken over, a switch, F1 and the close ---------------------------------
as_user wine 'C:\Program Files\Zoë\QUOVEL32\QUOVEL32.EXE' >"$OUTDIR/program.log" 2>&1 &
QV_PIDS+=($!)
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
for i in $(seq 1 50); do probe text TQUOVEL32KAPUL | grep -q "M0 : 1ｺ" && break; sleep 0.2; done
shot taken-over
expect_text TQUOVEL32KAPUL "M0 : 1ｺ"
expect_text TQUOVEL32KAPUL 'C:\\SAVERS\\SAVER1.SCR'
log "the manager shows M0 as found in the Windows folder"

probe select TQUOVEL32KAPUL "M0 : " 5 || fail "no list combo box"
for i in $(seq 1 25); do probe text TQUOVEL32KAPUL | grep -q "M5 : 0ｺ" && break; sleep 0.2; done
expect_text TQUOVEL32KAPUL "M5 : 0ｺ"
probe select TQUOVEL32KAPUL "M5 : " 0 || fail "no list combo box"
for i in $(seq 1 25); do probe text TQUOVEL32KAPUL | grep -q "M0 : 1ｺ" && break; sleep 0.2; done
expect_text TQUOVEL32KAPUL "M0 : 1ｺ"

# ファイル(&F) → 現在の設定値を、［SCR版］に渡す(&T)
pick_menu 0x66 0x54
probe wait-window TMKBox 10000 >/dev/null || fail "no box after F1"
shot handed-over
expect_text TMKBox "データを転送しました"
probe close TMKBox >/dev/null
probe wait-gone TMKBox 10000 || fail "the box stayed"
probe close TQUOVEL32KAPUL >/dev/null
# The close saves everything; a failure would show a box and keep the program.
for i in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  if probe wait-window TMKBox 1 >/dev/null; then
    log "texts of the box:"; probe text TMKBox
    fail "a box appeared while the manager closed"
  fi
  sleep 0.2
done
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "manager exit code $rc"

log "the user's folder: $(listing "$DATA" | tr '\n' ' ')"
expect_file "$DATA/QVLA32M0.LIS" 'C:\\SAVERS\\SAVER1.SCR\r\n'
expect_file "$DATA/QVLA32M5.LIS" ''
[ -f "$DATA/QVLA32MH.LIS" ] || fail "F1 did not write QVLA32MH.LIS"
[ -f "$DATA/QVLA32MX.LIS" ] || fail "QVLA32MX.LIS not written"
[ -f "$DATA/QUOVEL32CD.LIS" ] || fail "QUOVEL32CD.LIS not written"
[ -f "$DATA/QVLE32MH.LIS" ] || fail "the manager's own history was not written"
cmp -s "$W/QUOVEL32.Tim" "$DATA/QUOVEL32.Tim" || fail "the timer file was not taken over byte for byte"
[ "$(uvalue "$KEY\\QUOVEL32\\SCR" MEMORY)" = "0,-1,0,0,0,0,0" ] || fail "MEMORY not handed over"
log "lists, hand-over files and the timer file are in the user's folder"

# --- the screen-saver copy plays the handed-over list from the user's folder ----------------------
as_user wine 'C:\windows\QUOVEL32.SCR' /s >>"$OUTDIR/program.log" 2>&1 &
QV_PIDS+=($!)
pid="$(last_pid)"
wait_count starts 1 30
sleep 1
shot saver
xdotool mousemove 500 400; sleep 0.3
xdotool mousemove 560 460; sleep 0.3
xdotool mousemove 620 520
set +e; wait_exit "$pid" 30; rc=$?; set -e
[ "$rc" = 0 ] || fail "runner exit code $rc"
log "saver log:"; cat "$LOG"
tr -d '\r' <"$LOG" | awk '/ start / { print $2; exit }' | grep -qx SAVER1 || fail "the runner did not play SAVER1"
grep -q 'SAVER1.SCR' "$DATA/QVLA32MH.LIS" || fail "the runner's history is not in the user's folder"
log "the screen-saver copy played M0 and kept its history in the user's folder"

[ "$(listing "$W")" = "$windows_before" ] || { listing "$W"; fail "the Windows folder changed"; }
[ "$(listing "$P")" = "$program_before" ] || { listing "$P"; fail "the program's folder changed"; }
log "the Windows folder and the program's folder are as they were"
