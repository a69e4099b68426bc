#!/usr/bin/env bash
# A second start never runs beside the manager: it hands its command line over and ends. The
# manager comes to the front and shows what it was given.
source "$(dirname "$0")/../lib.sh"

installed 16
start_program
manager="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"

# Started again without arguments: the second process ends, the first stays and is shown.
start_program
set +e; wait_exit "$(last_pid)" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "second start exit code $rc"
kill -0 "$manager" 2>/dev/null || fail "the first manager ended"
probe wait-window TQUOVEL32KAPUL 5000 >/dev/null || fail "manager not visible after the second start"
probe wait-gone TMKBox 1 >/dev/null || fail "a box appeared for a start without arguments"

# The screen-saver copy asked for its settings while the manager runs: message 1, lower-cased.
scr="$(copy_as QUOVEL32.SCR)"
start_as "$scr" /c
sender="$(last_pid)"
probe wait-window TMKBox 20000 >/dev/null || fail "no message box in the manager"
sleep 1
shot handoff-configure
expect_text TMKBox "既にquovel exe版が起動しています。"
expect_text TMKBox "scr版設定表示を強制終了しました。"
kill -0 "$sender" 2>/dev/null || fail "the sender ended before the box was answered"
probe click TMKBox "ＯＫ" || fail "no OK button"
set +e; wait_exit "$sender" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "sender exit code $rc"
probe wait-gone TMKBox 5000 || fail "box still open"

# Started as the screen saver while the manager runs: message 2.
start_as "$scr" /s
sender="$(last_pid)"
probe wait-window TMKBox 20000 >/dev/null || fail "no message box for /s"
expect_text TMKBox "scr版セーバー表示を強制終了しました。"
shot handoff-saver
probe close TMKBox >/dev/null
set +e; wait_exit "$sender" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "sender exit code $rc"

probe close TQUOVEL32KAPUL >/dev/null
set +e; wait_exit "$manager" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "manager exit code $rc"
log "hand-off works"
