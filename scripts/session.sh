# A Wine session for scripts: an X display (our own Xvfb when there is none, or when
# QV_OWN_DISPLAY=1), a wineserver that stays up between programs, and a tidy shut-down of only
# what this session started (by prefix and PID). Sourced, not executed.
# shellcheck source=env.sh
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

QV_XVFB_PID=""
QV_OUT="${QV_OUT:-$QV_ROOT/out}"

qv_session_start() {
  mkdir -p "$QV_STATE" "$QV_OUT"
  # A wineserver that was started without a display keeps a display-less desktop.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  if [ -z "${DISPLAY:-}" ] || [ "${QV_OWN_DISPLAY:-0}" = 1 ]; then
    local fdfile="$QV_STATE/display.$$"
    rm -f "$fdfile"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >"$QV_STATE/xvfb.log" 2>&1 &
    QV_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      [ -s "$fdfile" ] && break
      sleep 0.1
    done
    if [ ! -s "$fdfile" ]; then
      echo "session: Xvfb did not start" >&2
      cat "$QV_STATE/xvfb.log" >&2
      return 1
    fi
    export DISPLAY=":$(tr -d '\n' <"$fdfile")"
    rm -f "$fdfile"
  fi
  wineserver -p
  # The first Wine call starts Wine's services; its output must not be a pipe.
  wine cmd /c exit >"$QV_STATE/prewarm.log" 2>&1 || true
}

qv_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  if [ -n "$QV_XVFB_PID" ]; then
    kill "$QV_XVFB_PID" 2>/dev/null || true
    wait "$QV_XVFB_PID" 2>/dev/null || true
    QV_XVFB_PID=""
  fi
}

# qv_screenshot FILE: the whole screen as PNG.
qv_screenshot() {
  mkdir -p "$(dirname "$1")"
  import -window root "$1" 2>/dev/null || xwd -root -silent | convert xwd:- "$1"
}
