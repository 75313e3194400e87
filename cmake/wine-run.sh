#!/usr/bin/env bash
# Runs a Windows program in the private Wine session of wine-host.sh:
#   wine-run.sh HOST_DIR PROGRAM [ARGS...]
# Without a running host there is no DISPLAY, so window tests fail instead of skipping.
host=${1:?host directory}
shift
host=$(cd "$host" && pwd)
export WINEPREFIX="$host/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ -f "$host/display" ]; then
  export DISPLAY=":$(cat "$host/display")"
else
  unset DISPLAY
fi
exec wine "$@"
