#!/usr/bin/env bash
# Configures and builds one configuration: build.sh native|win32 [targets...]
# With ccache present, compilations go through it, keyed by paths relative to the checkout, so a
# fresh clone builds what an earlier one built from its cache.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
preset="$1"; shift
mkdir -p build
if command -v ccache >/dev/null 2>&1; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
cmake --preset "$preset" >"build/configure-$preset.log" 2>&1 || { cat "build/configure-$preset.log"; exit 1; }
rm -f "build/configure-$preset.log"
if [ $# -gt 0 ]; then
  cmake --build --preset "$preset" -j2 --target "$@"
else
  cmake --build --preset "$preset" -j2
fi
