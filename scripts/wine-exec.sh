#!/usr/bin/env bash
# Runs one Windows program in the project's prefix (CTest's emulator for the win32 build).
# The caller provides the display (see session.sh); exit code is the program's.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/env.sh"
exec wine "$@"
