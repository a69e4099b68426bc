#!/usr/bin/env bash
# The program at 96, 120 and 144 pixels per inch (Windows' 100, 125 and 150 %): the manager
# window, its number dialog and a message box are laid out for the display's density: the client
# areas grow by the same factor as the fonts, the menu bar stays on one line (a wrapped bar would
# shrink the client area), and the screenshots show no clipped or overlapping text. Wine takes the
# density of each new program from HKCU\Control Panel\Desktop LogPixels (a REG_DWORD).
source "$(dirname "$0")/../lib.sh"
DESKTOP='HKCU\Control Panel\Desktop'
trap 'cleanup; wine reg delete "$DESKTOP" /v LogPixels /f >/dev/null 2>&1 || true' EXIT

scaled() { echo $(( ($1 * $2 + 48) / 96 )); }
# client CLASS W H PPI: the window's client area is the design size W x H at PPI.
client() {
  local cw ch
  read -r _ cw ch <<<"$(probe rect "$1" | grep '^client')"
  local want="$(scaled "$2" "$4") $(scaled "$3" "$4")"
  log "$1 at $4: client $cw $ch (design $2 $3 scaled: $want)"
  [ "$cw $ch" = "$want" ] || fail "$1 at $4 dpi has a client area of $cw x $ch, not $want"
}

for ppi in 96 120 144; do
  wine reg add "$DESKTOP" /v LogPixels /t REG_DWORD /d "$ppi" /f >/dev/null 2>&1 || fail "registry"
  seen="$(probe monitors | awk '$1 == "dpi" { print $2 }')"
  [ "$seen" = "$ppi" ] || fail "Wine shows $seen pixels per inch instead of $ppi"
  fresh_manager
  start_as "$C/QUOVEL32/QUOVEL32.EXE"
  pid="$(last_pid)"
  probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window at $ppi"
  sleep 2   # the start-up sequence and the first paint
  shot "manager-$ppi"
  client TQUOVEL32KAPUL 401 356 "$ppi"

  probe press-name TQUOVEL32KAPUL ButtonTIMER || fail "no ButtonTIMER"
  probe wait-window TTMSETBox 10000 >/dev/null || fail "no number dialog at $ppi"
  sleep 1
  shot "number-$ppi"
  client TTMSETBox 332 118 "$ppi"
  probe press-name TTMSETBox Button1 || fail "no 設 定"
  probe wait-window TMKBox 10000 >/dev/null || fail "no message box at $ppi"
  sleep 1
  shot "message-$ppi"
  probe press-name TMKBox Btn_No || fail "no いいえ"
  probe wait-gone TMKBox 10000 || fail "the message box stayed"
  probe press-name TTMSETBox Button4 || fail "no 中 止"
  probe wait-gone TTMSETBox 10000 || fail "the number dialog stayed"

  probe close TQUOVEL32KAPUL >/dev/null
  set +e; wait_exit "$pid" 20; rc=$?; set -e
  [ "$rc" = 0 ] || fail "manager exit code $rc at $ppi"
done
log "laid out at 96, 120 and 144 dpi"
