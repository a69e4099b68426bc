#!/usr/bin/env bash
# The file menu's viewers on QUOVEL32.EXE with real input, on rows of a memory list: the dump of a
# Japanese text opens in the text editor with the characters in its Strings column (screenshot);
# "HTML 0Dh削除" takes the CR bytes out of a page and nothing else; the free-space report lists
# every drive of the drive selector; 開く opens a .TXT through its file type, fills a file type's
# placeholder with the path (variables expanded), gives a handler's verb to the shell, and shows a
# .BAT instead of running it.
source "$(dirname "$0")/../lib.sh"

fresh_manager
ROOT="$C/qv-view"
WORK="$C/QVWORK"
MARKER="$C/qv-marker.txt"
ASSOC="$C/QV-ASSOC.TXT"   # the command is upper-cased, the path in it is not
shell_out() { find "$C" -maxdepth 1 -iname qv-shell.txt "$@"; }   # in the case it was first made in
shell_out -delete
rm -rf "$ROOT" "$MARKER" "$ASSOC" "$WORK"/*'$$$$$.TXT'
mkdir -p "$ROOT"
# Texts are of the type "txtfile", as on Windows (Wine defines the type without the extension).
had_txt=0
wine reg query 'HKCR\.txt' >/dev/null 2>&1 && had_txt=1
forget_type() {
  for k in .qvv QvView.File .qvs QvShell.File; do wine reg delete "HKCR\\$k" /f >/dev/null 2>&1; done
  [ "$had_txt" = 1 ] || wine reg delete 'HKCR\.txt' /f >/dev/null 2>&1
}
wine reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null 2>&1 || fail "reg add .txt"
trap 'cleanup; forget_type; shell_out -delete; rm -rf "$ROOT" "$MARKER" "$ASSOC"' EXIT
printf '日本語のテキスト\r\n二行目\r\n' | iconv -f UTF-8 -t CP932 >"$ROOT/日本.TXT"
printf '<html>\r\n<body>\r\n\r\n本文\r\n</body></html>\r\n' | iconv -f UTF-8 -t CP932 >"$ROOT/PAGE.HTM"
tr -d '\r' <"$ROOT/PAGE.HTM" >"$OUTDIR/page-expected.htm"
printf '@echo off\r\necho made > C:\\qv-marker.txt\r\n' >"$ROOT/MAKE.BAT"
printf 'read me\r\n' >"$ROOT/README.TXT"
printf 'x' >"$ROOT/Mixed Case.qvv"
printf 'x' >"$ROOT/Picture.qvs"
# A file type whose command writes its argument into a file.
wine reg add 'HKCR\.qvv' /ve /d QvView.File /f >/dev/null 2>&1 || fail "reg add .qvv"
wine reg add 'HKCR\QvView.File\shell\open\command' /ve /t REG_EXPAND_SZ \
  /d '%windir%\system32\cmd.exe /c echo %1> C:\qv-assoc.txt' /f >/dev/null 2>&1 || fail "reg add QvView.File"
# A type whose "open" a handler carries out; Wine's shell has none and runs the command instead.
wine reg add 'HKCR\.qvs' /ve /d QvShell.File /f >/dev/null 2>&1 || fail "reg add .qvs"
wine reg add 'HKCR\QvShell.File\shell\open\command' /ve \
  /d 'C:\windows\system32\cmd.exe /c echo shell ran %1> C:\qv-shell.txt' /f >/dev/null 2>&1 || fail "reg add QvShell.File"
wine reg add 'HKCR\QvShell.File\shell\open\command' /v DelegateExecute \
  /d '{A2A9545D-A0C2-42B4-9708-A0B2BADD77C8}' /f >/dev/null 2>&1 || fail "reg add DelegateExecute"
list=""
for r in 日本.TXT PAGE.HTM MAKE.BAT README.TXT 'Mixed Case.qvv' Picture.qvs; do list+="C:\\\\qv-view\\\\$r\r\n"; done
printf "$list" | iconv -f UTF-8 -t CP932 >"$C/windows/QVLA32M0.LIS"
reg_set "$EXE_KEY" MEMORY "0,-1,0,0,0,0,0"   # memory mode on, M0, paths shown
row() { echo "C:\\qv-view\\$1"; }
# menu_on NAME KEY: the file menu on that row alone, its item picked by KEY.
menu_on() {
  select_rows "$(row "$1")"
  file_menu "$(row "$1")" "$2"
}
editor_closed() {
  probe close Notepad >/dev/null || true
  probe wait-gone Notepad 10000 || fail "the editor did not close"
}
report() { iconv -f CP932 -t UTF-8 <"$WORK/$1" | tr -d '\r'; }

start_as "$C/QUOVEL32/QUOVEL32.EXE"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
wait_for 'item C:.qv-view.README.TXT' "the memory list is not filled"

# The dump: Japanese characters whole in the Strings column, in the file and in the editor.
menu_on 日本.TXT 0x42
probe wait-window Notepad 20000 >/dev/null || fail "the dump is not shown"
dump="$(report 'BiN$$$$$.TXT')"
grep -q '^000 93 FA 96 7B 8C EA 82 CC 83 65 83 4C 83 58 83 67 日本語のテキスト$' <<<"$dump" ||
  { echo "$dump"; fail "the dump's first row"; }
grep -q '^ﾌｧｲﾙ名　　: C:\\QV-VIEW\\日本.TXT$' <<<"$dump" || { echo "$dump"; fail "the dump's file name"; }
expect_text Notepad '日本語のテキスト'
sleep 1
shot dump
editor_closed

# CR bytes out of the page, every other byte kept.
menu_on PAGE.HTM 0x44
answer '０Ｄｈを削除してよろしいですか' Btn_Yes
answer '1個のファイルを変換しました。' Btn_OK
cmp "$ROOT/PAGE.HTM" "$OUTDIR/page-expected.htm" || fail "the page is not its bytes without CR"

# Every drive of the drive selector in the free-space report.
menu_on README.TXT 0x53
probe wait-window Notepad 20000 >/dev/null || fail "the free-space report is not shown"
drives="$(report 'DrV$$$$$.TXT')"
letters="$(probe items TQUOVEL32KAPUL ComboBox2 | sed 's/^item \(.\).*/\1/' | tr a-z A-Z)"
[ -n "$letters" ] || fail "no drives in the drive selector"
for d in $letters; do
  grep -q "^ $d:" <<<"$drives" || { echo "$drives"; fail "drive $d missing from the report"; }
