#!/usr/bin/env bash
# The release package as a Windows user takes it: a user who may not write the Windows folder
# unpacks the zip (out/dist, made by scripts/package.sh) into a folder of their own and starts
# QUOVEL32.EXE from there. The installer names the folder the screen saver will really go to and
# completes without a copy error; QUOVEL32.SCR and the texts go to the program folder, the user's
# desktop settings name that QUOVEL32.SCR. The installed manager registers the bundled savers
# of the unpacked folder into a memory list with its bulk registration and plays them; the screen
# saver, given the manager's settings and started as Windows starts it, plays them too. The removal runs its uninstaller copy from
# the user's local application data folder, and afterwards nothing of the program is left but the
# unpacked folder and that uninstaller, which the maker's programs share.
source "$(dirname "$0")/../lib.sh"

zip="$(ls "$QV_ROOT"/out/dist/QUOVEL32-*-win32.zip 2>/dev/null | tail -n 1)"
[ -f "$zip" ] || fail "no release package in out/dist: run scripts/package.sh"
user_prefix
T="$C/KaPULP32/QUOVEL32"
DL="$C/users/$QV_USER/Documents/QUOVEL32"
DESKTOP='HKCU\Control Panel\Desktop'
SAVER='C:\KaPULP32\QUOVEL32\QUOVEL32.SCR'
EXE_KEY="$KEY\\QUOVEL32\\EXE"

# --- the download --------------------------------------------------------------------------------
# What the build lists for the package ("file=name in the zip" a line), in the zip's order.
shipped="$(sed 's/.*=//' "$BIN/shipped.txt")"
savers="$(grep '\.SCR$' <<<"$shipped" | sed 's/\.SCR$//' | sort | tr '\n' ' ')"
nsavers="$(wc -w <<<"$savers")"
names="$(python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$zip")"
[ "$names" = "$shipped" ] || fail "the package holds: $(tr '\n' ' ' <<<"$names")"
mkdir -p "$DL"
python3 -m zipfile -e "$zip" "$DL/"
chown -R "$QV_USER:" "$C/users/$QV_USER/Documents"
log "unpacked $(basename "$zip") into C:\\users\\$QV_USER\\Documents\\QUOVEL32"
windows_before="$(ls "$W" | sort)"
c_before="$(ls "$C" | sort)"
user_session
local_appdata="$(as_user wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')"
LOCAL="$(as_user winepath -u "$local_appdata" 2>/dev/null)"
MAKER="$LOCAL/KAPUL SOFT32"
[ ! -e "$MAKER" ] || fail "the maker's folder exists before the installation"
mkdir -p "$OUTDIR" && chmod 777 "$OUTDIR"
saver_log
chmod 666 "$LOG"

# --- the installation, started from the unpacked folder -----------------------------------------
as_user wine "C:\\users\\$QV_USER\\Documents\\QUOVEL32\\QUOVEL32.EXE" >"$OUTDIR/program.log" 2>&1 &
QV_PIDS+=($!)
pid="$(last_pid)"
probe wait-window TSCR32SETUPForm 30000 >/dev/null || fail "no installer at the first start"
sleep 1
shot installer
line="$(probe text TSCR32SETUPForm | grep 'SCR版' || true)"
[[ "$line" == *'QUOVEL32.SCR版は、[C:\KaPULP32\QUOVEL32]ﾌｫﾙﾀﾞｰに置かれます。'* ]] ||
  fail "the installer does not name the program folder for the screen saver: $line"
install_with_defaults "$pid" '登録完了です'

for f in QUOVEL32.EXE UnLha32.DLL QUOVEL32.TXT QvLA解凍.TXT; do cmp -s "$DL/$f" "$T/$f" || fail "$f not in the program folder"; done
cmp -s "$DL/QUOVEL32.EXE" "$T/QUOVEL32.SCR" || fail "no QUOVEL32.SCR in the program folder"
[ "$(ls "$W" | sort)" = "$windows_before" ] || fail "the Windows folder changed"
[ "$(uvalue "$DESKTOP" SCRNSAVE.EXE)" = "$SAVER" ] || fail "the desktop settings name '$(uvalue "$DESKTOP" SCRNSAVE.EXE)'"
[ "$(uvalue "$KEY\\QUOVEL32\\SCR" Version)" = 16 ] || fail "Version not written"
entry='Software\Microsoft\Windows\CurrentVersion\Uninstall\QUOVEL32'
uninstall="$(uvalue "HKLM\\$entry" UninstallString)$(uvalue "HKCU\\$entry" UninstallString)"
[ "$uninstall" = 'C:\KaPULP32\QUOVEL32\QUOVEL32.EXE /uninstall' ] || fail "uninstall entry '$uninstall'"
log "installed beside the program; the screen saver is $SAVER"

