#!/usr/bin/env bash
# The role chosen at start-up: plain system boxes for "/a" and a missing switch, the installer
# when the settings version is not ours, the uninstaller name, and an upper-case "/UNINSTALL".
source "$(dirname "$0")/../lib.sh"

scr="$(copy_as QUOVEL32.SCR)"

# "/a": a plain system box, then the end.
installed 16
start_as "$scr" /a
pid="$(last_pid)"
probe wait-window '#32770' 20000 >/dev/null || fail "no system box for /a"
sleep 0.5
shot password
expect_text '#32770' "Password not supported"
probe close '#32770' >/dev/null
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "exit code $rc after /a"
probe wait-gone TQUOVEL32KAPUL 1 >/dev/null || fail "a manager appeared after /a"

# No switch: "Parameter Error", then the manager (version 16) ...
start_as "$scr"
pid="$(last_pid)"
probe wait-window '#32770' 20000 >/dev/null || fail "no system box without a switch"
shot parameter-error
expect_text '#32770' "Parameter Error"
probe close '#32770' >/dev/null
probe wait-window TQUOVEL32KAPUL 20000 >/dev/null || fail "no manager after Parameter Error"
probe close TQUOVEL32KAPUL >/dev/null
set +e; wait_exit "$pid" 20; set -e

# ... or the installer (version 15).
installed 15
start_as "$scr" -x
pid="$(last_pid)"
probe wait-window '#32770' 20000 >/dev/null || fail "no system box for -x"
probe close '#32770' >/dev/null
probe wait-window TSCR32SETUPForm 20000 >/dev/null || fail "no installer for version 15"
probe close TSCR32SETUPForm >/dev/null
set +e; wait_exit "$pid" 20; set -e

# Never installed: the EXE version opens the installer too.
installed none
start_program
pid="$(last_pid)"
probe wait-window TSCR32SETUPForm 20000 >/dev/null || fail "no installer without a settings key"
shot installer
probe close TSCR32SETUPForm >/dev/null
set +e; wait_exit "$pid" 20; set -e

# "/UNINSTALL" is not the uninstall switch: the manager opens.
installed 16
start_program /UNINSTALL
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 20000 >/dev/null || fail "/UNINSTALL did not open the manager"
probe close TQUOVEL32KAPUL >/dev/null
set +e; wait_exit "$pid" 20; set -e

# The uninstaller's name is the uninstaller copy's role: without its argument it refuses.
unin="$(copy_as UNIN_KAPUL000.EXE)"
start_as "$unin"
pid="$(last_pid)"
reply 'パラメーターが不正です'
set +e; wait_exit "$pid" 20; set -e
log "roles are right"
