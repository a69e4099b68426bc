#!/usr/bin/env bash
# A folder of 1,000 savers with their names shown, opened with a mouse click in QUOVEL32.EXE: the
# file list orders them by name, and the next start lists the unchanged folder from the listing
# it kept, without reading the savers again; once a saver has changed, the folder is read anew. A
# saver without the description text shows the name of its resources, one without either its
# file name.
source "$(dirname "$0")/../lib.sh"

fresh_manager
ROOT="$C/qv-long"
DIR="$ROOT/SAVERS"
rm -rf "$ROOT" "$C"/windows/QVLIST32.DAT "$C"/windows/QVNAME32.DAT
mkdir -p "$DIR" "$ROOT/TODAY"
cp "$BIN/savers/TESTSAVE.SCR" "$ROOT/TODAY/NEW.SCR"
perl -pi -e 's/SCRNSAVE :/NOTASAVER:/' "$ROOT/TODAY/NEW.SCR"   # only its string resource names it
printf 'MZ' >"$ROOT/TODAY/OLD.SCR"
trap 'cleanup; rm -rf "$ROOT"' EXIT
# saver FILE WORD N: a saver whose description is "WORD NNN" (the same size for any 2-kanji WORD).
saver() { { printf 'MZ'; printf 'SCRNSAVE : %s %03d' "$2" "$3" | iconv -f UTF-8 -t CP932; printf '\000'; } >"$1"; }
for i in $(seq 0 999); do saver "$DIR/S$((1000 + i)).SCR" 名前 $(((i * 7) % 1000)); done

reg() { reg_set "$EXE_KEY" "$@"; }
reg CPATH 'C:\qv-long'
reg DirNo 0
reg MEMORY "1,-1,0,1,0,1,-1"                 # memory mode off, names shown
reg FILESHITEI 0
reg FILENAME '*.SCR'

names() { probe items TQUOVEL32KAPUL ListBox7 | sed 's/^item //'; }
# run_manager: starts the manager, waits until it lists 1,000 savers and prints their names.
start_manager() {
  start_as "$C/QUOVEL32/QUOVEL32.EXE"
  probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
}
stop_manager() {
  local pid; pid="$(last_pid)"
  probe close TQUOVEL32KAPUL >/dev/null || fail "could not post WM_CLOSE"
  set +e; wait_exit "$pid" 20; local rc=$?; set -e
  [ "$rc" = 0 ] || fail "exit code $rc"
}

# First start: the folder clicked open is read and ordered by the savers' names.
start_manager
wait_for 'item SAVERS' "the saved folder's subfolder is not in the folder list"
probe click-row TQUOVEL32KAPUL 'SAVERS' || fail "could not click the folder row"
wait_for ' 1000ｺ' "the file count is not 1000"
first="$(names)"
[ "$(head -3 <<<"$first" | tr '\n' ' ')" = "名前 000 名前 001 名前 002 " ] || fail "names: $(head -3 <<<"$first")"
[ "$(probe items TQUOVEL32KAPUL ListBox4 | sed -n 2p)" = "item S1143.SCR" ] || fail "the second row is not S1143.SCR"
sleep 1
shot long-listing
stop_manager
kept="$(find "$C/windows" "$C/users" -name QVLIST32.DAT 2>/dev/null | head -1)"
[ -n "$kept" ] || fail "no listing kept in the data folder"
log "kept: ${kept#$C/} ($(stat -c %s "$kept") bytes)"

# The savers get other names of the same size with their dates kept, and the names' cache goes:
# only the kept listing still knows the old names.
for f in "$DIR"/*.SCR; do
  when="$(stat -c %y "$f")"
  n="$(grep -ao '[0-9][0-9][0-9]' "$f" | head -1)"
  saver "$f" 別名 "$((10#$n))"
  touch -d "$when" "$f"
done
find "$C/windows" "$C/users" -name QVNAME32.DAT -delete 2>/dev/null || true
start_manager
wait_for ' 1000ｺ' "the next start does not list the saved folder"
[ "$(names)" = "$first" ] || fail "the next start did not list the folder as kept: $(names | head -3)"
stop_manager

# One saver changed: the folder is read and ordered anew.
touch "$DIR/S1000.SCR"
start_manager
wait_for ' 1000ｺ' "the third start does not list the saved folder"
[ "$(names | head -2 | tr '\n' ' ')" = "別名 000 別名 001 " ] || fail "names after a change: $(names | head -2)"

# Savers of today are named by their resources.
probe click-row TQUOVEL32KAPUL 'qv-long' || fail "no row qv-long"
wait_for 'item TODAY' "the folder TODAY is not listed"
probe click-row TQUOVEL32KAPUL 'TODAY' || fail "no row TODAY"
wait_for ' 2ｺ' "the file count is not 2"
[ "$(names | tr '\n' ' ')" = "テスト用セーバー OLD.SCR " ] || fail "names of today's savers: $(names | tr '\n' ' ')"
shot resource-names
stop_manager
log "a long listing kept for the next start, and read anew once a saver changed"
