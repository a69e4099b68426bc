#!/usr/bin/env bash
# Benchmark: loading and saving a 32,700-entry list file (goal: 50 ms or less), in an optimised
# native build of its own.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
bash scripts/setup.sh >/dev/null
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench -j2 --target list_file_bench >/dev/null
build/bench/tests/store/list_file_bench
