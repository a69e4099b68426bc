#!/usr/bin/env bash
# The browser of QUOVEL32.EXE driven with the mouse: from the saved folder the user clicks a folder
# with a Japanese name in the folder list, the file list shows its savers and 再 生 plays them
# (from the folder shown, not the one the program started in); then "C" shows the folder tree, a
# folder picked in the tree is played, and a pick of another drive moves the browser there.
# Screenshots of each view are kept.
source "$(dirname "$0")/../lib.sh"

fresh_manager
ROOT="$C/qv-browser"
rm -rf "$ROOT"
mkdir -p "$ROOT/スクリーンセーバー/星空" "$ROOT/スクリーンセーバー/海と魚" "$ROOT/スクリーンセーバー/古い"
for name in 星.SCR fish.scr; do cp "$BIN/savers/TESTSAVE.SCR" "$ROOT/スクリーンセーバー/$name"; done
for name in 1流星.SCR 2彗星.SCR; do cp "$BIN/savers/TESTSAVE.SCR" "$ROOT/スクリーンセーバー/星空/$name"; done
printf 'text\r\n' >"$ROOT/スクリーンセーバー/README.TXT"
printf 'MZ' >"$ROOT/スクリーンセーバー/other.dat"
trap 'cleanup; rm -rf "$ROOT"' EXIT

reg() { reg_set "$EXE_KEY" "$@"; }
reg CPATH 'C:\qv-browser'
reg DirNo 0
reg MEMORY "1,-1,0,1,0,1,0"                  # memory mode off, names not shown
reg SAISEIM "0,0,0,0,-1,-1,-1,-1,1,1"        # 連続 without endless, 実行
reg FILESHITEI 0                             # the own pattern: savers and texts
reg FILENAME '*.SCR;*.TXT'
reg TIMER 2
saver_log

file_rows() { probe text TQUOVEL32KAPUL | grep -o 'item [^ ]*\.\(scr\|SCR\|TXT\)$' | sed 's/^item //' | tr '\n' ' '; }
# play_shown N NAMES: 再 生 pressed with the mouse plays N savers; the log names them in order.
play_shown() {
  : >"$LOG"
  probe press TQUOVEL32KAPUL '再 生' || fail "no 再 生 button"
  wait_count starts "$1" 30
  wait_count ends "$1" 15
  local played
  played="$(tr -d '\r' <"$LOG" | awk '/ start / { printf "%s ", $2 }')"
  log "played: $played"
  [ "$played" = "$2" ] || { cat "$LOG"; fail "played '$played', expected '$2'"; }
  local t=0
  until probe text TQUOVEL32KAPUL | head -1 | grep -q 'QUOVEL32 EXE版'; do
    sleep 0.2; t=$((t + 1)); [ $t -lt 50 ] || fail "the run did not end"
  done
}

start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
wait_for 'item スクリーンセーバー' "the saved folder's subfolder is not in the folder list"
[ -z "$(file_rows)" ] || fail "the saved folder lists files: $(file_rows)"

# A click on the folder row: its savers and texts in name order, other files filtered out.
probe click-row TQUOVEL32KAPUL 'スクリーンセーバー' || fail "could not click the folder row"
wait_for 'item 星空' "the folder list did not open スクリーンセーバー"
wait_for ' 3ｺ' "the file count is not 3"
[ "$(file_rows)" = "fish.scr README.TXT 星.SCR " ] || fail "file list rows: $(file_rows)"
probe text TQUOVEL32KAPUL | grep -q 'other.dat' && fail "a filtered file is listed"
sleep 1
shot browser-list
# The text file is skipped; the savers of the folder shown play, not those of the saved folder.
play_shown 2 "fish 星 "

# "C": the tree in place of the folder list; a folder picked in the tree plays.
probe press TQUOVEL32KAPUL 'C' || fail "no C button"
t=0
until probe shown TQUOVEL32KAPUL SysTreeView32; do
  sleep 0.2; t=$((t + 1)); [ $t -lt 50 ] || fail "the folder tree is not shown after C"
done
probe click-node TQUOVEL32KAPUL '星空' || fail "no tree node 星空"
wait_for "item 2彗星.SCR" "the tree pick did not list 星空"
[ "$(file_rows)" = "1流星.SCR 2彗星.SCR " ] || fail "file list rows after the tree pick: $(file_rows)"
sleep 1
shot browser-tree
play_shown 2 "1流星 2彗星 "

# A pick of drive Z: (the Linux root) in the drive combo labels the drive and moves the browser.
probe select TQUOVEL32KAPUL 'C:' 1 >/dev/null || fail "could not pick the second drive"
t=0
until probe text TQUOVEL32KAPUL | grep -qi '^item z:\['; do
  sleep 0.2; t=$((t + 1))
  [ $t -lt 100 ] || { probe text TQUOVEL32KAPUL; fail "drive Z: was not labelled after the pick"; }
done
probe text TQUOVEL32KAPUL | grep -q "item 1流星.SCR" && fail "the file list still shows drive C:"
sleep 1
shot browser-drive

probe close TQUOVEL32KAPUL >/dev/null || fail "could not post WM_CLOSE"
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "exit code $rc"
[ "$(reg_value "$EXE_KEY" DirNo)" = 1 ] || fail "the tree view was not saved"
log "folders opened with the mouse in the list and the tree, and their savers played"
