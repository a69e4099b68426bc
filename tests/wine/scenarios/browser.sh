#!/usr/bin/env bash
# The browser on the real drives and folders of the Wine prefix: a folder with Japanese names
# opened in the folder list and in the folder tree, its files listed, both kept as screenshots.
source "$(dirname "$0")/../lib.sh"

SHOW="$BIN/tests/browse/win32/browser_show.exe"
ROOT="$WINEPREFIX/drive_c/qv-browser"
rm -rf "$ROOT"
mkdir -p "$ROOT/スクリーンセーバー/星空" "$ROOT/スクリーンセーバー/海と魚" "$ROOT/スクリーンセーバー/古い"
for name in 星.SCR fish.scr README.TXT other.dat; do printf 'MZ' >"$ROOT/スクリーンセーバー/$name"; done
trap 'cleanup; rm -rf "$ROOT"' EXIT

# show MODE FOLDER: starts browser_show and waits for its window and its "ready" line.
show() {
  : >"$OUTDIR/$1.log"
  wine "$SHOW" "$1" "$2" >"$OUTDIR/$1.log" 2>&1 &
  QV_PIDS+=($!)
  probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window ($1)"
  local t=0
  until grep -q '^ready' "$OUTDIR/$1.log"; do
    sleep 0.2; t=$((t + 1))
    [ $t -lt 150 ] || { cat "$OUTDIR/$1.log"; fail "the browser did not open ($1)"; }
  done
  log "$(grep '^ready' "$OUTDIR/$1.log" | tr -d '\r')"
}
close() {
  probe close TQUOVEL32KAPUL >/dev/null || fail "could not post WM_CLOSE"
  set +e; wait_exit "$(last_pid)" 20; local rc=$?; set -e
  [ "$rc" = 0 ] || fail "exit code $rc"
  probe wait-gone TQUOVEL32KAPUL 5000 || fail "window still there"
}

show list 'C:\qv-browser\スクリーンセーバー'
grep -q '^ready C:\\qv-browser\\スクリーンセーバー' "$OUTDIR/list.log" || fail "opened another folder"
sleep 1   # let the first paint finish before the picture
shot browser-list
texts="$(probe text TQUOVEL32KAPUL)"
# The file list: the .SCR and .TXT files in name order, each once; other files are filtered out.
files="$(grep -o 'item [^ ]*\.\(scr\|SCR\|TXT\)$' <<<"$texts" | tr '\n' ' ')"
log "file rows: $files"
[ "$files" = "item fish.scr item README.TXT item 星.SCR " ] || { echo "$texts"; fail "file list rows"; }
grep -q 'other.dat' <<<"$texts" && fail "a filtered file is listed"
expect_text TQUOVEL32KAPUL ' 3ｺ'   # Label1, the file count

# A user's pick of drive Z: (the Linux root) in the drive combo: the combo labels the drive and
# the folder list moves to that drive.
probe select TQUOVEL32KAPUL 'C:' 1 >/dev/null || fail "could not pick the second drive"
t=0
until probe text TQUOVEL32KAPUL | grep -q '^item Z:\['; do
  sleep 0.2; t=$((t + 1))
  [ $t -lt 100 ] || { probe text TQUOVEL32KAPUL; fail "drive Z: was not labelled after the pick"; }
done
probe text TQUOVEL32KAPUL | grep -q 'item 星.SCR' && fail "the file list still shows drive C:"
sleep 1
shot browser-drive
close

show tree 'C:\qv-browser\スクリーンセーバー\星空'
grep -q '^ready C:\\qv-browser\\スクリーンセーバー\\星空' "$OUTDIR/tree.log" || fail "opened another folder"
sleep 1
shot browser-tree
close
log "list and tree shown"
