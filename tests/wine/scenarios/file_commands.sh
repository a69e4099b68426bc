#!/usr/bin/env bash
# Really copy, move and delete on QUOVEL32.EXE with real input: file-list rows selected with the
# mouse, the file menu opened by a right click and its item picked by its key, the copy's folder
# chosen in the system's save dialog (a path typed, Enter), an existing file overwritten after
# はい and kept after いいえ; a move onto the file itself through a drive letter that names its
# folder, which leaves it whole; then a move and a delete. The files on disk (bytes and dates),
# the file list and the remembered folders are checked. Screenshots of the save dialog and of the
# move onto itself.
source "$(dirname "$0")/../lib.sh"

fresh_manager
ROOT="$C/qv-files"
rm -rf "$ROOT"
mkdir -p "$ROOT/元" "$ROOT/先"
for n in A B C; do printf "MZ saver $n" >"$ROOT/元/$n.SCR"; done
touch -d '2021-03-04 05:06:07' "$ROOT/元/"*.SCR
for n in B C; do printf 'MZ old' >"$ROOT/先/$n.SCR"; done
touch -d '2019-01-02 03:04:05' "$ROOT/先/"*.SCR
# Drive Q: names the source folder: another spelling of the same files (as subst or a mapped
# share of a local folder gives one).
ALIAS="$WINEPREFIX/dosdevices/q:"
rm -f "$ALIAS"
ln -s ../drive_c/qv-files/元 "$ALIAS"
trap 'cleanup; rm -rf "$ROOT"; rm -f "$ALIAS"' EXIT
reg_set "$EXE_KEY" CPATH 'C:\qv-files\元'
reg_set "$EXE_KEY" MEMORY "1,-1,0,1,0,1,0"                  # memory mode off, names not shown

file_rows() { probe items TQUOVEL32KAPUL ListBox4 | sed 's/^item //' | tr '\n' ' '; }
# choose_folder FILE-NAME: the save dialog gets a path typed and Enter.
choose_folder() {
  probe wait-window '#32770' 15000 >/dev/null || fail "no save dialog"
  sleep 1
  [ "${2:-}" = shot ] && shot save-dialog
  probe type '#32770' "$1"
  probe keys '#32770' 13
}
same_date() { [ "$(stat -c %Y "$1")" = "$(stat -c %Y "$2")" ] || fail "$(basename "$2") has another date than its source"; }

start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
wait_for 'item C.SCR' "the file list is not filled"

# Copy A, B and C: B is overwritten after はい, C kept after いいえ.
select_rows A.SCR B.SCR C.SCR
file_menu B.SCR 0x43
choose_folder 'C:\qv-files\先\このフォルダーに、コピーする' shot
answer 'qv-files.先.B.SCR' Btn_Yes
answer 'qv-files.先.C.SCR' Btn_No
answer '2個のファイルをコピーしました。' Btn_OK
expect_file "$ROOT/先/A.SCR" 'MZ saver A'
expect_file "$ROOT/先/B.SCR" 'MZ saver B'
expect_file "$ROOT/先/C.SCR" 'MZ old'
same_date "$ROOT/元/A.SCR" "$ROOT/先/A.SCR"
same_date "$ROOT/元/B.SCR" "$ROOT/先/B.SCR"
[ -z "$(ls "$ROOT/先" | grep -v '\.SCR$')" ] || fail "a temporary file was left: $(ls "$ROOT/先")"
[ "$(file_rows)" = 'A.SCR B.SCR C.SCR ' ] || fail "a copy changed the file list: $(file_rows)"

# Move B to Q:\, where it already is: the same file, so nothing is asked (はい would have
# replaced it by itself and then deleted it) and B stays whole in its row.
select_rows B.SCR
file_menu B.SCR 0x4D
choose_folder 'Q:\このフォルダーに、移動する'
probe wait-window TMKBox 15000 >/dev/null || fail "no message after the move onto itself"
shot move-onto-itself
answer '0個のファイルを移動しました。' Btn_OK
expect_file "$ROOT/元/B.SCR" 'MZ saver B'
[ "$(file_rows)" = 'A.SCR B.SCR C.SCR ' ] || fail "file list after the move onto itself: $(file_rows)"
[ -z "$(ls "$ROOT/元" | grep -v '\.SCR$')" ] || fail "a temporary file was left: $(ls "$ROOT/元")"

# Move C (over the old C after はい): it leaves the folder and the file list.
select_rows C.SCR
file_menu C.SCR 0x4D
choose_folder 'C:\qv-files\先\このフォルダーに、移動する'
answer 'qv-files.先.C.SCR' Btn_Yes
answer '1個のファイルを移動しました。' Btn_OK
expect_file "$ROOT/先/C.SCR" 'MZ saver C'
[ ! -e "$ROOT/元/C.SCR" ] || fail "the moved file is still in its folder"
[ "$(file_rows)" = 'A.SCR B.SCR ' ] || fail "file list after the move: $(file_rows)"

# Delete A after the question.
select_rows A.SCR
file_menu A.SCR 0x4B
answer '選択されているﾌｧｲﾙを削除してもよろしいですか' Btn_Yes
answer '1個のファイルを削除しました。' Btn_OK
[ ! -e "$ROOT/元/A.SCR" ] || fail "the deleted file is still there"
[ "$(file_rows)" = 'B.SCR ' ] || fail "file list after the delete: $(file_rows)"

probe close TQUOVEL32KAPUL >/dev/null || fail "could not post WM_CLOSE"
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "exit code $rc"
for v in COPYPath IDOPath; do
  got="$(wine reg query "$EXE_KEY" /v "$v" 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r' | sed -n "s/^ *$v *REG_SZ *//p")"
  [ "$got" = 'C:\qv-files\先' ] || fail "$v is '$got'"
done
log "copy with overwrite question, move and delete done on the disk and in the list"
