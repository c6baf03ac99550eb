#!/bin/sh
# Runs one cross-built program under Wine. The test command provides the
# throwaway prefix and the virtual display; outside it, refuse to touch the
# user's own prefix.
if [ -z "$WINEPREFIX" ]; then
  echo "wine-run.sh: WINEPREFIX is not set; run the tests through scripts/test.sh" >&2
  exit 2
fi
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LC_ALL=zh_CN.UTF-8
exec wine "$@"
