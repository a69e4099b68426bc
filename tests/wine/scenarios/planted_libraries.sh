#!/usr/bin/env bash
# Libraries planted beside the release package's binaries never run in them. The zip (out/dist,
# made by scripts/package.sh) is unpacked into a download folder beside a library named after every
# library its binaries import (planted.dll, which leaves "<its path>.LOADED" when loaded), and Wine
# gets Windows' order for those names: beside the program first for all but Windows' known
# libraries. The installer starts from there, the manager from the program folder (planted too),
# STARS.SCR as a screen saver; no marker appears.
source "$(dirname "$0")/../lib.sh"

zip="$(ls "$QV_ROOT"/out/dist/QUOVEL32-*-win32.zip 2>/dev/null | tail -n 1)"
[ -f "$zip" ] || fail "no release package in out/dist: run scripts/package.sh"
C="$WINEPREFIX/drive_c"
mkdir -p "$C/download"
python3 -m zipfile -e "$zip" "$C/download/"
mapfile -t imports < <(python3 "$QV_ROOT/scripts/check-imports.py" --list "$C"/download/*.{EXE,DLL,SCR} | sort -u)
plant() { for entry in "${imports[@]}"; do cp "$BIN/tests/wine/planted.dll" "$1/${entry%% *}"; done; }
plant "$C/download"
beside="$(printf '%s\n' "${imports[@]}" | awk '$2 == "beside" { sub(/\.dll$/, "", $1); print $1 }' | paste -sd,)"
log "planted ${imports[*]}"
[ -z "$beside" ] || export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$beside=n,b"
markers() { find "$C" -name '*.LOADED' -printf '%P ' 2>/dev/null; }
started() {  # started PROGRAM CLASS ARGS...: PROGRAM shows a window of CLASS, and nothing planted ran
  wine "$1" "${@:3}" >>"$OUTDIR/program.log" 2>&1 &
  QV_PIDS+=($!)
  probe wait-window "$2" 30000 >/dev/null || fail "no $2 from $1; markers: $(markers)"
  [ -z "$(markers)" ] || fail "planted libraries ran in $1: $(markers)"
}

started 'C:\download\QUOVEL32.EXE' TSCR32SETUPForm
install_with_defaults "$(last_pid)" '登録完了です'
plant "$C/KaPULP32/QUOVEL32"
started 'C:\KaPULP32\QUOVEL32\QUOVEL32.EXE' TQUOVEL32KAPUL
shot manager
probe close TQUOVEL32KAPUL >/dev/null
wait_exit "$(last_pid)" 20 || fail "manager exit code $?"
started 'C:\download\STARS.SCR' QVSaverWindow /s
sleep 1; for xy in "500 400" "560 460" "620 520"; do xdotool mousemove $xy; sleep 0.3; done
wait_exit "$(last_pid)" 30 || fail "screen saver exit code $?"
[ -z "$(markers)" ] || fail "planted libraries ran: $(markers)"
log "no planted library ran in the installer, the manager or the saver"
