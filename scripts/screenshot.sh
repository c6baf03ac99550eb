#!/bin/bash
# Starts the program on a 1024x768 Wine desktop in a virtual display and
# saves a picture of its window: docs/screenshot.png unless a path is given.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshot.png}")
exe=$(realpath build/win32/app/Quendrel.exe)
[ -f "$exe" ] || { echo "build the program first: cmake --preset win32 && cmake --build --preset win32" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
./scripts/wine-session.sh bash -c '
  wine "$1" >/dev/null 2>&1 &
  for _ in $(seq 100); do
    xdotool search --name "Quendrel BY Tavorin" >/dev/null 2>&1 && break
    sleep 0.2
  done
  sleep 2
  import -window root "$2.full.png"
  # The outer rectangle is centred: (370, 250), 284 x 268.
  /usr/bin/convert "$2.full.png" -crop 284x268+370+250 +repage "$2"
  rm -f "$2.full.png"
  wineserver -k
' _ "$exe" "$out"
echo "screenshot saved to $out"