# --- the bundled savers from a memory list --------------------------------------------------------
# The user's choices (the list's folder open, 逆連 without endless, 5 seconds each), then the
# buttons: memory mode on, the bulk registration of the folder, 再 生 from the last row it left
# highlighted back to the first.
ureg "$EXE_KEY" CPATH "C:\\users\\$QV_USER\\Documents\\QUOVEL32"
ureg "$EXE_KEY" MEMORY "1,-1,0,1,0,1,0"
ureg "$EXE_KEY" SAISEIM "1,0,0,0,-1,-1,-1,-1,1,1"
ureg "$EXE_KEY" TIMER 5
as_user wine 'C:\KaPULP32\QUOVEL32\QUOVEL32.EXE' >>"$OUTDIR/program.log" 2>&1 &
QV_PIDS+=($!)
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window"
wait_for " ${nsavers}ｺ" "the unpacked folder's savers are not listed"
probe press TQUOVEL32KAPUL 'ﾒﾓﾘｰON' || fail "no ﾒﾓﾘｰON button"
wait_for 'ﾒﾓﾘｰoff' "memory mode did not come on"
bulk_registration
[ "$(probe text TQUOVEL32KAPUL | grep -c 'item C:\\users\\.*\.SCR')" = "$nsavers" ] || fail "the bulk registration did not give a row for each saver"
sleep 1
shot memory-list
probe press TQUOVEL32KAPUL '再 生' || fail "no 再 生 button"
wait_count starts "$nsavers" 40
wait_count ends "$nsavers" 15
played="$(awk '/ start / { print $2 }' "$LOG" | tr -d '\r' | sort | tr '\n' ' ')"
[ "$played" = "$savers" ] || { cat "$LOG"; fail "played: $played"; }
t=0
until probe text TQUOVEL32KAPUL | head -1 | grep -q 'QUOVEL32 EXE版'; do
  sleep 0.2; t=$((t + 1)); [ $t -lt 50 ] || fail "the run did not end"
done
log "the memory list played $played"
# ファイル → 現在の設定値を、［SCR版］に渡す: the screen saver plays what the manager plays.
pick_menu 0x66 0x54
probe wait-window TMKBox 10000 >/dev/null || fail "no box after handing the settings over"
expect_text TMKBox "データを転送しました"
probe close TMKBox >/dev/null
probe close TQUOVEL32KAPUL >/dev/null
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "manager exit code $rc"

# --- the screen saver, as Windows starts it ------------------------------------------------------
: >"$LOG"
as_user wine "$SAVER" /s >>"$OUTDIR/program.log" 2>&1 &
QV_PIDS+=($!)
pid="$(last_pid)"
wait_count starts 1 30
sleep 2
shot screen-saver
# The user comes back: the mouse moves over the showing saver.
for xy in "500 400" "560 460" "620 520"; do xdotool mousemove $xy; sleep 0.3; done
wait_count ends 1 15
set +e; wait_exit "$pid" 30; rc=$?; set -e
[ "$rc" = 0 ] || fail "screen saver exit code $rc"
log "the screen saver played $(awk '/ start / { print $2; exit }' "$LOG")"

# --- the removal ---------------------------------------------------------------------------------
as_user wine 'C:\KaPULP32\QUOVEL32\QUOVEL32.EXE' /uninstall >>"$OUTDIR/program.log" 2>&1 &
QV_PIDS+=($!)
pid="$(last_pid)"
remove_all "$pid"
[ -z "$(uvalue "$DESKTOP" SCRNSAVE.EXE)" ] || fail "the desktop settings still name a screen saver"
[ "$(ls "$W" | sort)" = "$windows_before" ] || fail "the Windows folder changed"
[ "$(ls "$C" | sort)" = "$c_before" ] || fail "left in C:\\: $(comm -13 <(echo "$c_before") <(ls "$C" | sort) | tr '\n' ' ')"
left="$(cd "$MAKER" && find . -mindepth 1 | sort | tr '\n' ' ')"
[ "$left" = "./unin_kapul000.exe " ] || fail "left in the user's folder: $left"
[ "$(ls "$DL" | wc -l)" = "$(wc -l <<<"$shipped")" ] || fail "the unpacked folder changed: $(ls "$DL" | tr '\n' ' ')"
as_user wine reg query "$KEY\\QUOVEL32" >/dev/null 2>&1 && fail "the settings key is still there"
[ -z "$(uvalue "HKCU\\$entry" UninstallString)$(uvalue "HKLM\\$entry" UninstallString)" ] || fail "the uninstall entry is still there"
log "removed; left: the unpacked folder and the maker's uninstaller"
grep -h 'qvprobe:' "$OUTDIR/probe.log" 2>/dev/null | sort | uniq -c | while read -r line; do log "$line"; done || true
