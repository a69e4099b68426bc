#!/usr/bin/env bash
# Sets up everything and runs every test: the layer check, the native tests (CTest), the Win32
# integration tests under Wine, the release package and the libraries its binaries import, the
# end-to-end scenarios and a bounded fuzz run of the archive code and the cache readers.
# Screenshots and logs of the scenarios land in out/.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$here/.."
bash scripts/setup.sh || exit 1
source scripts/session.sh

passed=0 failed=0
failures=()
count_ctest() {  # reads a CTest log, adds its counts
  local line total nfail
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [ -z "$line" ]; then failed=$((failed + 1)); failures+=("$2: no CTest summary"); return; fi
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  nfail=$(sed -E 's/.*, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - nfail)); failed=$((failed + nfail))
  [ "$nfail" = 0 ] || failures+=("$2: $nfail failed")
}
step() { echo; echo "==== $*"; }

step "layer check"
if bash scripts/check-layers.sh; then passed=$((passed + 1)); else failed=$((failed + 1)); failures+=("layer check"); fi

step "native build and tests"
mkdir -p out
if bash scripts/build.sh native; then
  ctest --preset native -j2 2>&1 | tee out/ctest-native.log
  count_ctest out/ctest-native.log native
else
  failed=$((failed + 1)); failures+=("native build")
fi

step "win32 build"
if bash scripts/build.sh win32; then
  export QV_OWN_DISPLAY=1
  trap qv_session_stop EXIT
  qv_session_start
  step "Win32 integration tests under Wine"
  ctest --preset win32 2>&1 | tee out/ctest-win32.log
  count_ctest out/ctest-win32.log win32
  qv_session_stop
  step "release package"
  if bash scripts/package.sh; then passed=$((passed + 1)); else failed=$((failed + 1)); failures+=("release package"); fi
  step "libraries the release package's binaries import"
  if python3 scripts/check-imports.py out/dist/QUOVEL32-*-win32.zip; then passed=$((passed + 1)); else failed=$((failed + 1)); failures+=("imports of the release package"); fi
  step "end-to-end scenarios under Wine"
  bash scripts/scenarios.sh 2>&1 | tee out/scenarios.log
  line=$(grep -E '^scenarios: [0-9]+ passed, [0-9]+ failed' out/scenarios.log | tail -n 1)
  if [ -z "$line" ]; then
    failed=$((failed + 1)); failures+=("scenarios: no summary")
  else
    passed=$((passed + $(sed -E 's/scenarios: ([0-9]+) passed.*/\1/' <<<"$line")))
    nfail=$(sed -E 's/.*, ([0-9]+) failed/\1/' <<<"$line")
    failed=$((failed + nfail))
    for name in $(grep -B1 '^   FAILED' out/scenarios.log | sed -n 's/^-- scenario //p'); do failures+=("scenario $name"); done
  fi
else
  failed=$((failed + 1)); failures+=("win32 build")
fi

if [ -f scripts/fuzz.sh ]; then
  step "fuzzing of the archive code and the cache readers (bounded, the budget shared by the targets)"
  if bash scripts/fuzz.sh "${QV_FUZZ_SECONDS:-45}" 2>&1 | tail -n 30; then passed=$((passed + 1)); else failed=$((failed + 1)); failures+=("fuzz"); fi
fi

step "summary"
for f in "${failures[@]}"; do echo "FAILED: $f"; done
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
