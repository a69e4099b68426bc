#!/usr/bin/env bash
# Runs one Windows program in the project's prefix (CTest's emulator for the win32 build).
# The caller provides the display (see session.sh); exit code is the program's. The output goes
# through a file: a process the program leaves behind (a window the shell opened for it) would
# otherwise keep CTest's pipe open and the test from ending.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/env.sh"
out="$(mktemp)"
wine "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
