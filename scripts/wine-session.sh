#!/bin/bash
# Runs a command inside a throwaway Wine world: a fresh prefix in a temp
# folder, code page 936, and a 1024x768 Wine desktop on a virtual X display
# (or on $DISPLAY when QUENDREL_USE_DISPLAY=1). Everything goes at the end.
set -euo pipefail

if [ -z "${QUENDREL_IN_XVFB:-}" ] && [ "${QUENDREL_USE_DISPLAY:-0}" != 1 ]; then
  export QUENDREL_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/quendrel-wine.XXXXXX)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win32
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT

LC_ALL=zh_CN.UTF-8 wineboot -i >/dev/null 2>&1
# Every process of the prefix opens one 1024x768 Wine desktop, where
# activation, focus and typing work as on Windows. Set before any window
# exists, so that the first process to need it creates it that way.
LC_ALL=zh_CN.UTF-8 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
LC_ALL=zh_CN.UTF-8 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wineserver -w
LC_ALL=zh_CN.UTF-8 "$@"
