#!/usr/bin/env bash
# Each kind of message box as a real window with Japanese text: OK, Yes/No, timed, error.
source "$(dirname "$0")/../lib.sh"
SHOW="$BIN/tests/wine/mkbox_show.exe"

# box KIND SECONDS ACTION EXPECTED: open a box, take its picture, answer it, check the result.
box() {
  local kind="$1" seconds="$2" action="$3" expected="$4" out="$OUTDIR/$1.out"
  wine "$SHOW" "$kind" "$seconds" >"$out" 2>&1 &
  local pid=$!
  QV_PIDS+=($pid)
  probe wait-window TMKBox 20000 >/dev/null || fail "no $kind box"
  sleep 1
  shot "box-$kind"
  case "$action" in
    wait) ;;
    close) probe close TMKBox >/dev/null ;;
    *) probe click TMKBox "$action" || fail "no button $action in the $kind box" ;;
  esac
  set +e; wait_exit "$pid" 30; set -e
  tr -d '\r' <"$out" | grep -qx "result $expected" || { cat "$out"; fail "$kind box gave $(tr -d '\r' <"$out")"; }
  log "$kind box: result $expected"
}

box ok 10 "ＯＫ" 1
box yesno 10 "いいえ" 7
box timed 3 wait 1          # closes by itself with its default
box yesnotimed 60 "はい" 6
box error 60 "中 断" 3
box ok 10 close 2
