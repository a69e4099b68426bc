#!/usr/bin/env bash
# Runs the CTest tests of a win32 build directory under Wine, on our own Xvfb.
#   wine-ctest.sh BUILD_DIR [CTEST ARGS...]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/session.sh"
dir="$1"; shift
export QV_OWN_DISPLAY=1
trap qv_session_stop EXIT
qv_session_start
ctest --test-dir "$dir" --output-on-failure "$@"
