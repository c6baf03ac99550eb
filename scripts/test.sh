#!/bin/bash
# Installs what is missing, builds both builds and runs every test: the
# native tests directly, the 32-bit program and its tests under Wine.
set -uo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh || exit 1
cmake --preset host >/dev/null && cmake --build --preset host || exit 1
cmake --preset win32 >/dev/null && cmake --build --preset win32 || exit 1

ctest --preset host 2>&1 | tee build/host-tests.log
./scripts/wine-session.sh ctest --preset win32 2>&1 | tee build/win32-tests.log

summary() {  # passed failed from ctest's closing line
  sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$1" | tail -1
}
read -r host_failed host_total <<<"$(summary build/host-tests.log)"
read -r win_failed win_total <<<"$(summary build/win32-tests.log)"
host_failed=${host_failed:-1} host_total=${host_total:-0} win_failed=${win_failed:-1} win_total=${win_total:-0}
passed=$((host_total - host_failed + win_total - win_failed))
failed=$((host_failed + win_failed))
echo "native build: $((host_total - host_failed)) of $host_total passed; 32-bit build under Wine: $((win_total - win_failed)) of $win_total passed"
echo "tests: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$host_total" -gt 0 ] && [ "$win_total" -gt 0 ]
