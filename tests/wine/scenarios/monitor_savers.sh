#!/usr/bin/env bash
# A saver on each monitor, on a desktop of two: the option is set with the mouse and handed
# to the screen-saver copy; a run of the manager shows two different savers at once, each started
# with "/p" in a window of ours that covers its monitor; after the display time both change
# together; a mouse move ends both and the run, leaving no saver running, and so does 中断 in a
# second run started from the tray. The screen-saver copy started with "/s" does the same, and a saver that goes full
# screen in its preview is ended there and its monitor takes the next saver. (Wine does not show
# what one program paints into another's window, so the savers leave a frame of what they draw.)
source "$(dirname "$0")/../lib.sh"
two_monitors
fresh_manager
SCR_KEY="$KEY\\QUOVEL32\\SCR"
S="$C/PLAY SAVERS"
mkdir -p "$S" "$OUTDIR/frames"
list=""
for n in SAVERA SAVERB SAVERC SAVERD FULLX; do
  cp "$BIN/savers/TESTSAVE.SCR" "$S/$n.SCR"
  list+="C:\\PLAY SAVERS\\$n.SCR\r\n"
done
printf "$list" >"$C/windows/QVLA32M3.LIS"
cp "$EXE" "$C/windows/QUOVEL32.SCR"
reg() { reg_set "$EXE_KEY" "$@"; }
reg MEMORY "0,-1,0,0,3,0,0"              # memory mode on, M3 current
reg TIMER 5
reg FILEHIS 0
reg INDEX "0,0"
reg SAISEIM "0,1,0,0,0,1,1,0,1,1"        # 連続, endless, no automatic start, 実行
saver_log
QV_SAVER_FRAMES="$(winepath -w "$OUTDIR/frames" 2>/dev/null)"
export QV_SAVER_FRAMES

events() { tr -d '\r' <"$LOG" | awk '{ print $4 }' | tr '\n' ' '; }
savers_running() { probe processes | grep -i '\.SCR$' | grep -vic '^QUOVEL32' || true; }
# showing NAME NAME: both savers show at once, each in its own window of ours, started there with
# "/p <that window>"; the two windows cover exactly the two monitors; no other saver runs; the
# frames the two drew differ in colour.
showing() {
  local every name hwnd pid rects="" colours="" w h colour
  every="$(probe every TQUOVEL32SCREEN | awk '/^window/ { w = $2 " " $3 " " $4 " " $5 " " $6 " " $7 } /^child/ { print w, $3 }')"
  for name in "$@"; do
    read -r pid hwnd < <(tr -d '\r' <"$LOG" | awk -v n="$name" '$2 == n && $4 == "start" { p = $3; h = $6; a = $5 } END { if (a == "args=/p") print substr(p, 5), h }')
    [ -n "${hwnd:-}" ] || { cat "$LOG"; fail "$name was not started as a preview"; }
    grep -q "^$hwnd shown .* $name.SCR\$" <<<"$every" || { echo "$every"; fail "$name does not show in its window $hwnd"; }
    rects+="$(grep "^$hwnd shown" <<<"$every" | head -n1 | cut -d' ' -f3-6);"
    for i in $(seq 1 50); do [ -s "$OUTDIR/frames/$name-$pid.bmp" ] && break; sleep 0.2; done
    convert "$OUTDIR/frames/$name-$pid.bmp" "$OUTDIR/$name-$pid.png" || fail "no frame of $name"
    read -r w h colour < <(convert "$OUTDIR/$name-$pid.png" -format '%w %h %[pixel:p{20,20}]\n' info:)
    [ "$w $h" = "1024 768" ] || fail "$name drew $w x $h, not its monitor"
    colours+="$colour;"
  done
  log "showing $*: $rects $colours"
  [ "$(tr ';' '\n' <<<"$rects" | sort | tr '\n' ';')" = ";-1024 0 0 768;0 0 1024 768;" ] || { echo "$every"; fail "the windows of $* cover $rects"; }
  [ "${colours%%;*};" != "${colours#*;}" ] || fail "$* drew the same colour"
  [ "$(savers_running)" = 2 ] || { probe processes; fail "not two savers running"; }
}
# user_returns: the mouse moves over the primary monitor; both savers of the round end at once,
# no saver runs on and our windows hide.
user_returns() {
  local before; before="$(ends)"
  xdotool mousemove 1500 400; sleep 0.3; xdotool mousemove 1560 460
  wait_count ends $((before + 2)) 5
  tr -d '\r' <"$LOG" | awk '$4 == "end" { t[++n] = $1 } END { d = t[n] - t[n - 1]; exit !(d < 1000 && d > -1000) }' ||
    fail "the two savers did not end at once"
  none_left
}
none_left() {
  for i in $(seq 1 25); do [ "$(savers_running)" = 0 ] && break; sleep 0.2; done
  [ "$(savers_running)" = 0 ] || { probe processes; fail "a saver is left running"; }
  probe every TQUOVEL32SCREEN | grep -q ' shown ' && fail "a window of ours still shows" || true
}

