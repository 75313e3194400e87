#!/usr/bin/env bash
# No library is taken from the program's folder, which the user may write to: a library
# planted there under the name of each library that Ardenix.exe or Ardenix.com imports and
# that is not one of the system's known libraries, and of each that they load while
# running, is never loaded. Each is planted in turn and set native-first, as Windows would
# take it (Wine prefers its own copy otherwise); the programs then list the store, which
# reads the adapters, and must answer as usual while the plant leaves no mark.
#
#   planted-libraries.sh HOST_DIR ARDENIX_EXE ARDENIX_COM PLANTED_LIBRARY OBJDUMP
set -euo pipefail

host=${1:?wine host directory}
exe=${2:?Ardenix.exe}
com=${3:?Ardenix.com}
plant=${4:?planted_library.dll}
objdump=${5:?objdump}
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../../cmake/wine-run.sh"

# The system's known libraries: always taken from the system folder.
known=" advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32
  msctf msvcrt normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32
  shlwapi user32 wldap32 ws2_32 ntdll kernelbase "
known=" $(echo $known) "
# Loaded while running, by name: the IP helper (adapters) and the common controls (the
# manifest's version 6, and the taskbar's restart message).
names="iphlpapi comctl32"
for program in "$exe" "$com"; do
  for dll in $("$objdump" -p "$program" | awk '/DLL Name:/ { print tolower($3) }'); do
    base=${dll%.dll}
    case "$known" in *" $base "*) continue ;; esac
    case " $names " in *" $base "*) ;; *) names="$names $base" ;; esac
  done
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder="$work/Ardenix planted"
mkdir -p "$folder"
cp "$exe" "$folder/Ardenix.exe"
cp "$com" "$folder/Ardenix.com"
printf '[Lab]\r\nLAN=Ardenix planted test\r\nDHCP=1\r\n' >"$folder/Ardenix.INI"

failures=0
fail() { printf 'planted-libraries: %s\n' "$*" >&2; failures=$((failures + 1)); }

for name in $names; do
  cp "$plant" "$folder/$name.dll"
  for program in Ardenix.exe Ardenix.com; do
    rm -f "$folder/$name.dll.loaded"
    got=0
    (cd "$folder" && WINEDLLOVERRIDES="mscoree,mshtml=;$name=n,b" \
      "$run" "$host" "$folder/$program" /list) >"$work/out" 2>"$work/err" </dev/null || got=$?
    [ ! -e "$folder/$name.dll.loaded" ] || fail "$program loaded the $name.dll beside it"
    [ "$got" = 0 ] || fail "$program /list with $name.dll beside it: exit code $got: $(cat "$work/err")"
    [ "$(tr -d '\r' <"$work/out")" = "  Lab" ] || fail "$program /list with $name.dll beside it printed: $(cat "$work/out")"
    echo "$name.dll beside $program: not loaded, exit $got"
  done
  rm -f "$folder/$name.dll"
done

[ "$failures" = 0 ] || { echo "planted-libraries: $failures failures" >&2; exit 1; }
echo "planted-libraries: no plant was loaded ($names)"
