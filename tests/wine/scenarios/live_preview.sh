#!/usr/bin/env bash
# The live preview from its menu item: STARS, YUME and PLASMA each draw their own picture in the
# window beside the manager (Wine does not show what one program paints into another's window, so
# the savers leave a frame of it), a full-screen FULLP is ended at once, a run pauses it, closing
# the manager ends it, and two savers never run at once.
source "$(dirname "$0")/../lib.sh"

fresh_manager
S="$C/PV SAVERS"
mkdir -p "$S" "$OUTDIR/frames"
cp "$BIN/savers/STARS.SCR" "$BIN/savers/YUME.SCR" "$BIN/savers/PLASMA.SCR" "$S/"
cp "$BIN/savers/TESTSAVE.SCR" "$S/FULLP.SCR"
printf 'no program' >"$S/NOTE.SCR"
reg_set "$EXE_KEY" CPATH 'C:\PV SAVERS'
reg_set "$EXE_KEY" MEMORY "1,-1,0,1,0,1,0"              # the file list, names not shown
reg_set "$EXE_KEY" SAISEIM "2,0,0,0,-1,-1,-1,-1,1,1"    # 単独: the row plays until the user ends it
saver_log
QV_SAVER_FRAMES="$(winepath -w "$OUTDIR/frames" 2>/dev/null)"
export QV_SAVER_FRAMES
: >"$OUTDIR/counts"
( until [ -e "$OUTDIR/stop" ]; do probe processes | grep -ci '\.SCR$' >>"$OUTDIR/counts" || true; done ) &
sampler=$!
QV_PIDS+=("$sampler")

lines() { tr -d '\r' <"$LOG" | grep -c -- "$1" || true; }
wait_line() {  # wait_line PATTERN N WHAT: until the saver log has N lines of PATTERN
  for i in $(seq 1 75); do [ "$(lines "$1")" -ge "$2" ] && return 0; sleep 0.2; done; fail "$3"
}
click_start() {  # click_start NAME: a click on NAME.SCR and the preview start it brings
  local n; n=$(lines "$1 pid=.* start args=/p")
  probe click-row TQUOVEL32KAPUL "$1.SCR" || fail "no row $1.SCR"
  wait_line "$1 pid=.* start args=/p" $((n + 1)) "$1 did not start as a preview"
}
inside() { probe text TQUOVEL32PREVIEW | grep -q '^child QVSaverWindow'; }
wait_inside() { for i in $(seq 1 50); do inside && return 0; sleep 0.2; done; fail "$1 shows nothing in the window"; }
crop() { shot "$1"; convert "$OUTDIR/$1.png" -crop "$((pr - pl))x$((pb - pt))+$pl+$pt" +repage "$OUTDIR/$1-window.png"; }

start_as "$C/QUOVEL32/QUOVEL32.EXE"
manager="$(last_pid)"
wait_for 'item PLASMA.SCR' "the savers are not in the file list"
pick_menu 0x4F 0x50                                      # オプション(&O) → プレビュー表示(&P)
probe wait-window TQUOVEL32PREVIEW 10000 >/dev/null || fail "no preview window"
read -r ml _ mr _ < <(probe rect TQUOVEL32KAPUL)
read -r pl pt pr pb < <(probe rect TQUOVEL32PREVIEW)
read -r _ cw ch < <(probe rect TQUOVEL32PREVIEW | grep '^client')
[ "$pl" -ge "$mr" ] || [ "$pr" -le "$ml" ] || fail "the preview window covers the manager"

for name in STARS YUME PLASMA; do
  click_start "$name"
  wait_inside "$name"
  for i in $(seq 1 50); do compgen -G "$OUTDIR/frames/$name-*.bmp" >/dev/null && break; sleep 0.2; done
  convert "$(compgen -G "$OUTDIR/frames/$name-*.bmp" | tail -1)" "$OUTDIR/$name-frame.png" || fail "no frame of $name"
  [ "$(identify -format '%w %h' "$OUTDIR/$name-frame.png")" = "$cw $ch" ] || fail "$name drew beside the window's $cw x $ch"
  crop "$name"
done
for pair in "STARS YUME" "YUME PLASMA" "STARS PLASMA"; do
  set -- $pair
  diff=$(compare -metric AE -fuzz 10% "$OUTDIR/$1-frame.png" "$OUTDIR/$2-frame.png" null: 2>&1 || true)
  log "$1 and $2 differ in $diff pixels"
  [ "${diff%%.*}" -gt $((cw * ch / 5)) ] || fail "$1 and $2 drew the same picture"
done

probe click-row TQUOVEL32KAPUL NOTE.SCR || fail "no row NOTE.SCR"
for i in $(seq 1 25); do probe text TQUOVEL32PREVIEW | grep -q 'NOTE.SCR' && break; sleep 0.2; done
expect_text TQUOVEL32PREVIEW 'NOTE.SCR'
crop name

click_start FULLP
started=$(tr -d '\r' <"$LOG" | awk '/FULLP pid=.* start/ { t = $1 } END { print t }')
for i in $(seq 1 50); do probe processes | grep -qi '^FULLP.SCR$' || break; sleep 0.1; done
ended=$(date +%s%3N)
log "FULLP ended $((ended - started)) ms after its start"
[ $((ended - started)) -lt 3000 ] || fail "FULLP was not ended at once"
expect_text TQUOVEL32PREVIEW 'プレビューできません'
crop cannot

click_start PLASMA
wait_inside PLASMA
probe press TQUOVEL32KAPUL "再 生" || fail "no 再 生 button"
wait_line "PLASMA pid=.* start args=/s" 1 "the run did not start PLASMA"
shot run
[ "$(probe processes | grep -ci '\.SCR$')" = 1 ] && ! inside || fail "a preview runs beside the run"
n=$(lines "PLASMA pid=.* start args=/p")
probe keys QVSaverWindow 0x10 || fail "no saver to end"
wait_line "PLASMA pid=.* start args=/p" $((n + 1)) "the preview did not come back after the run"
wait_inside PLASMA

probe close TQUOVEL32KAPUL >/dev/null
wait_exit "$manager" 20 || fail "manager exit code $?"
for i in $(seq 1 25); do probe processes | grep -qi '\.SCR$' || break; sleep 0.2; done
! probe processes | grep -i '\.SCR$' || fail "savers left running"
touch "$OUTDIR/stop"
wait "$sampler" || true
most=$(sort -n "$OUTDIR/counts" | tail -1)
log "$(wc -l <"$OUTDIR/counts") process samples, most savers at once: $most"
[ "$most" -le 1 ] || fail "two savers ran at once"
