#!/usr/bin/env bash
# The folders the installer makes at the drive's root take a protected access list. Wine accepts
# such a list without keeping it, so its own trace of the call shows it: the installer, started
# from a download folder, gives the program folder, the working folder and their parents (and
# nothing else) the list with the protected flag, and the installation completes, which it would
# not after a refused list. On Windows, `icacls C:\KaPULP32\QUOVEL32` then shows the user,
# Administrators and SYSTEM with full control (F), Users with read and run (RX), no inherited
# entry.
source "$(dirname "$0")/../lib.sh"

C="$WINEPREFIX/drive_c"
downloaded "$C/download"
mkdir -p "$C/KaPULT32"   # an existing folder stays as it is
WINEDEBUG=trace+advapi wine 'C:\download\QUOVEL32.EXE' >"$OUTDIR/program.log" 2>"$OUTDIR/trace.log" &
QV_PIDS+=($!)
pid="$(last_pid)"
probe wait-window TSCR32SETUPForm 30000 >/dev/null || fail "no installer at the first start"
probe press-name TSCR32SETUPForm Button3 || fail "no 設定"
reply 'C:\\KaPULT32\\TmPQVLA$'
reply 'C:\\KaPULP32\\QUOVEL32$'
probe wait-window TMKBox 30000 >/dev/null || fail "no box at the end"
close_groups
reply '登録完了です'
set +e; wait_exit "$pid" 30; rc=$?; set -e
[ "$rc" = 0 ] || fail "installer exit code $rc"
# DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION is 0x80000004, traced signed.
protected="$(grep -a 'SetNamedSecurityInfoW' "$OUTDIR/trace.log" | awk '$4 == "-2147483644" { print $2 }' | tr '\n' ' ')"
[ "$protected" = 'L"C:\\KaPULT32\\TmPQVLA" L"C:\\KaPULP32" L"C:\\KaPULP32\\QUOVEL32" ' ] ||
  fail "protected: $protected; all calls: $(grep -a 'SetNamedSecurityInfoW' "$OUTDIR/trace.log")"
log "protected access lists: $protected"
