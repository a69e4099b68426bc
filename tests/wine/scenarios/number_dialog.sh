#!/usr/bin/env bash
# The number-setting dialog as a real window: the spin buttons change the value, 設 定 asks for
# confirmation (いいえ keeps the dialog open, はい takes the value), the minimum raises a small
# value, 中 止 and the close button keep the old value.
source "$(dirname "$0")/../lib.sh"
SHOW="$BIN/tests/wine/tmset_show.exe"
CLASS=TTMSETBox

# open NAME ARGS...: starts tmset_show with ARGS and waits for its dialog.
open() {
  local name="$1"; shift
  OUT="$OUTDIR/$name.out"
  wine "$SHOW" "$@" >"$OUT" 2>&1 &
  PID=$!
  QV_PIDS+=($PID)
  probe wait-window "$CLASS" 20000 >/dev/null || fail "no dialog for $name"
  # Where the client area starts on the screen: the dialog frame is as wide at the bottom as at
  # the sides.
  local rect l t r b cw ch
  rect="$(probe rect "$CLASS")" || fail "no rectangle of the dialog"
  read -r l t r b <<<"$(head -n1 <<<"$rect")"
  read -r _ cw ch <<<"$(tail -n1 <<<"$rect")"
  local border=$(( (r - l - cw) / 2 ))
  CX=$((l + border)); CY=$((b - border - ch))
}
# spin N up|down [TIMES]: clicks a half of SpinButtonN (design bounds: left 124 + 24 × (N - 1),
# top 72, 20 × 25) with the real mouse.
spin() {
  local x=$((CX + 124 + 24 * ($1 - 1) + 10)) y=$((CY + 78)) i
  [ "$2" = up ] || y=$((CY + 91))
  for i in $(seq 1 "${3:-1}"); do
    xdotool mousemove "$x" "$y" click 1 || fail "xdotool could not click"
  done
}
# value TEXT: waits until the value label reads TEXT (an extended regular expression).
value() {
  local i
  for i in $(seq 1 50); do
    probe text "$CLASS" | grep -qE " ($1)\$" && return 0
    sleep 0.1
  done
  log "texts of the dialog:"; probe text "$CLASS" || true
  fail "the value never read $1"
}
# confirm ANSWER TEXT: presses 設 定, checks the question and answers it.
confirm() {
  probe click "$CLASS" "設 定" || fail "no 設 定 button"
  probe wait-window TMKBox 10000 >/dev/null || fail "no confirmation box"
  expect_text TMKBox "$2"
  [ -n "${3:-}" ] && { sleep 1; shot "$3"; }
  probe click TMKBox "$1" || fail "no $1 in the confirmation box"
  probe wait-gone TMKBox 10000 || fail "the confirmation box stayed"
}
# finish EXPECTED: waits for tmset_show to end and checks what it printed.
finish() {
  set +e; wait_exit "$PID" 30; set -e
  tr -d '\r' <"$OUT" | grep -qx "$1" || { cat "$OUT"; fail "expected '$1', got '$(tr -d '\r' <"$OUT")'"; }
  log "$1"
}

# Spin, refuse the confirmation, spin on, accept.
open spin seconds 30 10
value "30秒"
sleep 1
shot dialog
spin 2 up 2
value "50秒"
spin 1 down
value "49秒"
confirm "いいえ" "49秒に、設定します" confirm
probe wait-window "$CLASS" 1000 >/dev/null || fail "いいえ closed the dialog"
spin 3 up
value "109秒"
shot after-spinning
confirm "はい" "109秒に、設定します"
finish "result 1 tcount 109"

# A small non-zero value becomes the minimum; the 60 step stops at 0.
open minimum seconds 30 10
spin 3 down
value "0秒"
spin 1 up 3
value "3秒"
confirm "はい" "10秒に、設定します"
finish "result 1 tcount 10"

# Counts of items; 中 止 keeps the old value.
open items items 5
value "5個"
spin 2 up
value "15個"
sleep 1
shot items
probe click "$CLASS" "中 止" || fail "no 中 止 button"
finish "result 3 tcount 5"

# Holding a half repeats its step; the close button keeps the old value.
open close seconds 30
xdotool mousemove $((CX + 134)) $((CY + 78)) mousedown 1 || fail "xdotool could not press"
value "3[4-9]秒|[4-9][0-9]秒|[1-9][0-9][0-9]秒"
shot holding
xdotool mouseup 1
probe close "$CLASS" >/dev/null
finish "result 2 tcount 30"
