#!/usr/bin/env bash
# Runs a Windows program in the project's prefix, under Xvfb when there is no display.
#   wine-run.sh [--screenshot FILE] [--after SECONDS] [--timeout SECONDS] PROGRAM [ARGS...]
# --screenshot takes a PNG of the screen SECONDS (default 3) after the start; --timeout ends the
# program (and this prefix's wineserver) when it runs longer. Exit code is the program's.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/session.sh"

shot="" after=3 timeout=0
while [ $# -gt 0 ]; do
  case "$1" in
    --screenshot) shot="$2"; shift 2 ;;
    --after) after="$2"; shift 2 ;;
    --timeout) timeout="$2"; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ $# -ge 1 ] || { echo "usage: wine-run.sh [--screenshot FILE] [--after S] [--timeout S] PROGRAM [ARGS...]" >&2; exit 2; }

trap qv_session_stop EXIT
qv_session_start
wine "$@" &
pid=$!
start=$SECONDS
shot_taken=0
while kill -0 "$pid" 2>/dev/null; do
  if [ -n "$shot" ] && [ $shot_taken = 0 ] && [ $((SECONDS - start)) -ge "$after" ]; then
    qv_screenshot "$shot"; shot_taken=1; echo "screenshot: $shot"
  fi
  if [ "$timeout" -gt 0 ] && [ $((SECONDS - start)) -ge "$timeout" ]; then
    echo "wine-run: time-out after ${timeout}s, ending the program" >&2
    wineserver -k >/dev/null 2>&1 || true
    break
  fi
  sleep 0.2
done
set +e
wait "$pid"
rc=$?
exit $rc
