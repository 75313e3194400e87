# shellcheck shell=bash
# The real Ardenix.exe running in a Wine session of wine-host.sh, watched from outside,
# for the scripts that wait for what it does by itself (switch-e2e.sh,
# network-change-e2e.sh). The stand-in in place of the system's netsh records the last
# script it was given (RECORD) and adds a line for each start (CALLS); shown_text_reader
# reads the status part of the window and the balloons of the notification area.
#
# Needs: run (cmake/wine-run.sh), host (the session's directory), work (a scratch
# directory), reader (shown_text_reader.exe), and a function fail MESSAGE.

# A Windows path (drive Z: is the root of the Unix file system).
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# The seconds from an $EPOCHREALTIME until now, with two decimals.
seconds_since() { awk -v from="$1" -v to="$EPOCHREALTIME" 'BEGIN { printf "%.2f", to - from }'; }

# Waits up to $1 seconds for the command after it to succeed. A try may itself take a
# while (a Wine program): the bound is the clock's, not a count of tries.
await() {
  local until
  until=$(awk -v now="$EPOCHREALTIME" -v limit="$1" 'BEGIN { printf "%.3f", now + limit }')
  shift
  while :; do
    if "$@"; then return 0; fi
    awk -v now="$EPOCHREALTIME" -v until="$until" 'BEGIN { exit !(now > until) }' && return 1
    sleep 0.1
  done
}

# Puts the stand-in in place of the session's netsh; netsh_back puts the original back.
netsh_standin_in() {
  netsh="$host/wineprefix/drive_c/windows/system32/netsh.exe"
  [ -f "$netsh.ardenix-original" ] || cp "$netsh" "$netsh.ardenix-original"
  cp "$1" "$netsh"
}
netsh_back() {
  if [ -n "${netsh:-}" ] && [ -f "$netsh.ardenix-original" ]; then
    cp "$netsh.ardenix-original" "$netsh" && rm -f "$netsh.ardenix-original"
  fi
}

# ardenix_start FOLDER: Ardenix.exe from FOLDER (its store beside it), its netsh the
# stand-in, whose record and calls go to $work/netsh.record and $work/netsh.calls (both
# removed first). Returns once the window shows its status part.
ardenix_start() {
  rm -f "$work/netsh.record" "$work/netsh.calls"
  (cd "$1" && exec env WINEDLLOVERRIDES='mscoree,mshtml=;netsh.exe=n' \
    ARDENIX_NETSH_RECORD="$(windows_path "$work/netsh.record")" \
    ARDENIX_NETSH_CALLS="$(windows_path "$work/netsh.calls")" \
    "$run" "$host" "$1/Ardenix.exe") >"$work/ardenix.log" 2>&1 </dev/null &
  ardenix_pid=$!
  await 120 shown_line '^status=' ||
    fail "Ardenix's window did not appear; the program $(kill -0 "$ardenix_pid" 2>/dev/null &&
      echo 'still runs' || echo 'has ended'), its output: $(tail -c 600 "$work/ardenix.log"),
      shown: $(tail -c 600 "$work/shown" 2>/dev/null)"
}

# Ends the program started last (killed: what it would save is not looked at), and waits
# until its window is gone, so that the next start is not handed over to it.
ardenix_stop() {
  [ -n "${ardenix_pid:-}" ] || return 0
  kill "$ardenix_pid" 2>/dev/null || true
  wait "$ardenix_pid" 2>/dev/null || true
  ardenix_pid=""
  await 30 window_gone || fail "Ardenix's window stayed after the program was ended"
}

# Reads what is shown now into $work/shown and succeeds when a line matches the
# extended regular expression (shown_line) or is this text (shown_exactly); the line is
# then in $shown.
read_shown() { "$run" "$host" "$reader" </dev/null 2>/dev/null | tr -d '\r' >"$work/shown" || true; }
shown_line() { read_shown; shown=$(grep -a -E -m 1 -- "$1" "$work/shown"); }
shown_exactly() { read_shown; shown=$(grep -a -F -x -m 1 -- "$1" "$work/shown"); }

window_gone() { ! shown_line '^status='; }

# How many times netsh was started.
netsh_calls() { if [ -f "$work/netsh.calls" ]; then wc -l <"$work/netsh.calls"; else echo 0; fi; }

# The addresses the last script sets ("set address ... addr=A"), or nothing.
script_address() {
  [ -f "$work/netsh.record" ] || return 0
  grep -ao 'source=static addr=[0-9.]*' "$work/netsh.record" | head -n 1 | sed 's/.*addr=//'
}
