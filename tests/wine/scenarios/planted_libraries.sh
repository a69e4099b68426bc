#!/usr/bin/env bash
# Libraries planted beside the release package's binaries never run in them. The zip (out/dist,
# made by scripts/package.sh) is unpacked into a download folder where a library named after every
# library any of its binaries imports already lies, each leaving a marker when loaded
# (planted.dll). Wine is given Windows' search order for those names: beside the program first for
# every library that is not one of Windows' known ones. The program is started from there (the
# installer) and, with libraries planted in its program folder too, from there (the manager);
# STARS.SCR runs as a screen saver. No marker appears.
source "$(dirname "$0")/../lib.sh"

zip="$(ls "$QV_ROOT"/out/dist/QUOVEL32-*-win32.zip 2>/dev/null | tail -n 1)"
[ -f "$zip" ] || fail "no release package in out/dist: run scripts/package.sh"
C="$WINEPREFIX/drive_c"
DL="$C/download"
T="$C/KaPULP32/QUOVEL32"
mkdir -p "$DL"
python3 -m zipfile -e "$zip" "$DL/"
mapfile -t imports < <(python3 "$QV_ROOT/scripts/check-imports.py" --list "$DL"/*.EXE "$DL"/*.DLL "$DL"/*.SCR | sort -u)
beside=""
for entry in "${imports[@]}"; do
  read -r name where <<<"$entry"
  [ "$where" = known ] || beside+="${beside:+,}${name%.dll}"
done
plant() {  # plant DIR: the planted library under every imported name in DIR
  local entry
  for entry in "${imports[@]}"; do cp "$BIN/tests/wine/planted.dll" "$1/${entry%% *}"; done
}
plant "$DL"
log "planted $(printf '%s ' "${imports[@]%% *}")beside the unpacked binaries; beside the program first: ${beside:-none}"
[ -z "$beside" ] || export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$beside=n,b"
markers() { find "$C" -name '*.LOADED' -printf '%P ' 2>/dev/null; }

# --- the installer, from the download folder ---------------------------------------------------
wine 'C:\download\QUOVEL32.EXE' >"$OUTDIR/program.log" 2>&1 &
QV_PIDS+=($!)
pid="$(last_pid)"
probe wait-window TSCR32SETUPForm 30000 >/dev/null || fail "no installer at the first start; markers: $(markers)"
[ -z "$(markers)" ] || fail "planted libraries ran in the installer: $(markers)"
install_with_defaults "$pid" '登録完了です'
log "installed from the download folder"

# --- the manager, from the program folder --------------------------------------------------------
plant "$T"
wine 'C:\KaPULP32\QUOVEL32\QUOVEL32.EXE' >>"$OUTDIR/program.log" 2>&1 &
QV_PIDS+=($!)
pid="$(last_pid)"
probe wait-window TQUOVEL32KAPUL 30000 >/dev/null || fail "no manager window; markers: $(markers)"
sleep 1
shot manager
probe close TQUOVEL32KAPUL >/dev/null
set +e; wait_exit "$pid" 20; rc=$?; set -e
[ "$rc" = 0 ] || fail "manager exit code $rc"

# --- a saver of the package, as Windows starts it ------------------------------------------------
wine 'C:\download\STARS.SCR' /s >>"$OUTDIR/program.log" 2>&1 &
QV_PIDS+=($!)
pid="$(last_pid)"
probe wait-window QVSaverWindow 30000 >/dev/null || fail "no screen saver window; markers: $(markers)"
sleep 2
for xy in "500 400" "560 460" "620 520"; do xdotool mousemove $xy; sleep 0.3; done
set +e; wait_exit "$pid" 30; rc=$?; set -e
[ "$rc" = 0 ] || fail "screen saver exit code $rc"

[ -z "$(markers)" ] || fail "planted libraries ran: $(markers)"
log "no planted library ran in the installer, the manager or the saver"
