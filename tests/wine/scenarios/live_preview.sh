#!/usr/bin/env bash
# The live preview: オプション → プレビュー表示 opens a small window beside the manager; a click on
# STARS, YUME and PLASMA starts each with "/p" inside it (the one before asked to close first), and
# each draws its own picture there. Wine does not put on the screen what one program paints into
# another program's window, so the savers leave a frame of what they drew (QV_SAVER_FRAMES) and
# those are compared; the screenshots show the window around them. A saver that takes the whole
# screen when asked for a preview (FULLP) is ended at once and the window says so; a row that is
# no saver shows its name. 再 生 stops the preview for the run and it comes back afterwards.
# Closing the manager leaves no saver running, and at no moment do two savers run.
source "$(dirname "$0")/../lib.sh"

fresh_manager
S="$C/PV SAVERS"
mkdir -p "$S" "$OUTDIR/frames"
cp "$BIN/savers/STARS.SCR" "$BIN/savers/YUME.SCR" "$BIN/savers/PLASMA.SCR" "$S/"
cp "$BIN/savers/TESTSAVE.SCR" "$S/FULLP.SCR"
printf 'no program' >"$S/NOTE.SCR"
reg() { reg_set "$EXE_KEY" "$@"; }
reg CPATH 'C:\PV SAVERS'
reg MEMORY "1,-1,0,1,0,1,0"                # file list, names not shown
reg SAISEIM "2,0,0,0,-1,-1,-1,-1,1,1"      # 単独: plays the clicked row until the user ends it
reg FILEHIS 0
saver_log
QV_SAVER_FRAMES="$(winepath -w "$OUTDIR/frames" 2>/dev/null)"
export QV_SAVER_FRAMES

# Every saver process the program starts ends in .SCR; two at once would break the rule.
: >"$OUTDIR/counts"
( while [ ! -e "$OUTDIR/stop" ]; do
    probe processes | grep -ci '\.SCR$' >>"$OUTDIR/counts" || true
  done ) &
sampler=$!
QV_PIDS+=("$sampler")

start_as "$C/QUOVEL32/QUOVEL32.EXE"
manager="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
wait_for 'item PLASMA.SCR' "the savers are not in the file list"
pick_menu 0x4F 0x50                        # オプション(&O) → プレビュー表示(&P)
probe wait-window TQUOVEL32PREVIEW 10000 >/dev/null || fail "no preview window"
read -r ml mt mr mb < <(probe rect TQUOVEL32KAPUL | head -1)
read -r pl pt pr pb < <(probe rect TQUOVEL32PREVIEW | head -1)
log "manager $ml $mt $mr $mb, preview $pl $pt $pr $pb"
[ "$pl" -ge "$mr" ] || [ "$pr" -le "$ml" ] || fail "the preview window covers the manager"
expect_text TQUOVEL32PREVIEW 'プレビュー'

# lines PATTERN: the saver log's lines matching PATTERN; wait_line PATTERN N WHAT: until N of them.
lines() { tr -d '\r' <"$LOG" | grep -c -- "$1" || true; }
wait_line() {
  local i
  for i in $(seq 1 75); do [ "$(lines "$1")" -ge "$2" ] && return 0; sleep 0.2; done
  cat "$LOG"; fail "$3"
}
# click_start NAME: a click on the row NAME.SCR, and the preview start it brings.
click_start() {
  local n; n=$(lines "$1 pid=.* start args=/p")
  probe click-row TQUOVEL32KAPUL "$1.SCR" || fail "no row $1.SCR"
  wait_line "$1 pid=.* start args=/p" $((n + 1)) "$1 did not start as a preview"
}
# inside: the preview window holds a saver's window.
wait_inside() {
  local i
  for i in $(seq 1 50); do probe text TQUOVEL32PREVIEW | grep -q '^child QVSaverWindow' && return 0; sleep 0.2; done
  probe text TQUOVEL32PREVIEW; fail "$1"
}
crop() { convert "$OUTDIR/$1.png" -crop "$((pr - pl))x$((pb - pt))+$pl+$pt" +repage "$OUTDIR/$1-window.png"; }