# --- The option, set with the mouse and handed to the screen-saver copy -------------------------
start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
wait_for "SAVERB.SCR" "the memory list was not shown"
probe menu-pick TQUOVEL32KAPUL "ファイル(&F)|タイマー(&T)|オプション(&O)" \
  "隠しフォルダーも表示する(&K)|ｽｸﾘｰﾝ･ｾｰﾊﾞｰ名表示ＯＮ(&N)|プレビュー表示(&P)|モニターごとに別のセーバー(&M)" ||
  fail "no モニターごとに別のセーバー in the menu"
sleep 0.5
sleep 0.5
pick_menu 0x66 0x54                      # ファイル(&F) → 現在の設定値を、［SCR版］に渡す(&T)
probe wait-window TMKBox 10000 >/dev/null || fail "no box after the hand-over"
probe close TMKBox >/dev/null
[ "$(reg_value "$SCR_KEY" MONITORS)" = 1 ] || fail "MONITORS handed over as '$(reg_value "$SCR_KEY" MONITORS)'"

# --- A run of the manager: two savers at once, changing together, ended by the mouse ------------
probe press-name TQUOVEL32KAPUL Button2 || fail "no 再 生"
wait_count starts 2 30
showing SAVERA SAVERB
shot round1
wait_count starts 4 20
[ "$(events)" = "start start end end start start " ] || { cat "$LOG"; fail "the round did not change together: $(events)"; }
showing SAVERC SAVERD
user_returns
shot returned
sleep 3                                  # the run ended, as when the user ends a saver
[ "$(starts)" = 4 ] || { cat "$LOG"; fail "a saver started after the user came back"; }
# The second run starts from the tray's 再生開始 and 中断 stops both savers.
probe press-name TQUOVEL32KAPUL ButtonTRAY || fail "no Tray button"
# icon_menu [right]: a real click on our icon until its menu opens (the tray's window may still be
# coming up when the icon is there).
icon_menu() {
  for i in $(seq 1 50); do probe tray-icon 0 >/dev/null && break; sleep 0.2; done
  for i in 1 2 3; do
    probe tray-click 0 "$@" || fail "no icon in the notification area"
    probe wait-window "#32768" 3000 >/dev/null && return
  done
  fail "no menu on the icon"
}
icon_menu
probe menu-key 0x50 >/dev/null || fail "the icon's menu closed"   # 再生開始 (&P)
wait_count starts 6 30
sleep 1
[ "$(savers_running)" = 2 ] || { probe processes; fail "not two savers running from the tray"; }
probe click TQUOVEL32KAPUL "中断" || fail "no 中断 button"
none_left
icon_menu right
probe menu-key 0x58 >/dev/null || fail "the icon's menu closed"   # 終了 (&X)
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "manager exit code $rc"
[ "$(reg_value "$EXE_KEY" MONITORS)" = 1 ] || fail "MONITORS saved as '$(reg_value "$EXE_KEY" MONITORS)'"
log "saver log (manager):"; cat "$LOG"

# --- QUOVEL32.SCR /s from the full-screen saver's row: FULLX is ended on its monitor ------------
: >"$LOG"
reg_set "$SCR_KEY" INDEX "4,0"
reg_set "$SCR_KEY" TIMER 10                # the round stays while it is looked at
start_as "$C/windows/QUOVEL32.SCR" /s
pid="$(last_pid)"
wait_count starts 3 30
# FULLX is ended without a word (forced) and the next saver of the order takes its window.
read -r full_hwnd next_name after < <(tr -d '\r' <"$LOG" | awk '
  $2 == "FULLX" && $4 == "start" { h = $6; s = $1 } h != "" && $2 != "FULLX" && $4 == "start" && $6 == h && !n { n = $2; d = $1 - s }
  END { print h, n, d }')
log "FULLX started in window ${full_hwnd:-?}; ${next_name:-nothing} took it ${after:-?} ms later"
[ -n "${after:-}" ] && [ "$after" -lt 5000 ] || { cat "$LOG"; fail "FULLX was not replaced on its monitor"; }
probe processes | grep -qi '^FULLX' && fail "FULLX still runs" || true
sleep 1
showing SAVERA SAVERB
shot screen-saver
user_returns
set +e; wait_exit "$pid" 30; rc=$?; set -e
[ "$rc" = 0 ] || fail "screen saver exit code $rc"
log "saver log (screen saver):"; cat "$LOG"
log "two savers at once, one per monitor in windows of ours, changing together, both ended by the mouse; FULLX replaced"
