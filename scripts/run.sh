#!/bin/bash
# Installs what is missing, builds the program and starts it under Wine on
# your display. Without a display it runs on a virtual one and saves a
# screenshot instead.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target Quendrel

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  # A prefix of the program's own, never the user's ~/.wine.
  export WINEPREFIX="$PWD/build/wine-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win32
  export LC_ALL=zh_CN.UTF-8
  [ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
  exec wine build/win32/app/Quendrel.exe
fi
echo "no display: running on a virtual one"
./scripts/screenshot.sh build/screenshot.png