done
grep -q '^ C: *[0-9,]* Bytes *[0-9,]* Bytes *[0-9,]*分/ *[0-9,]*分$' <<<"$drives" || { echo "$drives"; fail "drive C's row"; }
editor_closed

# 開く: a text through its file type, a file type's command with the path in its placeholder.
menu_on README.TXT 0x4F
probe wait-window Notepad 20000 >/dev/null || fail "開く did not open the text"
expect_text Notepad 'read me'
# Wine shows a process's command line: the type's command, upper-cased, with the path in it.
editor="$(ps -eo args | grep -i 'notepad' | grep -v grep)"
grep -qF 'C:\WINDOWS\SYSTEM32\NOTEPAD.EXE C:\qv-view\README.TXT' <<<"$editor" || fail "the editor was started as: $editor"
editor_closed
menu_on 'Mixed Case.qvv' 0x4F
t=0
until [ -s "$ASSOC" ]; do sleep 0.2; t=$((t + 1)); [ $t -lt 100 ] || fail "the file type's command did not run"; done
grep -q '^C:\\qv-view\\Mixed Case.qvv' "$ASSOC" || fail "the command got: $(cat "$ASSOC")"

# A handler's verb goes to the shell (which does not upper-case the command), not to the editor.
menu_on Picture.qvs 0x4F
t=0; until [ -s "$(shell_out)" ]; do sleep 0.2; t=$((t + 1)); [ $t -lt 100 ] || fail "the shell did not open the file"; done
grep -q '^shell ran C:\\qv-view\\Picture.qvs' "$(shell_out)" || fail "the shell's command got: $(cat "$(shell_out)")"
probe wait-window Notepad 2000 >/dev/null && fail "the text editor was started for a file the shell opens"

# A batch file is shown, never run.
menu_on MAKE.BAT 0x4F
probe wait-window Notepad 20000 >/dev/null || fail "the batch file is not shown"
expect_text Notepad 'echo made'
sleep 2
[ ! -e "$MARKER" ] || fail "the batch file was run"
editor_closed
log "ok"
