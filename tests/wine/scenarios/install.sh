#!/usr/bin/env bash
# Installation and removal on a machine that never saw the program: the Wine prefix as it was made.
# QUOVEL32.EXE started from a download folder shows the installer; the user names a new group,
# asks for the start-up item too and presses 設定. Afterwards the program folder, the working
# folder, QUOVEL32.SCR and the texts in the Windows folder, SYSTEM.INI, the settings, the
# uninstall entry and the Start menu items that Wine's Program Manager server made exist; the
# next start opens the manager, whose menus add the desktop icon, remove the start-up item and
# offer the version deletion. QUOVEL32.EXE /uninstall then removes all of it, the program file
# and its folders through the uninstaller copy, and leaves another product's value under the
# maker's key. The group's name has brackets; another program's library in the Windows folder stays.
source "$(dirname "$0")/../lib.sh"

# The library's clean prefix is a machine that never saw the program.
C="$WINEPREFIX/drive_c"
W="$C/windows"
T="$C/KaPULP32/QUOVEL32"
DL="$C/download"
downloaded "$DL"
programs="$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')"
PROGRAMS="$(winepath -u "$programs" 2>/dev/null)/Microsoft/Windows/Start Menu/Programs"
GROUP="スクリーンセーバー (x86)"
FOREIGN='MZ another program'
printf '%s' "$FOREIGN" >"$W/UnLha32.DLL"   # another program's archiver library
LINK="QUOVEL32 EXE版.lnk"
SCR_KEY="$KEY\\QUOVEL32\\SCR"
UNINSTALL='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\QUOVEL32'
boot() { tr -d '\r' <"$W/system.ini" | sed -n 's/^SCRNSAVE.EXE=//p'; }

# --- the first start: the installer ------------------------------------------------------------
wine 'C:\download\QUOVEL32.EXE' >"$OUTDIR/program.log" 2>&1 &
QV_PIDS+=($!)
pid="$(last_pid)"
probe wait-window TSCR32SETUPForm 30000 >/dev/null || fail "no installer at the first start"
expect_text TSCR32SETUPForm 'QUOVEL32 V1．6 インストール'
expect_text TSCR32SETUPForm 'C:\\KaPULP32\\QUOVEL32'
expect_text TSCR32SETUPForm 'C:\\KaPULT32\\TmPQVLA'
[ "$(probe items TSCR32SETUPForm ComboBox1 | tail -n 1)" = "item KAPUL SOFT32" ] || fail "the default group is not last"
sleep 1
shot installer
probe press-name TSCR32SETUPForm ComboBox1 || fail "no group box"
probe keys TSCR32SETUPForm 0x23 shift+0x24 0x2E || fail "keys"   # End, Shift+Home, Delete
probe type TSCR32SETUPForm "$GROUP"
probe press-name TSCR32SETUPForm CheckBoxST || fail "no start-up box"
shot chosen
install_with_defaults "$pid" "\[ $GROUP \]"

for f in QUOVEL32.EXE UnLha32.DLL QUOVEL32.TXT QvLA解凍.TXT; do cmp -s "$DL/$f" "$T/$f" || fail "$f not in the program folder"; done
for f in QUOVEL32.TXT QvLA解凍.TXT; do cmp -s "$DL/$f" "$W/$f" || fail "$f not in the Windows folder"; done
[ "$(cat "$W/UnLha32.DLL")" = "$FOREIGN" ] || fail "another program's library in the Windows folder was replaced"
cmp -s "$EXE" "$W/QUOVEL32.SCR" || fail "no QUOVEL32.SCR in the Windows folder"
[ -d "$C/KaPULT32/TmPQVLA" ] || fail "no working folder"
[ "$(boot)" = 'C:\windows\QUOVEL32.SCR' ] || fail "SYSTEM.INI names '$(boot)'"
for pair in 'Version=16' 'EXEPATH=C:\KaPULP32\QUOVEL32' 'TMPQVLA=C:\KaPULT32\TmPQVLA' "Group=$GROUP" 'BackColor=1'; do
  [ "$(reg_text "$SCR_KEY" "${pair%%=*}")" = "${pair#*=}" ] || fail "${pair%%=*} is '$(reg_text "$SCR_KEY" "${pair%%=*}")'"
