#!/usr/bin/env bash
# The program on a desktop of two monitors, the second left of the primary one (negative
# coordinates): the manager window comes back on the second monitor where it was saved, its number
# dialog and message box open on that monitor, and a run started with 再 生 covers both monitors
# with the backdrop: the saver shows on the primary monitor; the second is black once the saver's
# window is up and shows the captured picture again between two savers. Our own savers draw on
# both monitors.
source "$(dirname "$0")/../lib.sh"
two_monitors
monitors="$(probe monitors)"
grep -q '^monitor 0 0 1024 768 .* primary$' <<<"$monitors" || fail "no primary monitor at 0,0: $monitors"
grep -q '^monitor -1024 0 0 768 ' <<<"$monitors" || fail "no second monitor left of it: $monitors"

fresh_manager
mkdir -p "$C/PLAY SAVERS"
cp "$BIN/savers/TESTSAVE.SCR" "$C/PLAY SAVERS/SAVERA.SCR"
cp "$BIN/savers/TESTSAVE.SCR" "$C/PLAY SAVERS/SAVERB.SCR"
printf 'C:\\PLAY SAVERS\\SAVERA.SCR\r\nC:\\PLAY SAVERS\\SAVERB.SCR\r\n' >"$C/windows/QVLA32M3.LIS"
reg() { reg_set "$EXE_KEY" "$@"; }
reg MEMORY "0,-1,0,0,3,0,0"              # memory mode on, M3 current
reg TIMER 5
reg FILEHIS 0
reg INDEX "0,0"
reg SAISEIM "0,1,0,0,0,1,1,0,1,1"        # 連続, endless, no automatic start, 実行
reg FP "-900,150"                        # on the second monitor
saver_log
export QV_SAVER_DELAY=1500               # the test saver's window shows 1.5 s after its start

# until_shot NAME SECONDS X:black|X:shown...: screenshots NAME until the monitor at X of each
# pair (0 the second, 1024 the primary one) is black or shows a picture (grey mean, deviation).
until_shot() {
  local name="$1" limit="$2" i want ok levels level
  shift 2
  for i in $(seq 1 $((limit * 3))); do
    import -window root "$OUTDIR/$name.png" 2>/dev/null || continue
    ok=1 levels=""
    for want in "$@"; do
      level="$(convert "$OUTDIR/$name.png" -crop "1024x768+${want%:*}+0" +repage -colorspace Gray -format '%[fx:mean] %[fx:standard_deviation]' info:)"
      levels+=" $want $level"
      awk -v w="${want#*:}" -v l="$level" 'BEGIN { split(l, v, " "); exit !(w == "black" ? v[1] < 0.01 : v[2] > 0.01) }' || ok=0
    done
    [ $ok = 1 ] && { log "$name:$levels"; return 0; }
    sleep 0.3
  done
  fail "$name: not $* within $limit s:$levels"
}

# on_second CLASS WHAT: the window lies wholly on the second monitor.
on_second() {
  local l t r b
  read -r l t r b <<<"$(probe rect "$1" | head -n1)"
  log "$2: $l $t $r $b"
  [ "$l" -ge -1024 ] && [ "$r" -le 0 ] && [ "$t" -ge 0 ] && [ "$b" -le 768 ] || fail "$2 is not on the second monitor: $l $t $r $b"
}

start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
wait_for "SAVERB.SCR" "the memory list was not shown"
read -r left top _ <<<"$(probe rect TQUOVEL32KAPUL | head -n1)"
[ "$left $top" = "-900 150" ] || fail "the manager came back at $left,$top instead of -900,150"
on_second TQUOVEL32KAPUL "manager"

# The number dialog and its confirmation open over the manager, on its monitor.
probe press-name TQUOVEL32KAPUL ButtonTIMER || fail "no ButtonTIMER"
probe wait-window TTMSETBox 10000 >/dev/null || fail "no number dialog"
on_second TTMSETBox "number dialog"
probe press-name TTMSETBox Button1 || fail "no 設 定"
probe wait-window TMKBox 10000 >/dev/null || fail "no confirmation box"
sleep 1
shot dialogs
on_second TMKBox "message box"
probe press-name TMKBox Btn_No || fail "no いいえ"
probe wait-gone TMKBox 10000 || fail "the confirmation box stayed"
probe press-name TTMSETBox Button4 || fail "no 中 止"
probe wait-gone TTMSETBox 10000 || fail "the number dialog stayed"

# A run: the backdrop spans both monitors; the saver takes the primary one, and once its window
# is up the second monitor is black; between two savers it shows the captured picture again.
until_shot desktop 10 0:shown
probe press-name TQUOVEL32KAPUL Button2 || fail "no 再 生"
wait_count starts 1 20
read -r bl bt br bb <<<"$(probe rect TQUOVEL32BACK | head -n1)"
[ "$bl $bt $br $bb" = "-1024 0 1024 768" ] || fail "the backdrop covers $bl $bt $br $bb, not both monitors"
until_shot saver 15 0:black 1024:shown
wait_count ends 1 15
until_shot gap 10 0:shown
[ "$(ends)" = 1 ] || fail "the picture came back only after the second saver"
diff="$(convert "$OUTDIR/desktop.png" "$OUTDIR/gap.png" -crop 1024x768+0+0 +repage -metric RMSE -compare -format '%[distortion]' info:)"
awk -v d="$diff" 'BEGIN { exit !(d < 0.05) }' || fail "the second monitor between savers differs from the desktop captured: $diff"
wait_count starts 2 20
until_shot saver2 15 0:black 1024:shown
wait_count ends 2 15
probe click TQUOVEL32KAPUL "中断" || fail "no 中断 button"
sleep 1
probe close TQUOVEL32KAPUL >/dev/null
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "manager exit code $rc"
[ "$(reg_value "$EXE_KEY" FP)" = "-900,150" ] || fail "FP saved as $(reg_value "$EXE_KEY" FP)"
log "saver log:"; cat "$LOG"

# Our own savers: a scene of their own on each monitor.
for saver in STARS YUME PLASMA; do
  start_as "$BIN/savers/$saver.SCR" /s
  until_shot "$saver" 20 0:shown 1024:shown
  probe close QVSaverWindow >/dev/null
  wait_exit "$(last_pid)" 20 || fail "$saver exit code $?"
done
log "the manager stayed on the second monitor; dialogs followed it; the backdrop covered both and was black beside the savers; our savers drew on both"
