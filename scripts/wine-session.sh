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
# The desktop every later process of this prefix opens: activation, focus
# and typing work in it as on Windows.
LC_ALL=zh_CN.UTF-8 wine explorer /desktop=Default,1024x768 >/dev/null 2>&1 &
for _ in $(seq 50); do
  LC_ALL=zh_CN.UTF-8 wine cmd /c exit >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 1
LC_ALL=zh_CN.UTF-8 "$@"
