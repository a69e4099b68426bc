#!/usr/bin/env bash
# The working folder on QUOVEL32.EXE with real input: a first start without one opens the
# folder-setting dialog; a three-level folder that does not exist is typed, はい creates the whole
# chain and the folder is registered. Then 作業用ﾌｫﾙﾀﾞｰの変更 → 参照 opens the browse dialog, a
# folder with a Japanese name is made there through the text input dialog, picked, and becomes the
# working folder. TMPQVLA is checked after the close; screenshots of the three dialogs.
source "$(dirname "$0")/../lib.sh"

fresh_manager
ROOT="$C/qv-work"
rm -rf "$ROOT"
mkdir -p "$ROOT"
trap 'cleanup; rm -rf "$ROOT"' EXIT
SCR_KEY="$KEY\\QUOVEL32\\SCR"
wine reg delete "$SCR_KEY" /v TMPQVLA /f >/dev/null 2>&1 || fail "registry"   # never set yet

# replace_text CLASS NAME TEXT: the edit field NAME of window CLASS gets TEXT typed over its text.
replace_text() {
  probe press-name "$1" "$2" || fail "no field $2 in $1"
  probe keys "$1" 0x23 shift+0x24 0x2E || fail "keys"   # End, Shift+Home, Delete
  probe type "$1" "$3"
}
tmpqvla() {
  wine reg query "$SCR_KEY" /v TMPQVLA 2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r' | sed -n 's/^ *TMPQVLA *REG_SZ *//p'
}

start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"

# No working folder: the folder-setting dialog comes first.
probe wait-window TDIR2SETForm 20000 >/dev/null || fail "no folder-setting dialog at the first start"
expect_text TDIR2SETForm 'KAPULT32.TmPQVLA'
sleep 1
shot folder-setting
replace_text TDIR2SETForm Edit1 'C:\qv-work\一\二\三'
probe press-name TDIR2SETForm Button4 || fail "no 設定"
answer 'フォルダーを作成します' Btn_Yes
answer 'フォルダーを登録しました' Btn_OK
probe wait-gone TDIR2SETForm 10000 || fail "the folder-setting dialog stayed open"
[ -d "$ROOT/一/二/三" ] || fail "the folder chain was not created"

# 作業用ﾌｫﾙﾀﾞｰの変更 → 参照 → a new folder in the browse dialog, picked and registered.
pick_menu 0x66 0x46                                   # ファイル(&F) → 作業用ﾌｫﾙﾀﾞｰの変更...(&F)
probe wait-window TDIR2SETForm 20000 >/dev/null || fail "TEMPSS did not open the folder-setting dialog"
expect_text TDIR2SETForm 'qv-work.一.二.三'
probe press-name TDIR2SETForm Button2 || fail "no 参照"
probe wait-window TDIR2VIEWForm 20000 >/dev/null || fail "no browse dialog"
expect_text TDIR2VIEWForm 'フォルダーの参照'
sleep 1
shot browse
probe press-name TDIR2VIEWForm Button3 || fail "no NF"
probe wait-window TSNBox 15000 >/dev/null || fail "no text input dialog"
expect_text TSNBox '新規作成フォルダー名を入力して下さい☆'
probe press-name TSNBox Edit1 || fail "no field in the text input dialog"
probe type TSNBox '作業場所'
sleep 1
shot text-input
probe press-name TSNBox Button1 || fail "no 登録"
probe wait-gone TSNBox 10000 || fail "the text input dialog stayed open"
t=0
until probe text TDIR2VIEWForm | grep -q 'qv-work.一.二.三.作業場所'; do
  sleep 0.2; t=$((t + 1)); [ $t -lt 50 ] || { probe text TDIR2VIEWForm; fail "the new folder was not opened"; }
done
[ -d "$ROOT/一/二/三/作業場所" ] || fail "the new folder was not created"
probe press-name TDIR2VIEWForm Button2 || fail "no 設定 in the browse dialog"
probe wait-gone TDIR2VIEWForm 10000 || fail "the browse dialog stayed open"
expect_text TDIR2SETForm 'qv-work.一.二.三.作業場所'
probe press-name TDIR2SETForm Button4 || fail "no 設定"
answer 'フォルダーを登録しました' Btn_OK
probe wait-gone TDIR2SETForm 10000 || fail "the folder-setting dialog stayed open"

probe close TQUOVEL32KAPUL >/dev/null || fail "could not post WM_CLOSE"
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "exit code $rc"
[ "$(tmpqvla)" = 'C:\qv-work\一\二\三\作業場所' ] || fail "TMPQVLA is '$(tmpqvla)'"
log "working folder set at the first start and changed through the browse dialog"
