#!/usr/bin/env bash
# The preview: a host window with a 152 × 112 preview area starts the screen-saver copy with
# "/p <area>". The title is a child window of the area of exactly its size, with a panel of the
# same size, and the program shows no window of its own elsewhere; a second "/p" on the same area
# ends at once without a second title; when the host window is destroyed, the program ends, and a
# "/p" with the handle of the area that has gone ends without any window or message. Wine does not put on the screen what one program paints into a
# child window of another program's window, so the title's look is checked on its own: the
# preview form at the area's size, blue from edge to edge with the white name.
source "$(dirname "$0")/../lib.sh"

installed 16
scr="$(copy_as QUOVEL32.SCR)"
HOSTLOG="$OUTDIR/host.log"
: >"$HOSTLOG"
wine "$BIN/tests/wine/preview_host.exe" "$(winepath -w "$scr" 2>/dev/null)" 3000 >"$HOSTLOG" 2>&1 &
host=$!
QV_PIDS+=("$host")
for i in $(seq 1 150); do
  grep -q '^ready' <(tr -d '\r' <"$HOSTLOG") && break
  kill -0 "$host" 2>/dev/null || break
  sleep 0.2
done
grep -q '^ready' <(tr -d '\r' <"$HOSTLOG") || { cat "$HOSTLOG"; fail "the preview did not appear"; }
shot host
set +e; wait_exit "$host" 90; rc=$?; set -e
log "host says:"; tr -d '\r' <"$HOSTLOG"
fact() { tr -d '\r' <"$HOSTLOG" | awk -v k="$1" '$1 == k { $1 = ""; sub(/^ /, ""); print; exit }'; }
[ "$(fact window)" = "152 112" ] || fail "preview window is $(fact window)"
[ "$(fact position)" = "0 0" ] || fail "preview window at $(fact position)"
[ "$(fact style)" = "child=1 popup=0" ] || fail "preview style $(fact style)"
[ "$(fact panel)" = "152 112" ] || fail "panel is $(fact panel)"
[ "$(fact visible-top-level)" = 0 ] || fail "the preview process shows $(fact visible-top-level) top-level windows"
[ "$rc" = 0 ] && [ "$(fact ended)" = 0 ] || fail "the program did not end with its host window"
log "the title fills the 152 x 112 area as its child and the program ended with the host"
fact2() { tr -d '\r' <"$HOSTLOG" | awk -v a="$1" -v b="$2" '$1 == a && $2 == b { print $3; exit }'; }
grep -q '^second ended' <(tr -d '\r' <"$HOSTLOG") || fail "a second /p beside the living preview did not end"
[ "$(fact2 second titles)" = 1 ] || fail "a second /p made $(fact2 second titles) titles in the area"
[ "$(fact2 second windows)" = 0 ] || fail "a second /p showed $(fact2 second windows) windows"
log "a second /p on the same area ended at once"
grep -q '^dead ended' <(tr -d '\r' <"$HOSTLOG") || fail "a /p for a window that has gone did not end"
[ "$(fact2 dead windows)" = 0 ] || fail "a /p for a window that has gone showed $(fact2 dead windows) windows"
log "a /p for a window that has gone ended silently"

# The look of the title at the same size.
wine "$BIN/tests/wine/preview_show.exe" 300 200 152 112 6000 >"$OUTDIR/show.log" 2>&1 &
show=$!
QV_PIDS+=("$show")
probe wait-window TQUOVEL32TITLE 20000 >/dev/null || fail "the preview form did not show"
sleep 1.5
shot title
pixel() { convert "$OUTDIR/title.png" -format "%[fx:int(255*p{$1,$2}.r)] %[fx:int(255*p{$1,$2}.g)] %[fx:int(255*p{$1,$2}.b)]" info:; }
for at in "301 201" "450 310" "301 310" "450 201"; do
  [ "$(pixel $at)" = "0 0 255" ] || fail "the title is not blue at $at: $(pixel $at)"
done
white=$(convert "$OUTDIR/title.png" -crop 152x112+300+200 +repage -fill black -opaque blue -format '%[fx:int(mean*152*112)]' info:)
[ "$white" -gt 50 ] || fail "no white name on the title"
[ "$(pixel 299 199)" != "0 0 255" ] && [ "$(pixel 452 312)" != "0 0 255" ] || fail "the blue reaches beyond 152 x 112"
set +e; wait_exit "$show" 20; set -e
log "the title is blue from edge to edge with the white name"
