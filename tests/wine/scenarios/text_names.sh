#!/usr/bin/env bash
# Names Shift-JIS cannot hold, on QUOVEL32.EXE with real input: a folder holds X¥Y.SCR (a yen
# sign, which best fit would turn into "\") beside a folder X holding Y.SCR, and Jürgen.SCR beside
# Jurgen.SCR. Every file-list row names exactly one file (the two names Shift-JIS lacks go by
# their 8.3 names); 再 生 plays each saver once; a copy and a delete touch exactly the file the row
# stands for; after a restart in memory mode a bulk registration stores each once.
source "$(dirname "$0")/../lib.sh"

fresh_manager
ROOT="$C/qv-names"
rm -rf "$ROOT"
mkdir -p "$ROOT/X" "$ROOT/先"
# saver FILE TAG: a logging test saver whose last bytes tell it apart.
saver() { cp "$BIN/savers/TESTSAVE.SCR" "$1"; printf '%s' "$2" >>"$1"; }
saver "$ROOT/X¥Y.SCR" yen
saver "$ROOT/X/Y.SCR" sub
saver "$ROOT/Jürgen.SCR" umlaut
saver "$ROOT/Jurgen.SCR" plain
trap 'cleanup; rm -rf "$ROOT"' EXIT
reg_set "$EXE_KEY" CPATH 'C:\qv-names'
reg_set "$EXE_KEY" MEMORY "1,-1,0,1,0,1,0"                 # memory mode off, names not shown
reg_set "$EXE_KEY" SAISEIM "0,0,0,0,-1,-1,-1,-1,1,1"       # 連続 without endless, 実行
reg_set "$EXE_KEY" TIMER 2
saver_log

rows() { probe items TQUOVEL32KAPUL ListBox4 | sed 's/^item //'; }
# file_of ROW: the file of the disk a row names, as the system resolves it.
file_of() { readlink -f "$(winepath -u "C:\\qv-names\\$1" 2>/dev/null)"; }
tag_of() { tail -c "${#2}" "$1" 2>/dev/null; }
row_for() {  # row_for FILE: the row that names FILE
  local r
  local want r; want="$(readlink -f "$1")"
  while read -r r; do [ "$(file_of "$r")" = "$want" ] && { echo "$r"; return; }; done < <(rows)
  true
}
close_manager() {
  probe close TQUOVEL32KAPUL >/dev/null || fail "could not post WM_CLOSE"
  set +e; wait_exit "$1" 20; local rc=$?; set -e
  [ "$rc" = 0 ] || fail "exit code $rc"
}

start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
wait_for ' 3ｺ' "the file list does not show three rows"
sleep 1
shot rows
log "rows: $(rows | tr '\n' ' ')"
# Three rows, each naming one file of its own: none is a look-alike of another's name.
[ "$(rows | while read -r r; do file_of "$r"; done | sort -u | wc -l)" = 3 ] || fail "the rows do not name three files"
yen="$(row_for "$ROOT/X¥Y.SCR")"; umlaut="$(row_for "$ROOT/Jürgen.SCR")"
[ -n "$yen" ] && [ -n "$umlaut" ] && [ -n "$(row_for "$ROOT/Jurgen.SCR")" ] || fail "a file has no row of its own"
rows | grep -q '[\\¥]' && fail "a row shows a separator or a look-alike"

# 再 生 plays the three savers, each once.
probe press TQUOVEL32KAPUL '再 生' || fail "no 再 生 button"
wait_count starts 3 30
wait_count ends 3 15
played="$(tr -d '\r' <"$LOG" | awk '/ start / { print $2 }' | sort -u | wc -l)"
[ "$played" = 3 ] || { cat "$LOG"; fail "the run played $played different savers, expected 3"; }
t=0
until probe text TQUOVEL32KAPUL | head -1 | grep -q 'QUOVEL32 EXE版'; do
  sleep 0.2; t=$((t + 1)); [ $t -lt 50 ] || fail "the run did not end"
done

# A copy of Jürgen's row copies Jürgen.SCR, under the name the row shows.
select_rows "$umlaut"
file_menu "$umlaut" 0x43
probe wait-window '#32770' 15000 >/dev/null || fail "no save dialog"
sleep 1
probe type '#32770' 'C:\qv-names\先\このフォルダーに、コピーする'
probe keys '#32770' 13
answer '1個のファイルをコピーしました。' Btn_OK
[ "$(tag_of "$ROOT/先/$umlaut" umlaut)" = umlaut ] || fail "the copy is not Jürgen.SCR: $(ls "$ROOT/先")"

# A delete of the yen row deletes X¥Y.SCR; X\Y.SCR stays.
select_rows "$yen"
file_menu "$yen" 0x4B
answer '選択されているﾌｧｲﾙを削除してもよろしいですか' Btn_Yes
answer '1個のファイルを削除しました。' Btn_OK
[ ! -e "$ROOT/X¥Y.SCR" ] || fail "X¥Y.SCR is still there"
[ "$(tag_of "$ROOT/X/Y.SCR" sub)" = sub ] || fail "X\\Y.SCR was touched"
[ "$(tag_of "$ROOT/Jürgen.SCR" umlaut)" = umlaut ] && [ "$(tag_of "$ROOT/Jurgen.SCR" plain)" = plain ] ||
  fail "another file was touched"
close_manager "$pid"

# Memory mode: a bulk registration (of the folder and its subfolders) stores each file once, by
# the name its row shows.
rm -f "$C/windows/QVLA32M3.LIS"
reg_set "$EXE_KEY" MEMORY "0,-1,0,0,3,0,0"                 # memory mode on, M3 current
start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
wait_for ' 2ｺ' "the file list does not show two rows"
bulk_registration
wait_for 'M3 : 4ｺ' "the bulk registration did not register four files"
close_manager "$pid"
stored="$(iconv -f CP932 -t UTF-8 <"$C/windows/QVLA32M3.LIS" | tr -d '\r' | sort | tr '\n' ' ')"
want="$(printf 'C:\\qv-names\\%s\n' Jurgen.SCR "$umlaut" 'X\Y.SCR' "先\\$umlaut" | sort | tr '\n' ' ')"
[ "$stored" = "$want" ] || fail "list file holds '$stored', expected '$want'"
log "each row named one file: played, copied, deleted and registered as that file"
