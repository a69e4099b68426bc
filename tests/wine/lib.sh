# Helpers of the end-to-end scenarios. A scenario runs inside the test command's Wine session
# (DISPLAY and the prefix are set); it sources this file, does its steps and exits non-zero with
# the reason on failure. Sourced, not executed.
set -euo pipefail
QV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$QV_ROOT/scripts/env.sh"
BIN="${QV_BIN:-$QV_ROOT/build/win32}"
EXE="$BIN/src/app/QUOVEL32.EXE"
PROBE="$BIN/tests/wine/qvprobe.exe"
SCENARIO="$(basename "$0" .sh)"
OUTDIR="$QV_ROOT/out/e2e/$SCENARIO"
rm -rf "$OUTDIR"; mkdir -p "$OUTDIR"
QV_PIDS=()

log() { echo "[$SCENARIO] $*"; }
# clean_state: every scenario starts from the same state, whatever ran before it: the Wine prefix
# as it was made (settings, list, history, timer and cache files in the Windows, program and
# per-user data folders, working folders, installed files, drive letters, DPI and monitor
# settings), no program left running and no window left open (the prefix's wineserver ends, and
# every program of the prefix with it), no key or button held, the mouse in the middle of the
# screen. The prefix is copied back from the copy made with it (QV_CLEAN_PREFIX, or clean_state COPY).
QV_WINE_OWN=" services.exe winedevice.exe plugplay.exe svchost.exe rpcss.exe explorer.exe conhost.exe qvprobe.exe "
clean_state() {
  local clean="${1:-$QV_CLEAN_PREFIX}"
  [ -f "$clean/system.reg" ] || { echo "[$SCENARIO] no clean prefix in $clean: run scripts/setup.sh" >&2; exit 1; }
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  rsync -a --delete --exclude /wineserver "$clean/" "$WINEPREFIX/" || { echo "[$SCENARIO] cannot restore the prefix" >&2; exit 1; }
  if [ -n "${DISPLAY:-}" ]; then
    xdotool keyup Shift_L Shift_R Control_L Control_R Alt_L Alt_R 2>/dev/null || true
    local w h
    read -r w h < <(xdotool getdisplaygeometry 2>/dev/null || echo "1024 768")
    xdotool mousemove $((w / 2)) $((h / 2)) 2>/dev/null || true
  fi
  wineserver -p
  # The first Wine call starts Wine's services; its output must not be a pipe.
  wine cmd /c exit >"$OUTDIR/prewarm.log" 2>&1 || true
  local name others=""
  while read -r name; do
    [[ "$QV_WINE_OWN" == *" ${name,,} "* ]] || others+=" $name"
  done < <(wine "$PROBE" processes 2>/dev/null | tr -d '\r')
  [ -z "$others" ] || { echo "[$SCENARIO] programs left running:$others" >&2; exit 1; }
  others="$(wine "$PROBE" windows 2>/dev/null | tr -d '\r' | grep -v '^$' | tr '\n' ' ' || true)"
  [ -z "$others" ] || { echo "[$SCENARIO] windows left open: $others" >&2; exit 1; }
}
fail() {
  log "FAILED: $*"
  shot "failure" || true
  exit 1
}
shot() {  # shot NAME: a screenshot kept as test output
  import -window root "$OUTDIR/$1.png" 2>/dev/null && log "screenshot $OUTDIR/$1.png"
}
probe() { wine "$PROBE" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
start_program() {  # start_program ARGS...: QUOVEL32.EXE in the background
  wine "$EXE" "$@" >"$OUTDIR/program.log" 2>&1 &
  QV_PIDS+=($!)
  log "started QUOVEL32.EXE $* (pid $!)"
}
wait_exit() {  # wait_exit PID SECONDS: the exit code, or fail on time-out
  local pid="$1" limit="$2" t=0
  while kill -0 "$pid" 2>/dev/null; do
    sleep 0.2; t=$((t + 1))
    [ $t -lt $((limit * 5)) ] || fail "process $pid still running after ${limit}s"
  done
  wait "$pid"
}
KEY='HKCU\Software\KAPUL SOFT32'
# installed [VERSION]: a clean settings key with "Version" (16 unless given) and a working folder,
# as the installer leaves them; "installed none" leaves no key at all, as before the first
# installation.
installed() {
  wine reg delete "$KEY" /f >/dev/null 2>&1 || true
  if [ "${1:-16}" != none ]; then
    wine reg add "$KEY\QUOVEL32\SCR" /v Version /d "${1:-16}" /f >/dev/null 2>&1 || fail "registry"
    working_folder
  fi
}
# fresh_manager: a clean installation as the scenarios start from: the settings key with
# "Version" 16, no list files, the program and its archiver library copied to C:\QUOVEL32.
# Sets C and EXE_KEY.
fresh_manager() {
  C="$WINEPREFIX/drive_c"
  EXE_KEY="$KEY\\QUOVEL32\\EXE"
  installed 16
  rm -rf "$C/QUOVEL32" "$C"/windows/QVLA32M*.LIS "$C/windows/QUOVEL32CD.LIS"
  mkdir -p "$C/QUOVEL32"
  cp "$EXE" "$C/QUOVEL32/QUOVEL32.EXE"
  cp "$BIN/src/app/UnLha32.DLL" "$C/QUOVEL32/"
}
# wait_for PATTERN WHAT: until the manager's texts match PATTERN (fails with WHAT after 20 s).
wait_for() {
  local t=0
  until probe text TQUOVEL32KAPUL | grep -q -- "$1"; do
    sleep 0.2; t=$((t + 1))
    [ $t -lt 100 ] || { probe text TQUOVEL32KAPUL; fail "$2"; }
  done
}
# expect_file PATH PRINTF-FORMAT: the file holds exactly these bytes.
expect_file() {
  local want; want="$(printf "$2" | od -An -tx1)"
  local got; got="$(od -An -tx1 <"$1" 2>/dev/null || echo missing)"
  [ "$want" = "$got" ] || { log "$1:"; od -c "$1" 2>&1 | head; fail "$(basename "$1") differs"; }
}
# working_folder: a working folder as the installer sets one (a start without one plays nothing
# automatically: it asks for the folder first).
working_folder() {
  mkdir -p "$WINEPREFIX/drive_c/QVWORK"
  wine reg add "$KEY\QUOVEL32\SCR" /v TMPQVLA /d 'C:\QVWORK' /f >/dev/null 2>&1 || fail "registry"
}
# copy_as NAME: a copy of the program under another name in the scenario's folder (printed).
copy_as() {
  cp "$EXE" "$OUTDIR/$1"
  echo "$OUTDIR/$1"
}
# start_as FILE ARGS...: like start_program, for a copy.
start_as() {
  local file="$1"; shift
  wine "$file" "$@" >>"$OUTDIR/program.log" 2>&1 &
  QV_PIDS+=($!)
  log "started $(basename "$file") $* (pid $!)"
}
# expect_text CLASS PATTERN: the window's texts (caption and children) match PATTERN.
expect_text() {
  local text
  text="$(probe text "$1")" || fail "no window of class $1"
  grep -q -- "$2" <<<"$text" || { log "texts of $1:"; echo "$text"; fail "'$2' not found in $1"; }
}
last_pid() { echo "${QV_PIDS[-1]}"; }
# reg_set KEY NAME VALUE / reg_value KEY NAME: a string value of the registry.
reg_set() { wine reg add "$1" /v "$2" /d "$3" /f >/dev/null 2>&1 || fail "reg add $2"; }
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { print $3 }'; }
# reg_text KEY NAME: the whole text of a string value (blanks and Japanese included); empty when
# it is missing.
reg_filter() { iconv -f CP932 -t UTF-8 | tr -d '\r' | awk -v n="$1" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'; }
reg_text() { wine reg query "$1" /v "$2" 2>/dev/null | reg_filter "$2" || true; }
# saver_log: from now on the logging test savers append their starts and ends to $LOG
# (out/e2e/<scenario>/saver.log); starts and ends count its lines, wait_count waits for a count.
saver_log() {
  LOG="$OUTDIR/saver.log"
  : >"$LOG"
  QV_SAVER_LOG="$(winepath -w "$LOG" 2>/dev/null)"
  export QV_SAVER_LOG
}
starts() { grep -c ' start ' "$LOG" 2>/dev/null || true; }
ends() { grep -c ' end ' "$LOG" 2>/dev/null || true; }
wait_count() {  # wait_count starts|ends N SECONDS
  local i
  for i in $(seq 1 $(($3 * 5))); do
    [ "$($1)" -ge "$2" ] && return 0
    sleep 0.2
  done
  log "saver log:"; cat "$LOG"
  fail "$1 did not reach $2 within $3 s"
}
# pick_menu MENU ITEM: opens a menu of the manager's bar by its mnemonic letter (WM_SYSCOMMAND
# SC_KEYMENU) and picks an item by its mnemonic key, as a user does with Alt and the letters.
# Under Wine a menu lives in its program's process, so the probe cannot look into it; for the
# mouse, `probe menu-pick` lays out a menu of the same captions of its own to find the item.
pick_menu() {
  probe send TQUOVEL32KAPUL 0x112 0xF100 "$1" >/dev/null &
  local sender=$! i
  probe wait-window "#32768" 10000 >/dev/null || fail "menu $1 did not open"
  probe key TQUOVEL32KAPUL "$2" >/dev/null || fail "no key for the menu"
  # A key that reaches the menu before it tracks input is lost (seen under load): the menu is
  # still open after a while, so the key goes again.
  for i in $(seq 1 100); do
    kill -0 "$sender" 2>/dev/null || break
    if [ $((i % 30)) = 0 ] && probe wait-window "#32768" 1 >/dev/null; then probe key TQUOVEL32KAPUL "$2" >/dev/null; fi
    sleep 0.1
  done
}
# select_rows ROW...: the first row of the manager's lists clicked, the others added with Ctrl.
select_rows() {
  probe click-row TQUOVEL32KAPUL "$1" || fail "no row $1"
  shift
  local row
  for row in "$@"; do probe click-row TQUOVEL32KAPUL "$row" ctrl || fail "no row $row"; done
}
# file_menu ROW KEY: a right click on ROW opens the file menu; KEY picks its item.
file_menu() {
  probe click-row TQUOVEL32KAPUL "$1" right || fail "no row $1"
  probe wait-window '#32768' 10000 >/dev/null || fail "the file menu did not open"
  probe keys '#32768' "$2" || fail "no key for the menu"
}
# bulk_registration: 一括登録 pressed; back once its button shows again (the registration ended).
bulk_registration() {
  probe press TQUOVEL32KAPUL '一括登録' || fail "could not press the bulk registration button"
  local t=0
  until probe shown TQUOVEL32KAPUL Button '一括登録'; do
    sleep 0.2; t=$((t + 1)); [ $t -lt 100 ] || fail "the bulk registration did not end"
  done
}
# answer TEXT BUTTON: the next message box shows TEXT and its BUTTON is clicked.
answer() {
  probe wait-window TMKBox 15000 >/dev/null || fail "no message box for '$1'"
  expect_text TMKBox "$1"
  probe press-name TMKBox "$2" || fail "no button $2"
  local t=0   # gone, or the next box in its place
  while probe text TMKBox 2>/dev/null | grep -q -- "$1"; do
    sleep 0.2; t=$((t + 1)); [ $t -lt 50 ] || fail "the box for '$1' stayed"
  done
}
# reply TEXT: the next message box shows TEXT (on one of its lines); Enter, once the box has come
# to the front, gives its default button (はい or ＯＫ).
reply() {
  probe wait-window TMKBox 20000 >/dev/null || fail "no message box for '$1'"
  expect_text TMKBox "$1"
  probe keys TMKBox 13 >/dev/null || fail "no key for the box"
  local t=0   # gone, or the next box in its place
  while probe text TMKBox 2>/dev/null | grep -q -- "$1"; do
    sleep 0.2; t=$((t + 1)); [ $t -lt 50 ] || fail "the box for '$1' stayed"
  done
}
# close_groups: Program Manager's server shows each group it creates or opens in a window of the
# shell; they are closed so that they do not cover the program's boxes.
close_groups() {
  local i
  for i in 1 2 3 4 5 6; do probe close ExplorerWClass >/dev/null 2>&1 || return 0; sleep 0.3; done
}

# --- Installation and removal ---------------------------------------------------------------------
# downloaded DIR: the files a user unpacks before the first start: the program, its two guides and
# the archiver library.
downloaded() {
  mkdir -p "$1"
  cp "$EXE" "$BIN/src/app/QUOVEL32.TXT" "$BIN/src/app/QvLA解凍.TXT" "$BIN/src/app/UnLha32.DLL" "$1/"
}
# install_with_defaults PID LINE: 設定 in the installer (PID) with its default folders, both
# missing; the closing box shows LINE. Screenshot "installed", with the group Program Manager shows.
install_with_defaults() {
  probe press-name TSCR32SETUPForm Button3 || fail "no 設定"
  reply 'C:\\KaPULT32\\TmPQVLA$'
  reply 'C:\\KaPULP32\\QUOVEL32$'
  probe wait-window TMKBox 30000 >/dev/null || fail "no box at the end"
  sleep 1
  shot installed
  close_groups
  reply "$2"
  local rc
  set +e; wait_exit "$1" 30; rc=$?; set -e
  [ "$rc" = 0 ] || fail "installer exit code $rc"
}
# remove_all PID: every question of the uninstall (PID) answered はい; then the report of the
# uninstaller copy it started, which ends. Screenshot "removed".
remove_all() {
  reply 'を、アンインストールしてよろしいですか'
  reply 'LIS/TIM等のﾒﾓﾘｰﾃﾞｰﾀﾌｧｲﾙも削除して'
  reply '当ソフトのレジストリー情報も削除してよろしいですか'
  local rc
  set +e; wait_exit "$1" 30; rc=$?; set -e
  [ "$rc" = 0 ] || fail "uninstall exit code $rc"
  probe wait-window TMKBox 30000 >/dev/null || fail "no report of the uninstaller copy"
  close_groups
  shot removed
  reply '削除が完了しました'
  probe wait-gone TSCR32SETUPForm 20000 || fail "the uninstaller copy did not end"
}

# --- A plain user in a Wine prefix of its own ----------------------------------------------------
# The program runs as a plain user (created when missing) in a copy of the session's prefix owned
# by that user (Wine insists). user_prefix makes the copy and sets QV_USER, UP (the prefix), C and
# W; from then on probe, ureg and uvalue act in the user's prefix, and the scenario's exit stops
# the user's wineserver. user_session, once the scenario has put its files in place, gives the
# Windows folder to root (closed to the user) and starts the user's wineserver.
# One user per checkout, so that two checkouts on one machine never end each other's programs.
QV_USER="qv$(printf '%s' "$QV_ROOT" | md5sum | cut -c1-8)"
as_user() {
  runuser -u "$QV_USER" -- env WINEPREFIX="$UP" WINEARCH="$WINEARCH" WINEDEBUG="$WINEDEBUG" \
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES" LANG="$LANG" LC_CTYPE="${LC_CTYPE:-C.UTF-8}" DISPLAY="$DISPLAY" \
    QV_SAVER_LOG="${QV_SAVER_LOG:-}" "$@"
}
ureg() { as_user wine reg add "$1" /v "$2" /d "$3" /f >/dev/null 2>&1 || fail "reg add $2"; }
uvalue() { as_user wine reg query "$1" /v "$2" 2>/dev/null | reg_filter "$2" || true; }
# Ends the user's wineserver and removes the folder of its socket (named in the prefix).
stop_user() {
  [ -n "${UP:-}" ] && [ -d "$UP" ] || return 0
  as_user wineserver -k >/dev/null 2>&1 || true
  as_user wineserver -w >/dev/null 2>&1 || true
  local server
  server="$(cat "$UP/wineserver" 2>/dev/null || true)"
  [[ "$server" =~ ^wine-[A-Za-z0-9]+$ ]] && rm -rf "${TMPDIR:-/tmp}/$server"
  return 0
}
user_prefix() {
  id -u "$QV_USER" >/dev/null 2>&1 || useradd -m -s /bin/bash "$QV_USER" >/dev/null 2>&1 || fail "cannot create $QV_USER"
  local home
  home="$(getent passwd "$QV_USER" | cut -d: -f6)"
  [ -d "$home" ] || fail "$QV_USER has no home folder"
  UP="$home/qv-prefix"
  trap 'cleanup; stop_user' EXIT
  stop_user
  # Nothing of an earlier scenario may still run as the plain user (and write into the prefix):
  # the user exists for these scenarios only, which all run in one lane.
  pkill -KILL -u "$QV_USER" 2>/dev/null || true
  local t=0
  while pgrep -u "$QV_USER" >/dev/null 2>&1; do
    sleep 0.1; t=$((t + 1)); [ $t -lt 100 ] || fail "programs of $QV_USER do not end"
  done
  rm -rf "$UP"
  cp -a "$WINEPREFIX" "$UP"
  # The copy must not name the original's server folder.
  rm -f "$UP/wineserver"
  C="$UP/drive_c"
  W="$C/windows"
  # A copied prefix lacks this user's profile folders until Wine's set-up runs again; the shell
  # needs the desktop folder, Program Manager the programs folder.
  mkdir -p "$C/users/$QV_USER/Desktop" "$C/users/$QV_USER/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp"
  chown -R "$QV_USER:" "$UP"
  cp "$PROBE" "$C/qvprobe.exe"
  probe() { as_user wine "$UP/drive_c/qvprobe.exe" "$@" 2>>"$OUTDIR/probe.log" | tr -d '\r'; return "${PIPESTATUS[0]}"; }
}
user_session() {
  chown root:root "$W"
  chmod 755 "$W"
  # A busy display can turn a first connection away: ask a few times before giving up.
  local tries=0
  until as_user xdotool getmouselocation >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -lt 10 ] || fail "$QV_USER cannot use the display $DISPLAY"
    sleep 0.5
  done
  # A wineserver that stays up; the first Wine call starts the user's Wine services, and its
  # output must not be a pipe.
  as_user wineserver -p || true
  as_user wine cmd /c exit >"$OUTDIR/prewarm.log" 2>&1 || true
  as_user wine cmd /c 'echo x>C:\windows\qv-test.tmp' >"$OUTDIR/write-test.log" 2>&1 || true
  [ ! -e "$W/qv-test.tmp" ] || fail "the Windows folder is writable for $QV_USER"
}

# prefix64: the rest runs in the 64-bit prefix (the program under WOW64) from its clean state; its
# wineserver runs on the scenario's display beside the session's one and stops with the scenario.
prefix64() {
  export WINEPREFIX="$QV_STATE/wineprefix64" WINEARCH=win64
  trap 'cleanup; wineserver -k >/dev/null 2>&1 || true; wineserver -w >/dev/null 2>&1 || true' EXIT
  clean_state "$QV_CLEAN_PREFIX64"
}

cleanup() {
  local pid
  for pid in "${QV_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT

# --- Two monitors ----------------------------------------------------------------------------------
# two_monitors: the rest of the scenario runs on a display of two 1024 x 768 monitors, the primary
# one and a second one left of it (at negative coordinates for Windows). Xvfb alone cannot give
# Wine two monitors (its Xinerama stacks the screens at 0,0 and its RandR has one output), so a
# nested Xephyr with Xinerama places two screens side by side, and Wine's X11 driver reads them
# through libXinerama (RandR is off under Xinerama). Wine takes the first screen as the primary
# monitor and measures the others from it. The test command's Wine session is stopped first
# (Wine's desktop belongs to one display) and restarted on its own display at the end.
two_monitors() {
  QV_OUTER_DISPLAY="${DISPLAY:-}"
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  QV_HOST_PID="" QV_NESTED_PID=""
  local fd="$OUTDIR/display.fd" i
  rm -f "$fd"
  Xvfb -displayfd 3 -screen 0 2048x768x24 -nolisten tcp 3>"$fd" >"$OUTDIR/xvfb.log" 2>&1 &
  QV_HOST_PID=$!
  for i in $(seq 1 100); do [ -s "$fd" ] && break; sleep 0.1; done
  [ -s "$fd" ] || fail "the host X server did not start"
  local host=":$(tr -d '\n' <"$fd")"
  rm -f "$fd"
  DISPLAY="$host" Xephyr -displayfd 3 +xinerama -no-host-grab -nolisten tcp \
    -origin 1024,0 -screen 1024x768x24 -origin 0,0 -screen 1024x768x24 3>"$fd" >"$OUTDIR/xephyr.log" 2>&1 &
  QV_NESTED_PID=$!
  trap 'cleanup; two_monitors_stop' EXIT
  for i in $(seq 1 100); do [ -s "$fd" ] && break; sleep 0.1; done
  [ -s "$fd" ] || { cat "$OUTDIR/xephyr.log"; fail "the two-monitor X server did not start"; }
  export DISPLAY=":$(tr -d '\n' <"$fd")"
  rm -f "$fd"
  wineserver -p
  wine cmd /c exit >"$OUTDIR/prewarm.log" 2>&1 || true
  log "two monitors on display $DISPLAY: $(probe monitors | tr '\n' ';')"
}
two_monitors_stop() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  local pid
  for pid in $QV_NESTED_PID $QV_HOST_PID; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  if [ -n "$QV_OUTER_DISPLAY" ]; then
    export DISPLAY="$QV_OUTER_DISPLAY"
    wineserver -p
    wine cmd /c exit >/dev/null 2>&1 || true
  fi
}

# Every scenario starts from the clean state.
clean_state
