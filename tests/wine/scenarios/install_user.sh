#!/usr/bin/env bash
# The installation by a user who may not write the Windows folder, as on Windows 7 and later:
# the installer completes without a copy error; QUOVEL32.SCR and the texts go to the program
# folder, and the user's desktop settings name that QUOVEL32.SCR as the screen saver. The removal
# runs its uninstaller copy from the user's local application data folder and takes the program
# folder, the screen saver and its naming away again.
source "$(dirname "$0")/../lib.sh"

user_prefix
T="$C/KaPULP32/QUOVEL32"
DL="$C/download"
DESKTOP='HKCU\Control Panel\Desktop'
SAVER='C:\KaPULP32\QUOVEL32\QUOVEL32.SCR'
# Whatever the session's earlier scenarios installed stays out of this user's machine.
rm -rf "$C/KaPULP32" "$C/KaPULT32" "$W"/QUOVEL32.* "$W/QvLA解凍.TXT"
downloaded "$DL"
chown -R "$QV_USER:" "$DL"
windows_before="$(ls "$W" | sort)"
user_session
as_user wine reg delete "$KEY" /f >/dev/null 2>&1 || true
as_user wine reg delete "$DESKTOP" /v SCRNSAVE.EXE /f >/dev/null 2>&1 || true
local_appdata="$(as_user wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')"
MAKER="$(as_user winepath -u "$local_appdata" 2>/dev/null)/KAPUL SOFT32"
rm -rf "$MAKER"

# --- the installation ----------------------------------------------------------------------------
as_user wine 'C:\download\QUOVEL32.EXE' >"$OUTDIR/program.log" 2>&1 &
QV_PIDS+=($!)
pid="$(last_pid)"
probe wait-window TSCR32SETUPForm 30000 >/dev/null || fail "no installer at the first start"
sleep 1
shot installer
install_with_defaults "$pid" '登録完了です'

for f in QUOVEL32.EXE QUOVEL32.TXT QvLA解凍.TXT; do cmp -s "$DL/$f" "$T/$f" || fail "$f not in the program folder"; done
cmp -s "$EXE" "$T/QUOVEL32.SCR" || fail "no QUOVEL32.SCR in the program folder"
[ "$(ls "$W" | sort)" = "$windows_before" ] || fail "the Windows folder changed"
[ "$(uvalue "$DESKTOP" SCRNSAVE.EXE)" = "$SAVER" ] || fail "the desktop settings name '$(uvalue "$DESKTOP" SCRNSAVE.EXE)'"
[ "$(uvalue "$KEY\\QUOVEL32\\SCR" Version)" = 16 ] || fail "Version not written"
entry='Software\Microsoft\Windows\CurrentVersion\Uninstall\QUOVEL32'
uninstall="$(uvalue "HKLM\\$entry" UninstallString)$(uvalue "HKCU\\$entry" UninstallString)"
[ "$uninstall" = 'C:\KaPULP32\QUOVEL32\QUOVEL32.EXE /uninstall' ] || fail "uninstall entry '$uninstall'"
[ -n "$(uvalue "HKLM\\$entry" UninstallString)" ] && root=HKLM || root=HKCU
log "the uninstall entry is under $root"
log "installed beside the program; the screen saver is $SAVER"

# --- the removal -----------------------------------------------------------------------------------
as_user wine 'C:\KaPULP32\QUOVEL32\QUOVEL32.EXE' /uninstall >>"$OUTDIR/program.log" 2>&1 &
QV_PIDS+=($!)
pid="$(last_pid)"
remove_all "$pid"
[ ! -e "$C/KaPULP32" ] || { ls -R "$C/KaPULP32"; fail "the program folder is still there"; }
[ -f "$MAKER/unin_kapul000.exe" ] || fail "no uninstaller copy in the user's folder"
[ -z "$(uvalue "$DESKTOP" SCRNSAVE.EXE)" ] || fail "the desktop settings still name a screen saver"
[ "$(ls "$W" | sort)" = "$windows_before" ] || fail "the Windows folder changed"
log "removed, with the uninstaller copy in the user's own folder"
