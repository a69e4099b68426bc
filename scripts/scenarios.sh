#!/usr/bin/env bash
# Runs the end-to-end scenarios under Wine in two lanes side by side, each with its own display,
# Wine prefix and wineserver; every scenario starts from the clean prefix (tests/wine/lib.sh).
# Needs the win32 build and the set-up (scripts/setup.sh). Logs in out/e2e-NAME.log, screenshots
# in out/e2e/NAME/; ends with "scenarios: N passed, N failed".
#   scenarios.sh [--order name|reverse|shuffle] [--seed N] [--lane 1|2] [SCENARIO...]
# --order: the order of the scenarios before they are dealt to the lanes (name order by default);
# --lane: only the scenarios of that lane, in one lane alone; SCENARIO: names to run (all when
# none). The scenarios that work as the plain user share one home folder, so they keep to the
# first lane.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
order=name seed="" only="" names=()
while [ $# -gt 0 ]; do
  case "$1" in
    --order) order="$2"; shift 2 ;;
    --seed) seed="$2"; shift 2 ;;
    --lane) only="$2"; shift 2 ;;
    *) names+=("$1"); shift ;;
  esac
done
source scripts/env.sh

all=()
if [ ${#names[@]} -gt 0 ]; then
  for n in "${names[@]}"; do all+=("tests/wine/scenarios/$(basename "$n" .sh).sh"); done
else
  for s in tests/wine/scenarios/*.sh; do all+=("$s"); done
fi
case "$order" in
  name) ;;
  reverse) mapfile -t all < <(printf '%s\n' "${all[@]}" | tac) ;;
  shuffle)
    seed="${seed:-$RANDOM}"
    echo "scenarios: shuffled with seed $seed"
    mapfile -t all < <(printf '%s\n' "${all[@]}" | shuf --random-source=<(yes "$seed")) ;;
  *) echo "scenarios: unknown order $order" >&2; exit 2 ;;
esac

# The plain user's scenarios go to the first lane; each other one to the lane with fewer so far.
lanes=("" "")
counts=(0 0)
for s in "${all[@]}"; do
  [ -f "$s" ] || { echo "scenarios: no scenario $s" >&2; exit 2; }
  lane=0
  if ! grep -q 'user_prefix' "$s" && [ "${counts[1]}" -lt "${counts[0]}" ]; then lane=1; fi
  lanes[$lane]+=" $s"
  counts[$lane]=$((counts[lane] + 1))
done
if [ -n "$only" ]; then
  lanes=("${lanes[$((only - 1))]}" "")
fi

# run_lane STATE SCENARIOS...: each scenario's result in out/e2e-NAME.result
run_lane() {
  local state="$1"; shift
  export QV_STATE="$state" QV_WINEPREFIX="$state/wineprefix"
  source scripts/session.sh
  export QV_OWN_DISPLAY=1
  trap qv_session_stop EXIT
  qv_session_start
  local scenario name
  for scenario in "$@"; do
    name=$(basename "$scenario" .sh)
    echo "$(date +%T) $name"
    if bash "$scenario" >"out/e2e-$name.log" 2>&1; then echo ok; else echo FAILED; fi >"out/e2e-$name.result"
  done
}

mkdir -p out
for s in "${all[@]}"; do rm -f "out/e2e-$(basename "$s" .sh).result"; done
n=0
for lane in "${lanes[@]}"; do
  n=$((n + 1))
  [ -n "$lane" ] || continue
  state="$QV_STATE"
  if [ "$n" = 2 ]; then
    state="$QV_STATE-lane2"
    rm -rf "$state"
    mkdir -p "$state"
    rsync -a --exclude /wineserver "$QV_CLEAN_PREFIX/" "$state/wineprefix/"
  fi
  # shellcheck disable=SC2086
  (run_lane "$state" $lane) >"out/lane-$n.log" 2>&1 &
done
wait

passed=0 failed=0
for s in "${all[@]}"; do
  name=$(basename "$s" .sh)
  echo "-- scenario $name"
  if [ "$(cat "out/e2e-$name.result" 2>/dev/null)" = ok ]; then
    passed=$((passed + 1)); echo "   ok"
  else
    failed=$((failed + 1)); echo "   FAILED"; sed 's/^/   | /' "out/e2e-$name.log"
  fi
done
echo "scenarios: $passed passed, $failed failed"
[ "$failed" = 0 ]
