#!/usr/bin/env bash
# Installs what the build and the tests need, on Debian 12, only when missing.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
pkgs=(cmake ninja-build g++ clang libclang-rt-14-dev googletest
      g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
      wine wine32:i386 wine64 xvfb xdotool x11-utils imagemagick fonts-noto-cjk fonts-wine xauth)
for p in "${pkgs[@]}"; do have "$p" || need+=("$p"); done
[ ${#need[@]} -eq 0 ] && exit 0

SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
echo "Installing: ${need[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${need[@]}"
