#!/usr/bin/env bash
# Installs what building, running and testing Ardenix needs on Debian 12, if missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ git ccache
  googletest libgtest-dev libgmock-dev
  clang libclang-rt-14-dev lld
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64
  xvfb x11-utils xdotool imagemagick bsdutils
  iproute2 util-linux
)

missing=()
for p in "${packages[@]}"; do
  [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
