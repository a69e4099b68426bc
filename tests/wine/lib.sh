# Helpers of the end-to-end scenarios. A scenario runs inside the test command's Wine session
# (DISPLAY and the prefix are set); it sources this file, does its steps and exits non-zero with
# the reason on failure. Sourced, not executed.
set -euo pipefail
QV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$QV_ROOT/scripts/env.sh"
BIN="$QV_ROOT/build/win32"
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
cleanup() {
  local pid
  for pid in "${QV_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
