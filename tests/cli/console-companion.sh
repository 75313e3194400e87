#!/usr/bin/env bash
# Ardenix from a prompt or a script: Ardenix.exe (windows subsystem) and Ardenix.com
# (its console companion), copied side by side into a folder with blanks, run in the
# Wine session of wine-host.sh with their output going to files. Each answer must reach
# the caller on the right stream with the right exit code, whether the program is run
# directly or through the companion, which hands on its arguments untouched.
#
#   console-companion.sh HOST_DIR ARDENIX_EXE ARDENIX_COM
set -euo pipefail

host=${1:?wine host directory}
exe=${2:?Ardenix.exe}
com=${3:?Ardenix.com}
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../../cmake/wine-run.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder="$work/Ardenix prompt"
mkdir -p "$folder"
cp "$exe" "$folder/Ardenix.exe"
cp "$com" "$folder/Ardenix.com"

failures=0
fail() { printf 'console-companion: %s\n' "$*" >&2; failures=$((failures + 1)); }

usage=$(printf '%s\n' \
  'Usage: Ardenix [/apply NAME | /list | /tray | /?]' \
  '  (nothing)     open the Ardenix window' \
  '  /apply NAME   apply the connection NAME; put a name with blanks in double quotes' \
  '  /list         print the names of the connections, one a line, * before an active one' \
  '  /tray         start in the notification area without showing the window' \
  '  /?            show this text')

# expect LABEL PROGRAM CODE STDERR -- ARGS...: runs PROGRAM from the folder with ARGS and
# compares its exit code, its standard error (CR LF taken as LF) and an empty output.
expect() {
  local label=$1 program=$2 code=$3 stderr=$4
  shift 5
  local got=0
  (cd "$folder" && "$run" "$host" "$program" "$@") >"$work/out" 2>"$work/err" </dev/null || got=$?
  tr -d '\r' <"$work/err" >"$work/err.lf"
  [ "$got" = "$code" ] || fail "$label: exit code $got, expected $code"
  if [ "$(cat "$work/err.lf")" != "$stderr" ]; then
    fail "$label: standard error differs:"
    diff <(printf '%s\n' "$stderr") "$work/err.lf" >&2 || true
  fi
  [ ! -s "$work/out" ] || fail "$label: unexpected output: $(cat "$work/out")"
  printf '%s: exit %s\n' "$label" "$got"
}

for program in "$folder/Ardenix.exe" "$folder/Ardenix.com"; do
  name=${program##*/}
  expect "$name /?" "$program" 64 "$usage" -- '/?'
  expect "$name /APPLY (no name)" "$program" 64 "$usage" -- /APPLY
  expect "$name /bogus" "$program" 64 "$usage" -- /bogus x
  expect "$name /apply \"\"" "$program" 1 \
    'Ardenix: the connection name after /apply is empty.' -- /apply ''
  expect "$name -apply with quotes" "$program" 1 \
    'Ardenix: a connection name cannot hold double quotes: say "hi" \x' -- -apply 'say "hi" \x'
done

# Text outside ASCII: to a console as the console's own characters (the terminal that
# `script` gives Wine shows them in UTF-8), to a pipe as the ANSI code page's bytes.
printf '[B\xfcro]\r\nLAN=Ardenix console test\r\nDHCP=1\r\n' >"$folder/Ardenix.INI"
for program in Ardenix.exe Ardenix.com; do
  shown=$(cd "$folder" && LANG=C.UTF-8 script -qec "'$run' '$host' '$folder/$program' /list" /dev/null |
    sed 's/\x1b\[[?0-9;]*[a-zA-Z]//g' | tr -d '\r')
  [ "$shown" = "  Büro" ] || fail "$program /list in a console showed: $(printf '%s' "$shown" | od -c | head -2)"
  piped=$(cd "$folder" && "$run" "$host" "$folder/$program" /list </dev/null | od -An -tx1 | tr -d ' \n')
  [ "$piped" = 202042fc726f0d0a ] || fail "$program /list into a pipe wrote the bytes $piped"
  echo "$program /list: \"Büro\" in a console, its ANSI bytes into a pipe"
done
rm "$folder/Ardenix.INI"

# Without arguments the companion starts the window program and returns at once, with 0,
# while the window stays open.
# Beside other heavy work Wine's CreateProcess now and then says "File not found" for a
# program that is there; that one answer gets a few more tries, any other counts.
for attempt in 1 2 3; do
  got=0
  (cd "$folder" && timeout 60 "$run" "$host" "$folder/Ardenix.com") >"$work/out" 2>"$work/err" </dev/null || got=$?
  [ "$got" = 69 ] && grep -q 'File not found' "$work/err" && [ -f "$folder/Ardenix.exe" ] || break
  echo "companion without arguments: try $attempt met Wine's \"File not found\"; once more"
  sleep 1
done
[ "$got" = 0 ] || fail "companion without arguments: exit code $got, expected 0"
# This test's own program only, by its scratch folder: other tests run theirs in the same
# Wine session at the same time (a taskkill /im here once closed one of them).
own_program="${work##*/}.Ardenix prompt.Ardenix\.exe"
window_open() { pgrep -f "$own_program" >/dev/null; }
window_open || fail "companion without arguments: Ardenix.exe is not running after it returned"
echo "companion without arguments: exit $got, the window program still running"
pkill -f "$own_program" || true
for _ in $(seq 100); do window_open || break; sleep 0.1; done
window_open && fail "companion without arguments: Ardenix.exe did not close"

# Without Ardenix.exe beside it the companion says so and fails.
rm "$folder/Ardenix.exe"
got=0
(cd "$folder" && "$run" "$host" "$folder/Ardenix.com" /list) >"$work/out" 2>"$work/err" </dev/null || got=$?
[ "$got" = 69 ] || fail "companion alone: exit code $got, expected 69"
grep -q '^Ardenix: cannot start ".*\\Ardenix prompt\\Ardenix.exe": .' "$work/err" ||
  fail "companion alone: $(cat "$work/err")"
echo "companion alone: exit $got, $(tr -d '\r' <"$work/err")"

[ "$failures" = 0 ] || { echo "console-companion: $failures failures" >&2; exit 1; }
echo "console-companion: all answers as expected"
