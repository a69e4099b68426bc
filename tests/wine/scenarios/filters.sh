#!/usr/bin/env bash
# The filters and bulk registration of QUOVEL32.EXE driven with the mouse: a folder with Japanese
# names listed with the SCR box, a click on ALL(*.*) refilling the file list, memory mode switched
# on, a bulk registration over the folder tree (a "NetHood" folder left out) filling the memory
# list, 再 生 starting at the highlighted last row the registration left, and a file dragged with
# the mouse into the memory list. Screenshots of each step are kept.
source "$(dirname "$0")/../lib.sh"

fresh_manager
ROOT="$C/qv-filters"
rm -rf "$ROOT"
mkdir -p "$ROOT/セーバー/夜空" "$ROOT/セーバー/海/深海" "$ROOT/セーバー/NetHood"
saver() { cp "$BIN/savers/TESTSAVE.SCR" "$ROOT/セーバー/$1"; }
saver 星.SCR; saver fish.scr; saver 夜空/月.scr; saver 海/魚.SCR; saver 海/深海/灯.scr; saver NetHood/net.scr
printf 'text\r\n' >"$ROOT/セーバー/説明.TXT"
trap 'cleanup; rm -rf "$ROOT"' EXIT

reg() { reg_set "$EXE_KEY" "$@"; }
reg CPATH 'C:\qv-filters\セーバー'
reg MEMORY "1,-1,0,1,0,1,0"                  # memory mode off, M0, names not shown
reg SAISEIM "0,0,0,0,-1,-1,-1,-1,1,1"        # 連続 without endless, 実行
reg TIMER 2
saver_log

memory_rows() { probe text TQUOVEL32KAPUL | grep -o 'item C:\\qv-filters\\[^ ]*' | sed 's/^item //' | tr '\n' ' '; }

start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"

# The SCR box alone: the two savers, the text file left out.
wait_for ' 2ｺ' "the file count is not 2 with the SCR box"
probe text TQUOVEL32KAPUL | grep -q 'item 説明.TXT' && fail "the text file is listed with the SCR box"
sleep 1
shot filters-scr

# ALL(*.*): every file of the folder; clicked again, the savers alone.
probe press TQUOVEL32KAPUL 'ALL(*.*)' || fail "could not click ALL(*.*)"
wait_for ' 3ｺ' "the file list was not refilled for ALL(*.*)"
wait_for 'item 説明.TXT' "the text file is not listed for ALL(*.*)"
sleep 1
shot filters-all
probe press TQUOVEL32KAPUL 'ALL(*.*)' || fail "could not click ALL(*.*) again"
wait_for ' 2ｺ' "the file list was not refilled with the SCR box"

# Memory mode, then the bulk registration over the tree: files before subfolders, NetHood out.
probe press TQUOVEL32KAPUL 'ﾒﾓﾘｰON' || fail "no ﾒﾓﾘｰON button"
wait_for 'ﾒﾓﾘｰoff' "memory mode did not come on"
bulk_registration
rows="$(memory_rows)"
log "memory rows: $rows"
grep -q 'net.scr' <<<"$rows" && fail "a file under NetHood was registered"
[ "$(wc -w <<<"$rows")" = 5 ] || fail "expected 5 registered files"
case "$(cut -d' ' -f1-2 <<<"$rows")" in
  *'セーバー\fish.scr'*'セーバー\星.SCR'*) ;;
  *) fail "the start folder's files do not come first: $rows" ;;
esac
sleep 1
shot filters-bulk

# 再 生 right after the registration plays the highlighted last row (and, without endless, ends).
probe press TQUOVEL32KAPUL '再 生' || fail "no 再 生 button"
wait_count starts 1 30
wait_count ends 1 15
last="$(awk '{ print $NF }' <<<"$rows")"; last="${last##*\\}"; last="${last%.*}"
first="$(tr -d '\r' <"$LOG" | awk '/ start / { print $2; exit }')"
[ "$first" = "$last" ] || { cat "$LOG"; fail "the run started at $first, not at the last registered row $last"; }
t=0
until probe text TQUOVEL32KAPUL | head -1 | grep -q 'QUOVEL32 EXE版'; do
  sleep 0.2; t=$((t + 1)); [ $t -lt 50 ] || fail "the run did not end"
done
[ "$(starts)" = 1 ] || { cat "$LOG"; fail "the run went on past the last row"; }

# A real mouse drag of a file-list row onto the memory list's second row, copied through the drop
# menu (its "C" item): the file goes in at that row.
probe drag TQUOVEL32KAPUL '星.SCR' 'C:\qv-filters\セーバー\星.SCR' 0x43 >/dev/null || fail "could not drag"
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
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "exit code $rc"
[ "$(wc -l <"$C/windows/QVLA32M0.LIS")" = 6 ] || fail "M0 was not saved with 6 rows"
log "filters, bulk registration, play from its last row and a drop shown on the real program"
