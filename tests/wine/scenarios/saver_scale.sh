#!/usr/bin/env bash
# Our savers at 96 and 144 pixels per inch (Windows' 100 and 150 %): YUME full screen covers the
# screen in its real pixels (its client area is the screen's size in pixels, not two thirds of
# it), and the scene's elements grow with the scale: its moon is 1.5 times as wide in pixels at
# 144 as at 96, full screen and in the manager's live preview (there measured on the frame the
# saver leaves, since Wine does not show what one program paints into another's window).
source "$(dirname "$0")/../lib.sh"
DESKTOP='HKCU\Control Panel\Desktop'
trap 'cleanup; wine reg delete "$DESKTOP" /v LogPixels /f >/dev/null 2>&1 || true' EXIT

# moon PNG: the width in pixels of YUME's moon (centred at 84 %, 17 % of the picture): the widest
# span of pixels of the moon's colour (whatever the shade) on 7 rows and 7 columns through its
# middle. A character drifting over it hides a part of it but never widens it.
moon() {
  local w h cx cy reach lit across down
  read -r w h < <(identify -format '%w %h' "$1")
  cx=$((w * 84 / 100)) cy=$((h * 17 / 100)) reach=$((w / 8))
  lit='r >= 0.59 && abs(g / r - 0.965) < 0.03 && abs(b / r - 0.839) < 0.04'
  across=$(convert "$1" -crop "$((2 * reach))x7+$((cx - reach))+$((cy - 3))" +repage -fx "$lit" -trim -format '%w' info:)
  down=$(convert "$1" -crop "7x$((2 * reach))+$((cx - 3))+$((cy - reach))" +repage -fx "$lit" -trim -format '%h' info:)
  echo $((across > down ? across : down))
}
# half_again AT96 AT144 WHAT: AT144 is 1.5 times AT96, within 3 pixels.
half_again() {
  local want=$(( ($1 * 3 + 1) / 2 ))
  log "$3: $1 pixels at 96, $2 at 144 (1.5 times: $want)"
  [ "$1" -gt 0 ] && [ $(($2 - want)) -le 3 ] && [ $((want - $2)) -le 3 ] || fail "$3 is $2 pixels wide at 144, not $want"
}

fresh_manager
S="$C/DPI SAVERS"
mkdir -p "$S" "$OUTDIR/frames"
cp "$BIN/savers/YUME.SCR" "$S/"
reg_set "$EXE_KEY" CPATH 'C:\DPI SAVERS'
reg_set "$EXE_KEY" MEMORY "1,-1,0,1,0,1,0"              # the file list, names not shown
saver_log
QV_SAVER_FRAMES="$(winepath -w "$OUTDIR/frames" 2>/dev/null)"
export QV_SAVER_FRAMES
declare -A screen preview
for ppi in 96 144; do
  wine reg add "$DESKTOP" /v LogPixels /t REG_DWORD /d "$ppi" /f >/dev/null 2>&1 || fail "registry"

  start_as "$S/YUME.SCR" /s
  saver="$(last_pid)"
  probe wait-window QVSaverWindow 15000 >/dev/null || fail "no saver window at $ppi"
  read -r _ cw ch < <(probe rect QVSaverWindow | grep '^client')
  [ "$cw $ch" = "1024 768" ] || fail "the saver covers $cw x $ch pixels of the 1024 x 768 screen at $ppi"
  sleep 2   # a few frames
  shot "screen-$ppi"
  screen[$ppi]="$(moon "$OUTDIR/screen-$ppi.png")"
  probe close QVSaverWindow >/dev/null
  set +e; wait_exit "$saver" 15; rc=$?; set -e
  [ "$rc" = 0 ] || fail "YUME ended with $rc at $ppi"

  start_as "$C/QUOVEL32/QUOVEL32.EXE"
  manager="$(last_pid)"
  wait_for 'item YUME.SCR' "the saver is not in the file list at $ppi"
  [ "$ppi" = 96 ] && pick_menu 0x4F 0x50                  # the preview on; it is saved so
  probe wait-window TQUOVEL32PREVIEW 10000 >/dev/null || fail "no preview window at $ppi"
  read -r _ pw ph < <(probe rect TQUOVEL32PREVIEW | grep '^client')
  probe click-row TQUOVEL32KAPUL YUME.SCR || fail "no row YUME.SCR"
  for i in $(seq 1 75); do compgen -G "$OUTDIR/frames/YUME-*.bmp" >/dev/null && break; sleep 0.2; done
  frame="$(compgen -G "$OUTDIR/frames/YUME-*.bmp" | tail -1)" || fail "no preview frame at $ppi"
  convert "$frame" "$OUTDIR/preview-$ppi.png" && rm -f "$OUTDIR"/frames/*
  [ "$(identify -format '%w %h' "$OUTDIR/preview-$ppi.png")" = "$pw $ph" ] || fail "the preview did not fill the $pw x $ph window at $ppi"
  shot "manager-$ppi"
  preview[$ppi]="$(moon "$OUTDIR/preview-$ppi.png")"
  probe close TQUOVEL32KAPUL >/dev/null
  set +e; wait_exit "$manager" 20; rc=$?; set -e
  [ "$rc" = 0 ] || fail "manager exit code $rc at $ppi"
done
# 84 design pixels wide, less the rim blended into the sky.
[ "${screen[96]}" -ge 65 ] && [ "${screen[96]}" -le 86 ] || fail "the moon is ${screen[96]} pixels wide at 96"
half_again "${screen[96]}" "${screen[144]}" "the moon full screen"
half_again "${preview[96]}" "${preview[144]}" "the moon in the preview"
log "full screen and preview draw at 1.5 times the size at 144"