for name in STARS YUME PLASMA; do
  click_start "$name"
  wait_inside "$name shows nothing in the preview window"
  for i in $(seq 1 50); do compgen -G "$OUTDIR/frames/$name-*.bmp" >/dev/null && break; sleep 0.2; done
  frame="$(compgen -G "$OUTDIR/frames/$name-*.bmp" | head -1)" || fail "$name left no frame"
  convert "$frame" "$OUTDIR/$name-frame.png"
  shot "$name"
  crop "$name"
done
[ "$(lines ' end reason=close')" -ge 2 ] || { cat "$LOG"; fail "STARS and YUME were not asked to close"; }
read -r _ cw ch < <(probe rect TQUOVEL32PREVIEW | grep '^client')
[ "$(identify -format '%w %h' "$OUTDIR/STARS-frame.png")" = "$cw $ch" ] || fail "the frame is not the window's client size $cw x $ch"
for pair in "STARS YUME" "YUME PLASMA" "STARS PLASMA"; do
  set -- $pair
  diff=$(compare -metric AE -fuzz 10% "$OUTDIR/$1-frame.png" "$OUTDIR/$2-frame.png" null: 2>&1 || true)
  log "$1 and $2 differ in $diff pixels"
  [ "${diff%%.*}" -gt $((cw * ch / 5)) ] || fail "$1 and $2 drew the same picture"
done

# A row that is no saver: its name on the plain window.
probe click-row TQUOVEL32KAPUL "NOTE.SCR" || fail "no row NOTE.SCR"
for i in $(seq 1 25); do probe text TQUOVEL32PREVIEW | grep -q 'NOTE.SCR' && break; sleep 0.2; done
expect_text TQUOVEL32PREVIEW 'NOTE.SCR'
shot name
crop name

# A saver of old that goes full screen in a preview is ended at once.
click_start FULLP
started=$(tr -d '\r' <"$LOG" | awk '/FULLP pid=.* start/ { t = $1 } END { print t }')
for i in $(seq 1 50); do probe processes | grep -qi '^FULLP.SCR$' || break; sleep 0.1; done
gone=$(date +%s%3N)
! probe processes | grep -qi '^FULLP.SCR$' || fail "FULLP still runs"
log "FULLP ended $((gone - started)) ms after its start"
[ $((gone - started)) -lt 3000 ] || fail "FULLP was not ended at once"
expect_text TQUOVEL32PREVIEW 'プレビューできません'
shot cannot
crop cannot

# A run stops the preview; it comes back on the same row afterwards.
click_start PLASMA
wait_inside "PLASMA shows nothing in the preview window"
probe press TQUOVEL32KAPUL "再 生" || fail "no 再 生 button"
wait_line "PLASMA pid=.* start args=/s" 1 "the run did not start PLASMA"
sleep 1
shot run
[ "$(probe processes | grep -ci '\.SCR$')" = 1 ] || fail "a preview runs beside the run: $(probe processes | tr '\n' ' ')"
! probe text TQUOVEL32PREVIEW | grep -q '^child QVSaverWindow' || fail "the preview window still holds a saver"
probe keys QVSaverWindow 0x10 || fail "no saver to end"
n=$(lines "PLASMA pid=.* start args=/p")
wait_line "PLASMA pid=.* end reason=key" 1 "PLASMA did not end on the key"
wait_line "PLASMA pid=.* start args=/p" $((n + 1)) "the preview did not come back after the run"
wait_inside "PLASMA shows nothing after the run"

probe close TQUOVEL32KAPUL >/dev/null
set +e; wait_exit "$manager" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "manager exit code $rc"
for i in $(seq 1 25); do probe processes | grep -qi '\.SCR$' || break; sleep 0.2; done
! probe processes | grep -qi '\.SCR$' || fail "savers left running: $(probe processes | grep -i '\.SCR$' | tr '\n' ' ')"
[ "$(reg_value "$EXE_KEY" PREVIEW)" = 1 ] || fail "PREVIEW not saved"
touch "$OUTDIR/stop"
wait "$sampler" || true
log "process samples: $(wc -l <"$OUTDIR/counts"), most savers at once: $(sort -n "$OUTDIR/counts" | tail -1)"
[ "$(sort -n "$OUTDIR/counts" | tail -1)" -le 1 ] || fail "two savers ran at once"
log "saver log:"; tr -d '\r' <"$LOG"
