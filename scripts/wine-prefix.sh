#!/usr/bin/env bash
# Creates the project's quiet Wine prefix: no Mono/Gecko questions, no menu entries, unmanaged
# windows, and font substitutes so the Japanese faces render with the IPA fonts. A copy of it as
# it was made is kept for the end-to-end scenarios, which start from that state.
#   wine-prefix.sh        the 32-bit prefix every tool and scenario uses
#   wine-prefix.sh 64     the 64-bit one (a 64-bit Windows, where the program runs under WOW64)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/env.sh"
bits="${1:-32}"
if [ "$bits" = 64 ]; then
  export WINEPREFIX="$QV_STATE/wineprefix64" WINEARCH=win64 QV_CLEAN_PREFIX="$QV_CLEAN_PREFIX64"
fi

stamp="$WINEPREFIX/.qv-prefix-3"
[ -f "$stamp" ] && [ -f "$QV_CLEAN_PREFIX/.qv-prefix-3" ] && exit 0

mkdir -p "$QV_STATE"
rm -rf "$WINEPREFIX"
log="$QV_STATE/wineboot$bits.log"
echo "setup: creating Wine prefix $WINEPREFIX"
(
  unset DISPLAY
  wineboot -i >"$log" 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$log" 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d Y /f >>"$log" 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >>"$log" 2>&1

  reg="$QV_STATE/fonts.reg"
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
    for f in "MS PGothic" "ＭＳ Ｐゴシック" "MS UI Gothic" "MS Shell Dlg" "MS Shell Dlg 2" \
             "Tahoma" "MS Sans Serif" "System"; do
      printf '"%s"="IPAPGothic"\r\n' "$f"
    done
    for f in "MS Gothic" "ＭＳ ゴシック"; do printf '"%s"="IPAGothic"\r\n' "$f"; done
    for f in "MS Mincho" "ＭＳ 明朝"; do printf '"%s"="IPAMincho"\r\n' "$f"; done
    for f in "MS PMincho" "ＭＳ Ｐ明朝"; do printf '"%s"="IPAPMincho"\r\n' "$f"; done
    printf '\r\n'
  } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
  wine regedit /S "$(winepath -w "$reg")" >>"$log" 2>&1
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wineserver -w
)
touch "$stamp"
rm -rf "$QV_CLEAN_PREFIX"
rsync -a --exclude /wineserver "$WINEPREFIX/" "$QV_CLEAN_PREFIX/"
echo "setup: Wine prefix ($bits-bit) ready"
