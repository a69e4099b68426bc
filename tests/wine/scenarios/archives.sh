#!/usr/bin/env bash
# LZH archives on QUOVEL32.EXE with real input, through the archiver library beside the program.
# The file menu of the memory list extracts two archives into the working folder, then one of them
# again into a new sub-folder after はい; an archive with a "..\" entry writes nothing outside the
# working folder and its failure shows in the error report; three selected files are compressed
# into an archive that lha accepts. A run then plays the two test savers inside an archive from its
# extraction folder (the only place those savers exist), and a double click on the archive
# row leaves the archive view showing until its label is clicked. Screenshots of the archive view
# and the error report. First, the archiver moved from beside the program into the browsed (current)
# folder is not loaded from there: the extraction fails.
source "$(dirname "$0")/../lib.sh"

fresh_manager
ROOT="$C/qv-arc"
WORK="$C/QVWORK"
rm -rf "$ROOT" "$WORK"
mkdir -p "$ROOT/in" "$WORK"
trap 'cleanup; rm -rf "$ROOT"' EXIT
cp "$BIN/savers/TESTSAVE.SCR" "$ROOT/in/ARCA.SCR"
cp "$BIN/savers/TESTSAVE.SCR" "$ROOT/in/ARCB.SCR"
cp "$BIN/savers/TESTSAVE.SCR" "$ROOT/SAVERC.SCR"
printf 'read me\r\n' >"$ROOT/in/readme.txt"
for n in A B C; do printf "text $n\r\n" >"$ROOT/$n.TXT"; done
printf 'MZ evil' >"$ROOT/EVIL.SCR"
(cd "$ROOT/in" && jlha aq ../PACK.LZH ARCA.SCR ARCB.SCR && jlha aq ../DOCS.LZH readme.txt) || fail "jlha"
(cd "$ROOT/in" && jlha aq ../EVIL.LZH ../EVIL.SCR readme.txt) || fail "jlha"
rm -r "$ROOT/EVIL.SCR" "$ROOT/in"   # ARCA and ARCB now exist only inside PACK.LZH
lha l "$ROOT/EVIL.LZH" | grep -q '\.\./EVIL.SCR' || fail "the unsafe archive does not hold ../EVIL.SCR"
rows=(PACK.LZH SAVERC.SCR DOCS.LZH EVIL.LZH A.TXT B.TXT C.TXT)
list=""
for r in "${rows[@]}"; do list+="C:\\\\qv-arc\\\\$r\r\n"; done
printf "$list" >"$C/windows/QVLA32M0.LIS"
reg_set "$EXE_KEY" MEMORY "0,-1,0,0,0,0,0"                    # memory mode on, M0, paths shown
reg_set "$EXE_KEY" SAISEIM "0,0,0,0,-1,-1,-1,-1,1,1"          # 連続, once through, 実行
reg_set "$EXE_KEY" TIMER 3
reg_set "$EXE_KEY" CPATH 'C:\qv-arc'                          # the browser opens there: the current folder
saver_log
row() { echo "C:\\qv-arc\\$1"; }

start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
wait_for 'item C:.qv-arc.C.TXT' "the memory list is not filled"

# A library in the current folder is never loaded (none is beside the program or the system's).
for f in windows windows/system32; do [ ! -e "$C/$f/UnLha32.DLL" ] || fail "an archiver in $f"; done
mv "$C/QUOVEL32/UnLha32.DLL" "$ROOT/UnLha32.DLL"
select_rows "$(row DOCS.LZH)"
file_menu "$(row DOCS.LZH)" 0x4C
answer 'ﾌｧｲﾙの解凍に失敗しました' Btn_OK
answer '0個のLZHファイルを解凍しました。' Btn_OK
probe wait-window Notepad 20000 >/dev/null && probe close Notepad >/dev/null || fail "the error report is not shown"
mv "$ROOT/UnLha32.DLL" "$C/QUOVEL32/UnLha32.DLL" && rm -rf "$WORK/DOCS.LZH"

# Extraction of two archives into new folders named like them, each with a copy of its archive.
select_rows "$(row PACK.LZH)" "$(row DOCS.LZH)"
file_menu "$(row DOCS.LZH)" 0x4C
answer '2個のLZHファイルを解凍しました。' Btn_OK
cmp -s "$WORK/PACK.LZH/ARCA.SCR" "$BIN/savers/TESTSAVE.SCR" || fail "ARCA.SCR not extracted"
[ -f "$WORK/PACK.LZH/ARCB.SCR" ] && cmp -s "$WORK/PACK.LZH/PACK.LZH" "$ROOT/PACK.LZH" || fail "PACK.LZH folder: $(ls "$WORK/PACK.LZH")"
expect_file "$WORK/DOCS.LZH/readme.txt" 'read me\r\n'
# The same archive again: a sub-folder after はい.
select_rows "$(row PACK.LZH)"
file_menu "$(row PACK.LZH)" 0x4C
answer '新規にサブフォルダーを作成しますか' Btn_Yes
answer '1個のLZHファイルを解凍しました。' Btn_OK
cmp -s "$WORK/PACK.LZH/000/ARCB.SCR" "$BIN/savers/TESTSAVE.SCR" || fail "no extraction into PACK.LZH\\000"

