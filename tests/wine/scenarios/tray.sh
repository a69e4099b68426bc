#!/usr/bin/env bash
# The manager started "in the tray" (最小化立ち上げ): its window stays hidden and its icon sits in
# the notification area (under Wine without a window manager, the "Wine System Tray" window).
# Real clicks on the icon open the left and right menus. 再生開始 plays the list while the window
# stays hidden; 実行／設定 and 連続 from the right menu switch to settings dialogs in list order,
# and 中断 stops that run. A second start of the program brings the window back from the tray;
# its Tray button puts it there again, and 終了 on the icon ends the program and the icon. The icon
# comes back when a new taskbar (Explorer restarted) broadcasts "TaskbarCreated".
source "$(dirname "$0")/../lib.sh"

fresh_manager
rm -rf "$C/TRAY SAVERS"
mkdir -p "$C/TRAY SAVERS"
list=""
for n in SAVERA SAVERB SAVERC; do
  cp "$BIN/savers/TESTSAVE.SCR" "$C/TRAY SAVERS/$n.SCR"
  list+="C:\\TRAY SAVERS\\$n.SCR\r\n"
done
printf "$list" >"$C/windows/QVLA32M3.LIS"
reg() { reg_set "$EXE_KEY" "$@"; }
reg MEMORY "0,-1,0,0,3,0,0"                   # memory mode on, M3 current, names not shown
reg TIMER 2
reg FILEHIS 0
reg INDEX "0,0"
reg SAISEIM "0,0,0,1,-1,-1,-1,-1,1,0"         # 連続, not endless, 最小化立ち上げ, 実行
saver_log
title() { probe text TQUOVEL32KAPUL | head -1; }
hidden() { ! probe wait-window TQUOVEL32KAPUL 300 >/dev/null; }
# click_icon [right]: a real click on our icon; waits for the menu it opens.
click_icon() {
  probe tray-click 0 "$@" || fail "no icon in the notification area"
  probe wait-window "#32768" 10000 >/dev/null || fail "no menu on the icon"
}
pick() { probe menu-key "$1" >/dev/null || fail "menu gone before picking $1"; }
wait_idle() {  # until the title is the idle title again
  local t=0
  until [ "$(title)" = "QUOVEL32 EXE版" ]; do
    sleep 0.2; t=$((t + 1))
    [ $t -lt 150 ] || fail "run still going: $(title)"
  done
}

start_as "$C/QUOVEL32/QUOVEL32.EXE"
manager="$(last_pid)"
t=0
until probe tray-icon 0 >/dev/null; do
  sleep 0.2; t=$((t + 1))
  [ $t -lt 150 ] || fail "no icon in the notification area"
done
hidden || fail "the manager window shows beside its icon"
shot icon

# The taskbar made anew knows no icon; its broadcast brings ours back.
probe tray-remove QvNotifyWindow 1 || fail "cannot take the icon out of the notification area"
t=0; while probe tray-icon 0 >/dev/null; do sleep 0.2; t=$((t + 1)); [ $t -lt 50 ] || fail "the icon stayed"; done
probe broadcast TaskbarCreated || fail "cannot broadcast TaskbarCreated"
t=0; until probe tray-icon 0 >/dev/null; do sleep 0.2; t=$((t + 1)); [ $t -lt 50 ] || fail "no icon after TaskbarCreated"; done
shot icon-again

# The left menu starts a run; its savers play one after another with the window hidden.
click_icon
sleep 0.5
shot left-menu
pick 0x50                                      # 再生開始 (&P)
wait_count starts 1 20
hidden || fail "the window appeared when the run started"
wait_count ends 3 30
wait_idle
hidden || fail "the window appeared during the run"
[ "$(starts)" = 3 ] || { cat "$LOG"; fail "expected 3 savers"; }
grep -q 'SAVERC.*args=/s' "$LOG" || { cat "$LOG"; fail "SAVERC not played with /s"; }
log "three savers played from the tray, window hidden"

# The tip is the window title, in Japanese whatever the code page.
probe tray-click 0 hover >/dev/null
sleep 2
shot tip

# The right menu: 実行／設定 selects 設定 (which plays a single item), 連続 walks the list again.
click_icon right
sleep 0.5
shot right-menu
pick 0x53                                      # 実行／設定 (&S)
click_icon right
pick 0x52                                      # 連続 (&R)
: >"$LOG"
click_icon
pick 0x50
wait_count starts 1 20
probe wait-window "#32770" 10000 >/dev/null || fail "no settings dialog"
grep -q 'args=/c' "$LOG" || { cat "$LOG"; fail "the saver was not opened with /c"; }
click_icon
pick 0x4B                                      # 中断 (&K)
probe close "#32770" >/dev/null || fail "cannot close the settings dialog"
wait_count ends 1 10
wait_idle
sleep 2
[ "$(starts)" = 1 ] || { cat "$LOG"; fail "a saver started after 中断"; }
log "設定 from the right menu, 中断 from the left one"

# Started again, the program brings the manager back from the tray and takes the icon away.
start_as "$C/QUOVEL32/QUOVEL32.EXE"
set +e; wait_exit "$(last_pid)" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "second start exit code $rc"
probe wait-window TQUOVEL32KAPUL 10000 >/dev/null || fail "the window did not come back"
t=0
while probe tray-icon 0 >/dev/null; do
  sleep 0.2; t=$((t + 1))
  [ $t -lt 50 ] || fail "the icon stayed in the notification area"
done
probe shown-name TQUOVEL32KAPUL ButtonTRAY || fail "no Tray button on the restored window"
shot restored

# Tray puts it back; 終了 on the icon's right menu ends the program and takes the icon along.
probe press-name TQUOVEL32KAPUL ButtonTRAY || fail "no Tray button"
t=0
until probe tray-icon 0 >/dev/null; do
  sleep 0.2; t=$((t + 1))
  [ $t -lt 50 ] || fail "Tray did not put the icon into the notification area"
done
hidden || fail "the window stayed after Tray"
click_icon right
pick 0x58                                      # 終了 (&X)
set +e; wait_exit "$manager" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "manager exit code $rc"
t=0
while probe tray-icon 0 >/dev/null; do
  sleep 0.2; t=$((t + 1))
  [ $t -lt 25 ] || fail "the icon outlived the program"
done
log "the tray icon works"
