# Shared environment of the project's scripts: where the Wine prefix lives and how Wine runs.
# Sourced, not executed.
QV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export QV_ROOT
export QV_STATE="${QV_STATE:-$QV_ROOT/.state}"
export WINEPREFIX="${QV_WINEPREFIX:-$QV_STATE/wineprefix}"
# The prefix as it was made: every end-to-end scenario starts from a copy of it.
export QV_CLEAN_PREFIX="${QV_CLEAN_PREFIX:-$QV_STATE/clean-prefix}"
# The 64-bit prefix as it was made: a 64-bit Windows, where the program runs under WOW64. The
# scenarios that need it work in a copy in their own state folder.
export QV_CLEAN_PREFIX64="${QV_CLEAN_PREFIX64:-$QV_STATE/clean-prefix64}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine takes its code page from LC_CTYPE; the tools keep English messages.
export LANG=C.UTF-8
unset LC_ALL
if locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  export LC_CTYPE=ja_JP.UTF-8
fi
