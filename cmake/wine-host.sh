#!/usr/bin/env bash
# A private Wine session for the Windows tests:
#   wine-host.sh start DIR KEEPALIVE_EXE   prefix in DIR/wineprefix (made once, reused),
#                                          a fresh Xvfb display, one long-lived Wine session
#   wine-host.sh stop DIR                  ends the session and the display
# All I/O of the background processes goes to /dev/null: CTest waits for a test's
# pipes to close, and wineserver/explorer would otherwise keep them open.
set -euo pipefail

cmd=${1:?start or stop}
dir=${2:?state directory}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)

export WINEPREFIX="$dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEARCH

log() { printf 'wine-host: %s\n' "$*"; }

stop_pidfile() {
  local f=$1
  [ -f "$f" ] || return 0
  local pid
  pid=$(cat "$f")
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
  rm -f "$f"
}

stop_wine() {
  timeout 30 wineserver -k >/dev/null 2>&1 </dev/null || true
  timeout 30 wineserver -w >/dev/null 2>&1 </dev/null || true
}

start_display() {
  local tries=0 n
  while [ $tries -lt 40 ]; do
    n=$((100 + RANDOM % 800))
    tries=$((tries + 1))
    if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; then continue; fi
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
    local pid=$!
    for _ in $(seq 100); do
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        echo "$pid" >"$dir/xvfb.pid"
        echo "$n" >"$dir/display"
        return 0
      fi
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
  done
  log "could not start Xvfb"
  return 1
}

case "$cmd" in
start)
  keepalive=${3:?keep-alive program}
  stop_pidfile "$dir/keepalive.pid"
  stop_pidfile "$dir/xvfb.pid"
  rm -f "$dir/display"
  start_display
  export DISPLAY=":$(cat "$dir/display")"
  if [ ! -f "$WINEPREFIX/.ardenix-ready" ]; then
    log "creating the Wine prefix $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 </dev/null
    # No window manager under Xvfb: unmanaged windows make hiding and destroying instant.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
    # A crash must end the process with a backtrace, not wait in a dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
    stop_wine
    touch "$WINEPREFIX/.ardenix-ready"
  else
    stop_wine
  fi
  rm -f "$dir/keepalive.ready"
  # Wine maps the Unix root to drive Z: (asking winepath would start wineserver on our pipe).
  ready_win="Z:${dir//\//\\}\\keepalive.ready"
  setsid wine "$keepalive" "$ready_win" >/dev/null 2>&1 </dev/null &
  echo $! >"$dir/keepalive.pid"
  # A loaded machine (another build on both cores) has taken more than two minutes.
  deadline=$((SECONDS + 420))
  while [ "$SECONDS" -lt "$deadline" ]; do
    [ -f "$dir/keepalive.ready" ] && { log "ready on display $DISPLAY"; exit 0; }
    sleep 0.1
  done
  log "the Wine session did not come up"
  exit 1
  ;;
stop)
  stop_pidfile "$dir/keepalive.pid"
  stop_wine
  stop_pidfile "$dir/xvfb.pid"
  rm -f "$dir/display" "$dir/keepalive.ready"
  log "stopped"
  ;;
*)
  log "unknown command $cmd"
  exit 2
  ;;
esac