done
[ "$(reg_text "$UNINSTALL" UninstallString)" = 'C:\KaPULP32\QUOVEL32\QUOVEL32.EXE /uninstall' ] || fail "no uninstall entry"
[ "$(reg_text "$UNINSTALL" DisplayName)" = 'KAPULSOFT QUOVEL32 V1.6' ] || fail "uninstall entry without its title"
[ -f "$PROGRAMS/$GROUP/$LINK" ] || { ls -R "$PROGRAMS"; fail "Program Manager made no item in the group"; }
[ -f "$PROGRAMS/StartUp/$LINK" ] || { ls -R "$PROGRAMS"; fail "Program Manager made no start-up item"; }
log "installed: program, texts, screen saver, settings, uninstall entry, group and start-up items"

# --- the next start opens the manager; its menus add the desktop icon, remove the start-up item
# and offer the version deletion (declined) ----------------------------------------------------
wine 'C:\KaPULP32\QUOVEL32\QUOVEL32.EXE' >>"$OUTDIR/program.log" 2>&1 &
QV_PIDS+=($!)
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "the second start did not open the manager"
sleep 1
shot manager
DESKTOP="$(winepath -u "$(reg_text 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Desktop)" 2>/dev/null)"
pick_menu 0x6F 0x44                      # オプション(&O) → アイコンを、デスクトップにも、登録する (&D)
t=0; until [ -f "$DESKTOP/$LINK" ]; do sleep 0.2; t=$((t + 1)); [ $t -lt 50 ] || fail "no desktop icon in '$DESKTOP'"; done
pick_menu 0x6F 0x53                      # オプション(&O) → アイコンを、スタートアップから、削除する (&S)
t=0; while [ -e "$PROGRAMS/StartUp/$LINK" ]; do sleep 0.2; t=$((t + 1)); [ $t -lt 50 ] || fail "the start-up item stayed"; done
close_groups
pick_menu 0x68 0x43                      # ヘルプ(&H) → ﾊﾞｰｼﾞｮﾝ番号削除...(&C)
answer 'バージョン番号を削除してもよろしいですか' Btn_No
answer 'バージョン番号削除を中止しました' Btn_OK
[ "$(reg_text "$SCR_KEY" Version)" = 16 ] || fail "the declined version deletion changed Version"
probe close TQUOVEL32KAPUL >/dev/null
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "manager exit code $rc"

# --- removal ---------------------------------------------------------------------------------------
reg_set "$KEY\\OTHER" Version 3    # another product of the maker
wine 'C:\KaPULP32\QUOVEL32\QUOVEL32.EXE' /uninstall >>"$OUTDIR/program.log" 2>&1 &
QV_PIDS+=($!)
pid="$(last_pid)"
probe wait-window TMKBox 30000 >/dev/null || fail "no uninstall question"
shot uninstall
remove_all "$pid"

[ ! -e "$C/KaPULP32" ] || { ls -R "$C/KaPULP32"; fail "the program folder is still there"; }
for f in QUOVEL32.SCR QUOVEL32.EXE QUOVEL32.TXT QvLA解凍.TXT; do [ ! -e "$W/$f" ] || fail "$f is still in the Windows folder"; done
[ "$(cat "$W/UnLha32.DLL" 2>/dev/null)" = "$FOREIGN" ] || fail "another program's library in the Windows folder was removed"
[ -f "$W/unin_kapul000.exe" ] || fail "no uninstaller copy in the Windows folder"
[ -z "$(boot)" ] || fail "SYSTEM.INI still names '$(boot)'"
[ ! -e "$PROGRAMS/$GROUP/$LINK" ] && [ ! -e "$PROGRAMS/StartUp/$LINK" ] || fail "the Start menu items are still there"
[ ! -e "$DESKTOP/$LINK" ] || fail "the desktop icon is still there"
wine reg query "$KEY\\QUOVEL32" >/dev/null 2>&1 && fail "the settings are still there"
[ "$(reg_text "$KEY\\OTHER" Version)" = 3 ] || fail "another product's value was lost"
wine reg query "$UNINSTALL" >/dev/null 2>&1 && fail "the uninstall entry is still there"
wine reg query 'HKU\.Default\Software\Unin_KAPUL SOFT32' >/dev/null 2>&1 && fail "the hand-over record is still there"
log "removed: everything the installation made, the program file and its folders last"
