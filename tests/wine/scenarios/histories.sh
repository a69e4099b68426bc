#!/usr/bin/env bash
# The histories, the trash and list editing of QUOVEL32.EXE driven with the mouse: a folder history
# of size 3 after four folders were opened holds the last three, newest first; a pick in its panel
# opens that folder and 閉じる puts it on top; a picked folder that vanished gets the folder error
# and its nearest folder. Two memory-list rows are thrown into the trash by a
# drag, one is taken back; a row is deleted with 削除. A run of three savers leaves the last two in
# the file history of size 2, which is written to its list file on close. Screenshots of the
# history panel and the trash panel are kept.
source "$(dirname "$0")/../lib.sh"

fresh_manager
ROOT="$C/qv-hist"
rm -rf "$ROOT"
mkdir -p "$ROOT/一/二/三/四"
for n in 1 2 3; do cp "$BIN/savers/TESTSAVE.SCR" "$ROOT/$n.SCR"; done
printf 'C:\\qv-hist\\1.SCR\r\nC:\\qv-hist\\2.SCR\r\nC:\\qv-hist\\3.SCR\r\nC:\\qv-hist\\1.SCR\r\n' >"$C/windows/QVLA32M0.LIS"
trap 'cleanup; rm -rf "$ROOT"' EXIT

reg() { reg_set "$EXE_KEY" "$@"; }
reg CPATH 'C:\qv-hist'
reg MEMORY "1,-1,0,1,0,1,0"                  # memory mode off, M0, names not shown, trash CLR
reg SAISEIM "0,0,0,0,-1,-1,-1,-1,1,1"        # 連続 without endless, 実行
reg TIMER 2
reg FOLDERHIS 3
reg FILEHIS 2
# A long double-click time: each folder row is clicked within it, at the place of the row clicked
# before (the opened folder's list scrolls the next row there), as a user clicking quickly does.
reg_set 'HKCU\Control Panel\Mouse' DoubleClickSpeed 5000
saver_log

# until COMMAND...: polls a probe condition for up to 10 s.
until_ok() {
  local what="$1" t=0; shift
  until "$@" >/dev/null 2>&1; do
    sleep 0.2; t=$((t + 1)); [ $t -lt 50 ] || { probe text TQUOVEL32KAPUL; fail "$what"; }
  done
}
has() { probe text TQUOVEL32KAPUL | grep -q -- "$1"; }
rows_of() { probe items TQUOVEL32KAPUL "$1" | sed 's/^item //' | tr '\n' ' '; }
caption() { probe caption TQUOVEL32KAPUL "$1"; }
memory() { rows_of ListBox2; }
label_is() { [ "$(caption "$1")" = "$2" ]; }
memory_is() { [ "$(memory)" = "$1" ]; }
hidden() { ! probe shown-name TQUOVEL32KAPUL "$1"; }
idle() { probe text TQUOVEL32KAPUL | head -1 | grep -q 'QUOVEL32 EXE版'; }

start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
until_ok "the start folder is not listed" has 'item 一'

