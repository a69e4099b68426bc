#!/usr/bin/env bash
# File timers: the manager plays three logging test savers in 連続 order with a 3-second display
# time and file timers on; the timer file gives the second one 8 seconds, and the savers' log
# shows it shown that much longer. A saver in a folder whose name holds "=" cannot get a file timer
# (the file could not read it back): TSet says so and writes nothing. Then the timer file opens in the text editor from the menu,
# and the version box shows the stored version and the manager's names.
source "$(dirname "$0")/../lib.sh"

C="$WINEPREFIX/drive_c"
EXE_KEY="$KEY\\QUOVEL32\\EXE"
installed 16
mkdir -p "$C/QUOVEL32" "$C/TIMER SAVERS" "$C/TIMER=SAVERS"
cp "$EXE" "$C/QUOVEL32/QUOVEL32.EXE"
list=""
for n in SAVERA SAVERB SAVERC; do
  cp "$BIN/savers/TESTSAVE.SCR" "$C/TIMER SAVERS/$n.SCR"
  list+="C:\\TIMER SAVERS\\$n.SCR\r\n"
done
cp "$BIN/savers/TESTSAVE.SCR" "$C/TIMER=SAVERS/SAVERD.SCR"
list+="C:\\TIMER=SAVERS\\SAVERD.SCR\r\n"
printf "$list" >"$C/windows/QVLA32M3.LIS"
# The timer file as the program writes it: section Timer, key = the full path.
printf '[Timer]\r\nC:\\TIMER SAVERS\\SAVERB.SCR=8\r\n' >"$C/windows/QUOVEL32.Tim"

reg() { reg_set "$EXE_KEY" "$@"; }
reg MEMORY "0,-1,0,0,3,0,0"              # memory mode on, M3 current, names not shown
reg TIMER 3
reg FILEHIS 0
reg INDEX "0,0"
reg SAISEIM "0,0,1,0,0,1,1,0,1,1"        # 連続, not endless, automatic start, 実行, file timers on
saver_log

# --- the run: SAVERB shows for its own 8 seconds ------------------------------------------------
start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
wait_count ends 4 60
log "saver log:"; cat "$LOG"
awk '
  / start / { s++; name[$3] = $2; startMs[$3] = $1 }
  / end / {
    e++
    if ($5 != "reason=key") { print "end " e " is " $5; bad = 1 }
    d = $1 - startMs[$3]
    lo = name[$3] == "SAVERB" ? 7500 : 2500; hi = name[$3] == "SAVERB" ? 10000 : 5000
    if (d < lo || d > hi) { print name[$3] " showed for " d " ms"; bad = 1 }
    else print name[$3] " showed for " d " ms"
  }
  END { if (s != 4 || e != 4) { print s " starts, " e " ends"; bad = 1 } exit bad }
' <(tr -d '\r' <"$LOG") || fail "the display times do not follow the timer file"
log "SAVERA, SAVERC and SAVERD showed for about 3 s, SAVERB for its file timer of 8 s"

# --- no file timer for a path with "=" -----------------------------------------------------------
probe click-row TQUOVEL32KAPUL 'C:\TIMER=SAVERS\SAVERD.SCR' || fail "no row SAVERD"
probe press-name TQUOVEL32KAPUL ButtonTset || fail "no TSet"
reply '「=」を含むパスのファイルには、ファイルタイマーを設定出来ません'
grep -q SAVERD "$C/windows/QUOVEL32.Tim" && fail "a timer was written for SAVERD"

# --- the timer file in the editor ----------------------------------------------------------------
pick_menu 0x74 0x45                      # タイマー(&T) → ファイルタイマーの編集...(&E)
probe wait-window Notepad 20000 >/dev/null || fail "the editor did not open"
expect_text Notepad "QUOVEL32.Tim"
sleep 1                                  # the editor paints the file
shot notepad
probe close Notepad >/dev/null || true
probe wait-gone Notepad 10000 || fail "the editor did not close"

# --- the version box -----------------------------------------------------------------------------
pick_menu 0x68 0x56                      # ヘルプ(&H) → バージョン情報...(&V)
probe wait-window TAboutBox 10000 >/dev/null || fail "no version box"
expect_text TAboutBox "Version 1.6"
expect_text TAboutBox "QUOVEL32 EXE版"
expect_text TAboutBox "ProductName QUOVEL32.EXE"
expect_text TAboutBox "ｽｸﾘｰﾝ･ｾｰﾊﾞｰを自由に楽しめます☆"
sleep 0.5                                # the box paints
shot version
probe click TAboutBox "Ｏ Ｋ" >/dev/null || fail "no Ｏ Ｋ button"
probe wait-gone TAboutBox 10000 || fail "the version box stayed"

probe close TQUOVEL32KAPUL >/dev/null
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "manager exit code $rc"
log "timer file opened in the editor; version box shown and closed"
