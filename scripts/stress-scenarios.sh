#!/usr/bin/env bash
# Proves that the end-to-end scenarios do not depend on each other or on a quiet machine: the
# suite in reverse order, in a shuffled order, each lane alone, and the whole suite three times
# under a competing load (two busy loops at normal priority). Not part of the test command; it
# takes about an hour. Needs the set-up, the win32 build and the release package (scripts/test.sh
# leaves them; the package is made here when missing).
#   stress-scenarios.sh [SEED]      the shuffle's seed (random when not given)
# Each run's summary goes to out/stress/RUN.log; ends with the runs that failed.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seed="${1:-$RANDOM}"
mkdir -p out/stress
ls out/dist/QUOVEL32-*-win32.zip >/dev/null 2>&1 || bash scripts/package.sh || exit 1
results=()
run() {  # run NAME ARGS...: one pass of scripts/scenarios.sh
  local name="$1"; shift
  echo "==== $name: scenarios.sh $*"
  if bash scripts/scenarios.sh "$@" >"out/stress/$name.log" 2>&1; then
    results+=("ok      $name")
  else
    results+=("FAILED  $name ($(grep -B1 '^   FAILED' "out/stress/$name.log" | sed -n 's/^-- scenario //p' | tr '\n' ' '))")
  fi
  tail -n 1 "out/stress/$name.log"
}

run reverse --order reverse
run shuffled --order shuffle --seed "$seed"
run lane-1 --lane 1
run lane-2 --lane 2
busy=()
stop_busy() { for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null; done; busy=(); }
trap stop_busy EXIT
for n in 1 2 3; do
  for core in 1 2; do
    (while :; do :; done) &
    busy+=($!)
  done
  run "loaded-$n"
  stop_busy
done

echo "==== stress summary (shuffle seed $seed)"
printf '%s\n' "${results[@]}"
! printf '%s\n' "${results[@]}" | grep -q '^FAILED'
