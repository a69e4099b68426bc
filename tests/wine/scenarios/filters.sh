#!/usr/bin/env bash
# The filters and bulk registration on real windows: a folder with Japanese names under the
# prefix opened with the SCR box checked, a click on ALL(*.*) refilling the file list, then a
# bulk registration over the folder tree (a "NetHood" folder left out) filling the memory list,
# and a file dragged with the mouse into the memory list. Screenshots of each step are kept.
source "$(dirname "$0")/../lib.sh"

SHOW="$BIN/tests/browse/win32/filters_show.exe"
ROOT="$WINEPREFIX/drive_c/qv-filters"
rm -rf "$ROOT"
mkdir -p "$ROOT/セーバー/夜空" "$ROOT/セーバー/海/深海" "$ROOT/セーバー/NetHood"
for name in 星.SCR fish.scr 説明.TXT; do printf 'MZ' >"$ROOT/セーバー/$name"; done
printf 'MZ' >"$ROOT/セーバー/夜空/月.scr"
printf 'MZ' >"$ROOT/セーバー/海/魚.SCR"
printf 'MZ' >"$ROOT/セーバー/海/深海/灯.scr"
printf 'MZ' >"$ROOT/セーバー/NetHood/net.scr"
trap 'cleanup; rm -rf "$ROOT"' EXIT

: >"$OUTDIR/show.log"
wine "$SHOW" 'C:\qv-filters\セーバー' >"$OUTDIR/show.log" 2>&1 &
QV_PIDS+=($!)
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
t=0
until grep -q '^ready' "$OUTDIR/show.log"; do
  sleep 0.2; t=$((t + 1))
  [ $t -lt 150 ] || { cat "$OUTDIR/show.log"; fail "the browser did not open"; }
done
log "$(grep '^ready' "$OUTDIR/show.log" | tr -d '\r')"

# wait_for PATTERN WHAT: until the window's texts match.
wait_for() {
  local t=0
  until probe text TQUOVEL32KAPUL | grep -q -- "$1"; do
    sleep 0.2; t=$((t + 1))
    [ $t -lt 100 ] || { probe text TQUOVEL32KAPUL; fail "$2"; }
  done
}

# The SCR box alone: the two savers, the text file left out.
wait_for ' 2ｺ' "the file count is not 2 with the SCR box"
probe text TQUOVEL32KAPUL | grep -q 'item 説明.TXT' && fail "the text file is listed with the SCR box"
sleep 1
shot filters-scr

# ALL(*.*): every file of the folder.
probe click TQUOVEL32KAPUL 'ALL(*.*)' >/dev/null || fail "could not click ALL(*.*)"
wait_for ' 3ｺ' "the file list was not refilled for ALL(*.*)"
wait_for 'item 説明.TXT' "the text file is not listed for ALL(*.*)"
sleep 1
shot filters-all
probe click TQUOVEL32KAPUL 'ALL(*.*)' >/dev/null || fail "could not click ALL(*.*) again"
wait_for ' 2ｺ' "the file list was not refilled with the SCR box"

# Bulk registration over the tree: files before subfolders, NetHood left out.
probe click TQUOVEL32KAPUL '一括登録' >/dev/null || fail "could not click the bulk registration button"
wait_for 'item C:\\qv-filters\\セーバー\\海\\深海\\灯.scr' "the memory list was not filled"
texts="$(probe text TQUOVEL32KAPUL)"
rows="$(grep -o 'item C:\\qv-filters\\[^ ]*' <<<"$texts" | sed 's/^item //' | tr '\n' ' ')"
log "memory rows: $rows"
grep -q 'net.scr' <<<"$rows" && fail "a file under NetHood was registered"
[ "$(wc -w <<<"$rows")" = 5 ] || fail "expected 5 registered files"
first2="$(cut -d' ' -f1-2 <<<"$rows")"
case "$first2" in
  *'セーバー\fish.scr'*'セーバー\星.SCR'*) ;;
  *) fail "the start folder's files do not come first: $first2" ;;
esac
sleep 1
shot filters-bulk

# A real mouse drag of a file-list row onto the memory list's second row, copied through the drop
# menu (its "C" item): the file goes in at that row.
probe drag TQUOVEL32KAPUL '星.SCR' 'C:\qv-filters\セーバー\星.SCR' 0x43 >/dev/null || fail "could not drag"
memory_rows() { probe text TQUOVEL32KAPUL | grep -o 'item C:\\qv-filters\\[^ ]*' | sed 's/^item //' | tr '\n' ' '; }
t=0
until [ "$(memory_rows | wc -w)" = 6 ]; do
  sleep 0.2; t=$((t + 1))
  [ $t -lt 50 ] || fail "expected 6 rows after the drop: $(memory_rows)"
done
rows="$(memory_rows)"
log "memory rows after the drop: $rows"
[ "$(cut -d' ' -f2 <<<"$rows")" = "$(cut -d' ' -f3 <<<"$rows")" ] || fail "the dropped file is not on the second row: $rows"
sleep 1
shot filters-drag

probe close TQUOVEL32KAPUL >/dev/null || fail "could not post WM_CLOSE"
set +e; wait_exit "$(last_pid)" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "exit code $rc"
log "filters and bulk registration shown"
