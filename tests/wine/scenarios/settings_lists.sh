#!/usr/bin/env bash
# The manager reads prepared settings and list files, shows the lists, switches the current list
# through its combo box and, on closing, writes the settings and list files back exactly.
source "$(dirname "$0")/../lib.sh"

C="$WINEPREFIX/drive_c"
EXE_KEY="$KEY\\QUOVEL32\\EXE"
installed 16
rm -rf "$C/QUOVEL32" "$C/SAVERS" "$C"/windows/QVLA32M*.LIS "$C/windows/QUOVEL32CD.LIS"
mkdir -p "$C/QUOVEL32" "$C/SAVERS"
cp "$EXE" "$C/QUOVEL32/QUOVEL32.EXE"
for s in STARS YUME PLASMA; do cp "$BIN/savers/$s.SCR" "$C/SAVERS/"; done

reg() { reg_set "$EXE_KEY" "$@"; }
reg MEMORY "0,-1,0,1,3,1,1"           # memory mode on, M3 current, names shown
reg TIMER 20
reg SAISEIM "1,0,0,0,0,0,0,0,1,1"
reg INDEX "1,0"
reg KAKUCHOSHI "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,0,1,1,1,1,1"
# M3 with LF line ends and no final line end; EXT, the history and the drive folders as stored.
printf 'C:\\SAVERS\\STARS.SCR\nC:\\SAVERS\\YUME.SCR\nC:\\SAVERS\\PLASMA.SCR' >"$C/windows/QVLA32M3.LIS"
printf 'C:\\GAMES\\GAME.EXE\r\n' >"$C/windows/QVLA32MX.LIS"
printf 'C:\\SAVERS\\YUME.SCR\r\n' >"$C/QUOVEL32/QVLE32MH.LIS"
printf 'c:\\SAVERS\r\n' >"$C/QUOVEL32/QUOVEL32CD.LIS"

start_as "$C/QUOVEL32/QUOVEL32.EXE"
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
# The start-up sequence fills the lists 300 ms after the window appears.
for i in $(seq 1 50); do probe text TQUOVEL32KAPUL | grep -q "星空の旅" && break; sleep 0.2; done
shot lists
expect_text TQUOVEL32KAPUL "星空の旅"        # the twin list shows the savers' own names
expect_text TQUOVEL32KAPUL "M3 : 3ｺ"

probe select TQUOVEL32KAPUL "M3 : " 5 || fail "no list combo box"
for i in $(seq 1 25); do probe text TQUOVEL32KAPUL | grep -q "M5 : 0ｺ" && break; sleep 0.2; done
expect_text TQUOVEL32KAPUL "M5 : 0ｺ"
shot switched

probe close TQUOVEL32KAPUL >/dev/null
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "exit code $rc"

# Files, byte for byte.
expect_file "$C/windows/QVLA32M3.LIS" 'C:\\SAVERS\\STARS.SCR\r\nC:\\SAVERS\\YUME.SCR\r\nC:\\SAVERS\\PLASMA.SCR\r\n'
expect_file "$C/windows/QVLA32M5.LIS" ''
expect_file "$C/windows/QVLA32MX.LIS" 'C:\\GAMES\\GAME.EXE\r\n'
expect_file "$C/QUOVEL32/QVLE32MH.LIS" 'C:\\SAVERS\\YUME.SCR\r\n'
expect_file "$C/QUOVEL32/QUOVEL32CD.LIS" 'C:\\windows\r\n'   # c: now remembers the folder opened

# Registry values.
value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_SZ *//p"; }
expect_value() {
  local got; got="$(value "$1" "$2")"
  [ "$got" = "$3" ] || fail "$2 is '$got', expected '$3'"
}
expect_value "$EXE_KEY" MEMORY "0,-1,0,1,5,1,1"
expect_value "$EXE_KEY" TIMER 20
expect_value "$EXE_KEY" SAISEIM "1,0,0,0,-1,-1,-1,-1,1,1"
# The memory list's row was cleared by the switch; the file list's row depends on the files of
# the Windows folder.
[[ "$(value "$EXE_KEY" INDEX)" == -1,* ]] || fail "INDEX is '$(value "$EXE_KEY" INDEX)'"
expect_value "$EXE_KEY" KAKUCHOSHI "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,0,0,0,0,0,0,0,0,0"
expect_value "$EXE_KEY" ZOKUSEI "1,0,0,1,1"
expect_value "$EXE_KEY" FILENAME "*.SCR"
expect_value "$EXE_KEY" KYOUYO 0
expect_value "$KEY\\QUOVEL32\\SCR" KINSI 1
expect_value "$KEY\\QUOVEL32\\SCR" TMPQVLA 'C:\QVWORK'
[ -n "$(value "$EXE_KEY" FP)" ] || fail "FP not written"
log "settings and lists written back exactly"
