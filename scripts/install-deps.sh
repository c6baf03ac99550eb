#!/bin/bash
# Installs whatever the builds and tests need and is not there yet. Safe to
# run again: it installs nothing that is already present.
set -euo pipefail

PACKAGES=(cmake ninja-build g++ libgtest-dev googletest
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine32:i386 wine64 xvfb xauth xdotool x11-utils imagemagick
  fonts-wqy-microhei fonts-wine valgrind locales)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for package in "${PACKAGES[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes code page 936 from LC_ALL=zh_CN.UTF-8 even without the glibc
# locale, but file names outside ASCII need it to reach the file system.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  as_root sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi

# Wine runs the 32-bit program in a 32-bit Linux process. Some hosts refuse
# to run 32-bit code at all; there a user-mode emulator runs those processes.
if ! /usr/lib/wine/wineserver32 --version >/dev/null 2>&1; then
  "$(dirname "$0")/enable-i386-emulation.sh"
fi
