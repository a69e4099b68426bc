#!/usr/bin/env bash
# QUOVEL32.EXE starts under Wine, shows the manager window, and ends cleanly when it is closed.
source "$(dirname "$0")/../lib.sh"

installed 16
start_program
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window within 30 s"
sleep 1   # let the first paint finish before the picture
shot manager
title="$(probe text TQUOVEL32KAPUL | head -n 1)"
log "caption: $title"
[ "$title" = "QUOVEL32 EXE版" ] || fail "unexpected caption '$title'"
read -r _ client_w client_h < <(probe rect TQUOVEL32KAPUL | grep '^client')
[ "$client_w $client_h" = "401 356" ] || fail "client area $client_w x $client_h"
probe close TQUOVEL32KAPUL >/dev/null || fail "could not post WM_CLOSE"
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "exit code $rc"
probe wait-gone TQUOVEL32KAPUL 5000 || fail "window still there"
log "closed cleanly"