# Four folders opened one below the other with the mouse; the history holds the last three.
# An opened folder lists the next one; the clicks and the press after them run in order. A click
# that ends a double click on another row than the first is a click of its own.
set -- 一 二 三 四
while [ $# -gt 0 ]; do
  probe click-row TQUOVEL32KAPUL "$1" || fail "no folder row $1"
  [ $# = 1 ] || until_ok "folder $1 was not opened" has "item $2"
  shift
done
probe press-name TQUOVEL32KAPUL Label19 || fail "no folder count label"
until_ok "the history panel did not open" probe shown-name TQUOVEL32KAPUL PanelKaKo
history="$(rows_of ListBoxKaKo)"
log "folder history: $history"
[ "$history" = 'C:\qv-hist\一\二\三\四 C:\qv-hist\一\二\三 C:\qv-hist\一\二 ' ] || fail "folder history: $history"
[ "$(caption LabelKaKo)" = 3ｺ ] || fail "history count: $(caption LabelKaKo)"
sleep 1
shot history-panel

# A pick opens the folder without reordering; 閉じる puts the folder shown on top.
probe click-row TQUOVEL32KAPUL 'C:\qv-hist\一\二' || fail "no history row"
t=0
while probe items TQUOVEL32KAPUL ListBox1 | grep -q '^item 四$'; do
  sleep 0.2; t=$((t + 1)); [ $t -lt 50 ] || fail "the picked folder was not opened"
done
[ "$(rows_of ListBoxKaKo)" = "$history" ] || fail "the pick reordered the history: $(rows_of ListBoxKaKo)"
probe press-name TQUOVEL32KAPUL ButtonKaKoOK || fail "no 閉じる"
until_ok "閉じる did not close the panel" hidden PanelKaKo
history="$(rows_of ListBoxKaKo)"
[ "$history" = 'C:\qv-hist\一\二 C:\qv-hist\一\二\三\四 C:\qv-hist\一\二\三 ' ] || fail "after 閉じる: $history"
# A folder of the history that vanished meanwhile: the folder error, then its nearest folder.
rm -r "$ROOT/一/二/三"
probe press-name TQUOVEL32KAPUL Label19 || fail "no folder count label"
until_ok "the history panel did not open again" probe shown-name TQUOVEL32KAPUL PanelKaKo
probe click-row TQUOVEL32KAPUL 'C:\qv-hist\一\二\三\四' || fail "no history row of the vanished folder"
reply 'フォルダー・エラー発生'
until_ok "the nearest folder was not opened" eval "! has 'item 三'"
has 'item 二' || fail "the nearest folder is not the one opened"
probe press-name TQUOVEL32KAPUL ButtonKaKoOK || fail "no 閉じる"
until_ok "閉じる did not close the panel" hidden PanelKaKo

# Memory mode: two rows thrown into the trash by a drag (move), one taken back, one deleted.
probe press TQUOVEL32KAPUL 'ﾒﾓﾘｰON' || fail "no ﾒﾓﾘｰON"
until_ok "memory mode did not come on" probe shown-name TQUOVEL32KAPUL ListBox2
[ "$(memory)" = 'C:\qv-hist\1.SCR C:\qv-hist\2.SCR C:\qv-hist\3.SCR C:\qv-hist\1.SCR ' ] || fail "M0: $(memory)"
probe click-row TQUOVEL32KAPUL 'C:\qv-hist\2.SCR' || fail "no row 2"
probe click-row TQUOVEL32KAPUL 'C:\qv-hist\3.SCR' ctrl || fail "no row 3"
probe drag-to TQUOVEL32KAPUL 'C:\qv-hist\2.SCR' Image1 0x4D || fail "could not drag to the trash"
until_ok "the trash did not take two rows" label_is Label7 2ｺ
[ "$(memory)" = 'C:\qv-hist\1.SCR C:\qv-hist\1.SCR ' ] || fail "memory after the throw: $(memory)"
probe press-name TQUOVEL32KAPUL Image1 right || fail "no trash icon"
until_ok "the trash panel did not open" probe shown-name TQUOVEL32KAPUL PanelGomi
sleep 1
shot trash-panel
# The trash row 3.SCR dragged back onto the memory list's first row (move).
probe drag TQUOVEL32KAPUL 'C:\qv-hist\3.SCR' 'C:\qv-hist\1.SCR' 0x4D || fail "could not drag back"
until_ok "the row did not come back" label_is Label7 1ｺ
[ "$(memory)" = 'C:\qv-hist\3.SCR C:\qv-hist\1.SCR C:\qv-hist\1.SCR ' ] || fail "memory after taking back: $(memory)"
# 削除ﾎﾞﾀﾝON shows 削除, which deletes the selected row (files stay on the disk).
probe press TQUOVEL32KAPUL '削除ﾎﾞﾀﾝON' || fail "no 削除ﾎﾞﾀﾝON"
until_ok "削除 did not appear" probe shown-name TQUOVEL32KAPUL ButtonMCut
probe press-name TQUOVEL32KAPUL ButtonGomiOFF || fail "no 閉じる of the trash"
probe click-row TQUOVEL32KAPUL 'C:\qv-hist\3.SCR' || fail "no row 3 in the memory list"
probe press-name TQUOVEL32KAPUL ButtonMCut || fail "no 削除"
until_ok "削除 did not delete" memory_is 'C:\qv-hist\1.SCR C:\qv-hist\1.SCR '
[ "$(memory)" = 'C:\qv-hist\1.SCR C:\qv-hist\1.SCR ' ] || fail "memory after 削除: $(memory)"
[ -f "$ROOT/3.SCR" ] || fail "削除 deleted the file"

# Back to the file list of the start folder; three savers played, the last two in HIS.
probe press TQUOVEL32KAPUL 'ﾒﾓﾘｰoff' || fail "no ﾒﾓﾘｰoff"
probe click-row TQUOVEL32KAPUL 'qv-hist' || fail "no row qv-hist"
until_ok "the start folder's savers are not listed" has 'item 3.SCR'
probe press TQUOVEL32KAPUL '再 生' || fail "no 再 生"
wait_count starts 3 40
wait_count ends 3 15
until_ok "the run did not end" idle
has 'item HIS: 2ｺ' || fail "the history caption is not HIS: 2ｺ"
probe close TQUOVEL32KAPUL >/dev/null || fail "could not post WM_CLOSE"
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "exit code $rc"
his="$(tr -d '\r' <"$C/QUOVEL32/QVLE32MH.LIS" | tr '\n' ' ')"
[ "$his" = 'C:\qv-hist\2.SCR C:\qv-hist\3.SCR ' ] || fail "history file: $his"
log "folder history, trash, 削除 and the file history shown on the real program"
