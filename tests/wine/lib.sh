# Helpers of the end-to-end scenarios. A scenario runs inside the test command's Wine session
# (DISPLAY and the prefix are set); it sources this file, does its steps and exits non-zero with
# the reason on failure. Sourced, not executed.
set -euo pipefail
QV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$QV_ROOT/scripts/env.sh"
BIN="${QV_BIN:-$QV_ROOT/build/win32}"
EXE="$BIN/src/app/QUOVEL32.EXE"
PROBE="$BIN/tests/wine/qvprobe.exe"
SCENARIO="$(basename "$0" .sh)"
OUTDIR="$QV_ROOT/out/e2e/$SCENARIO"
rm -rf "$OUTDIR"; mkdir -p "$OUTDIR"
QV_PIDS=()

log() { echo "[$SCENARIO] $*"; }
fail() {
  log "FAILED: $*"
  shot "failure" || true
  exit 1
}
shot() {  # shot NAME: a screenshot kept as test output
  import -window root "$OUTDIR/$1.png" 2>/dev/null && log "screenshot $OUTDIR/$1.png"
}
probe() { wine "$PROBE" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
start_program() {  # start_program ARGS...: QUOVEL32.EXE in the background
  wine "$EXE" "$@" >"$OUTDIR/program.log" 2>&1 &
  QV_PIDS+=($!)
  log "started QUOVEL32.EXE $* (pid $!)"
}
wait_exit() {  # wait_exit PID SECONDS: the exit code, or fail on time-out
  local pid="$1" limit="$2" t=0
  while kill -0 "$pid" 2>/dev/null; do
    sleep 0.2; t=$((t + 1))
    [ $t -lt $((limit * 5)) ] || fail "process $pid still running after ${limit}s"
  done
  wait "$pid"
}
KEY='HKCU\Software\KAPUL SOFT32'
# installed [VERSION]: a clean settings key with "Version" (16 unless given) and a working folder,
# as the installer leaves them; "installed none" leaves no key at all, as before the first
# installation.
installed() {
  wine reg delete "$KEY" /f >/dev/null 2>&1 || true
  if [ "${1:-16}" != none ]; then
    wine reg add "$KEY\QUOVEL32\SCR" /v Version /d "${1:-16}" /f >/dev/null 2>&1 || fail "registry"
    working_folder
  fi
}
# fresh_manager: a clean installation as the scenarios start from: the settings key with
# "Version" 16, no list files, the program copied to C:\QUOVEL32. Sets C and EXE_KEY.
fresh_manager() {
  C="$WINEPREFIX/drive_c"
  EXE_KEY="$KEY\\QUOVEL32\\EXE"
  installed 16
  rm -rf "$C/QUOVEL32" "$C"/windows/QVLA32M*.LIS "$C/windows/QUOVEL32CD.LIS"
  mkdir -p "$C/QUOVEL32"
  cp "$EXE" "$C/QUOVEL32/QUOVEL32.EXE"
}
# wait_for PATTERN WHAT: until the manager's texts match PATTERN (fails with WHAT after 20 s).
wait_for() {
  local t=0
  until probe text TQUOVEL32KAPUL | grep -q -- "$1"; do
    sleep 0.2; t=$((t + 1))
    [ $t -lt 100 ] || { probe text TQUOVEL32KAPUL; fail "$2"; }
  done
}
# expect_file PATH PRINTF-FORMAT: the file holds exactly these bytes.
expect_file() {
  local want; want="$(printf "$2" | od -An -tx1)"
  local got; got="$(od -An -tx1 <"$1" 2>/dev/null || echo missing)"
  [ "$want" = "$got" ] || { log "$1:"; od -c "$1" 2>&1 | head; fail "$(basename "$1") differs"; }
}
# working_folder: a working folder as the installer sets one (a start without one plays nothing
# automatically: it asks for the folder first).
working_folder() {
  mkdir -p "$WINEPREFIX/drive_c/QVWORK"
  wine reg add "$KEY\QUOVEL32\SCR" /v TMPQVLA /d 'C:\QVWORK' /f >/dev/null 2>&1 || fail "registry"
}
# copy_as NAME: a copy of the program under another name in the scenario's folder (printed).
copy_as() {
  cp "$EXE" "$OUTDIR/$1"
  echo "$OUTDIR/$1"
}
# start_as FILE ARGS...: like start_program, for a copy.
start_as() {
  local file="$1"; shift
  wine "$file" "$@" >>"$OUTDIR/program.log" 2>&1 &
  QV_PIDS+=($!)
  log "started $(basename "$file") $* (pid $!)"
}
# expect_text CLASS PATTERN: the window's texts (caption and children) match PATTERN.
expect_text() {
  local text
  text="$(probe text "$1")" || fail "no window of class $1"
  grep -q -- "$2" <<<"$text" || { log "texts of $1:"; echo "$text"; fail "'$2' not found in $1"; }
}
last_pid() { echo "${QV_PIDS[-1]}"; }
# reg_set KEY NAME VALUE / reg_value KEY NAME: a string value of the registry.
reg_set() { wine reg add "$1" /v "$2" /d "$3" /f >/dev/null 2>&1 || fail "reg add $2"; }
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { print $3 }'; }
# saver_log: from now on the logging test savers append their starts and ends to $LOG
# (out/e2e/<scenario>/saver.log); starts and ends count its lines, wait_count waits for a count.
saver_log() {
  LOG="$OUTDIR/saver.log"
  : >"$LOG"
  QV_SAVER_LOG="$(winepath -w "$LOG" 2>/dev/null)"
  export QV_SAVER_LOG
}
starts() { grep -c ' start ' "$LOG" 2>/dev/null || true; }
ends() { grep -c ' end ' "$LOG" 2>/dev/null || true; }
wait_count() {  # wait_count starts|ends N SECONDS
  local i
  for i in $(seq 1 $(($3 * 5))); do
    [ "$($1)" -ge "$2" ] && return 0
    sleep 0.2
  done
  log "saver log:"; cat "$LOG"
  fail "$1 did not reach $2 within $3 s"
}
# pick_menu MENU ITEM: opens a menu of the manager's bar by its mnemonic letter (WM_SYSCOMMAND
# SC_KEYMENU) and picks an item by its mnemonic key, as a user does with Alt and the letters.
# Under Wine a menu lives in its program's process, so only the keyboard reaches it from outside.
pick_menu() {
  probe send TQUOVEL32KAPUL 0x112 0xF100 "$1" >/dev/null &
  local sender=$! i
  probe wait-window "#32768" 10000 >/dev/null || fail "menu $1 did not open"
  probe key TQUOVEL32KAPUL "$2" >/dev/null || fail "no key for the menu"
  for i in $(seq 1 100); do kill -0 "$sender" 2>/dev/null || break; sleep 0.1; done
}

cleanup() {
  local pid
  for pid in "${QV_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
