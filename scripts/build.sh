#!/usr/bin/env bash
# Configures and builds one configuration: build.sh native|win32 [targets...]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
preset="$1"; shift
mkdir -p build
cmake --preset "$preset" >"build/configure-$preset.log" 2>&1 || { cat "build/configure-$preset.log"; exit 1; }
rm -f "build/configure-$preset.log"
if [ $# -gt 0 ]; then
  cmake --build --preset "$preset" -j2 --target "$@"
else
  cmake --build --preset "$preset" -j2
fi