# An archive with an entry that climbs out: nothing lands outside, the report says why.
select_rows "$(row EVIL.LZH)"
file_menu "$(row EVIL.LZH)" 0x4C
answer 'ﾌｧｲﾙの解凍に失敗しました' Btn_OK
answer '0個のLZHファイルを解凍しました。' Btn_OK
probe wait-window Notepad 20000 >/dev/null || fail "the error report is not shown"
sleep 1
shot error-report
probe close Notepad >/dev/null
[ -z "$(find "$C" -name EVIL.SCR)" ] || fail "EVIL.SCR was written: $(find "$C" -name EVIL.SCR)"
[ -z "$(ls "$WORK/EVIL.LZH" | grep -v '^EVIL.LZH$')" ] || fail "EVIL.LZH was partly extracted: $(ls "$WORK/EVIL.LZH")"
report="$(iconv -f CP932 -t UTF-8 <"$WORK/ErR\$\$\$\$\$.TXT" | tr -d '\r')"
grep -q '^1個ｴﾗｰが発生しました。$' <<<"$report" && grep -qF 'LZHﾌｧｲﾙ 解凍ｴﾗｰ：　C:\QV-ARC\EVIL.LZH' <<<"$report" ||
  { echo "$report"; fail "error report"; }

# Three selected files compressed under a name typed with a path that leads out of the
# compression folder (after a character Shift-JIS lacks was refused): the archive is made inside it all the same, under the name alone.
select_rows "$(row A.TXT)" "$(row B.TXT)" "$(row C.TXT)"
file_menu "$(row B.TXT)" 0x46
probe wait-window TSNBox 15000 >/dev/null || fail "no name dialog"
expect_text TSNBox '圧縮ﾌｧｲﾙ名を入力して下さい：'
probe press-name TSNBox Edit1 || fail "no name box"     # the caret into the name
probe keys TSNBox 0x23 shift+0x24 0x2E || fail "keys"   # End, Shift+Home, Delete
probe type TSNBox "Jü"                                  # a character Shift-JIS lacks is refused
probe wait-window TMKBox 15000 >/dev/null && sleep 0.5 && shot text-refused
answer 'シフトJISで表せない文字は入力出来ません。' Btn_OK
probe text TSNBox | grep -q '^child Edit J$' || { probe text TSNBox; fail "the name did not keep what it had"; }
probe keys TSNBox 0x23 shift+0x24 0x2E || fail "keys"
probe type TSNBox "../../ABC"
probe press-name TSNBox Button1 || fail "no OK button"
answer '3個のファイルを圧縮しました。' Btn_OK
made="$WORK/\$\$\$\$圧縮/ABC.lzh"
[ -f "$made" ] || fail "no ABC.lzh: $(ls "$WORK")"
[ -z "$(find "$C" -maxdepth 2 -iname 'ABC.lzh')" ] || fail "an archive was made outside: $(find "$C" -maxdepth 2 -iname 'ABC.lzh')"
lha t "$made" >"$OUTDIR/lha-t.log" 2>&1 || { cat "$OUTDIR/lha-t.log"; fail "lha t refuses ABC.lzh"; }
[ "$(lha l "$made" | grep -c '\.TXT')" = 3 ] || { lha l "$made"; fail "ABC.lzh does not hold the three files"; }

# A run through the list from its first row: the archive's savers play from its extraction
# folder (emptied first: the run extracts them afresh, and nowhere else), then SAVERC.
rm -rf "$WORK/PACK.LZH"
select_rows "$(row PACK.LZH)"
probe press TQUOVEL32KAPUL "再 生" || fail "no 再 生 button"
wait_count starts 3 60
wait_count ends 3 20
log "saver log:"; cat "$LOG"
[ "$(awk '/ start / { printf "%s ", $2 }' "$LOG")" = 'ARCA ARCB SAVERC ' ] || fail "savers started out of order"
found="$(cd "$C" && find . -name 'ARC[AB].SCR' | sort | tr '\n' ' ')"
[ "$found" = './QVWORK/PACK.LZH/ARCA.SCR ./QVWORK/PACK.LZH/ARCB.SCR ' ] || fail "archive savers found at: $found"
t=0
while probe text TQUOVEL32KAPUL | head -1 | grep -q '表示中'; do sleep 0.2; t=$((t + 1)); [ $t -lt 50 ] || fail "the run did not end"; done

# A double click on the archive row plays its first saver alone; the archive view stays.
probe click-row TQUOVEL32KAPUL "$(row PACK.LZH)" 2 || fail "no archive row"
wait_count starts 4 30
sleep 1.5
xdotool mousemove 300 300; sleep 0.3; xdotool mousemove 360 360
wait_count ends 4 10
sleep 2
[ "$(probe items TQUOVEL32KAPUL ListBox3 | tr -d '\n')" = 'item ARCA.SCRitem ARCB.SCR' ] ||
  fail "archive view rows: $(probe items TQUOVEL32KAPUL ListBox3)"
[ "$(probe caption TQUOVEL32KAPUL Label21) $(probe caption TQUOVEL32KAPUL Label22)" = 'PACK.LZH 2ｺ' ] ||
  fail "archive labels: $(probe caption TQUOVEL32KAPUL Label21) $(probe caption TQUOVEL32KAPUL Label22)"
probe shown-name TQUOVEL32KAPUL ComboBox2 >/dev/null && fail "the drive selector shows in the archive view"
shot archive-view
probe press-name TQUOVEL32KAPUL Label21 || fail "no Label21"
sleep 0.5
probe shown-name TQUOVEL32KAPUL ListBox3 >/dev/null && fail "the archive view stayed after the label click"
probe shown-name TQUOVEL32KAPUL ComboBox2 >/dev/null || fail "the drive selector did not come back"

probe close TQUOVEL32KAPUL >/dev/null || fail "could not post WM_CLOSE"
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "exit code $rc"
log "archives extracted, refused, compressed and played"
