#!/bin/bash
# Starts the program on a 1024x768 Wine desktop in a virtual display, puts
# the real X pointer on the link and saves a picture of the window with the
# link hovered: docs/screenshot-link-hover.png unless a path is given.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshot-link-hover.png}")
exe=$(realpath build/win32/app/Quendrel.exe)
[ -f "$exe" ] || { echo "build the program first: cmake --preset win32 && cmake --build --preset win32" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
./scripts/wine-session.sh bash -c '
  set -euo pipefail
  exe=$1 out=$2
  shot=$(mktemp --suffix=.png)
  trap "rm -f \"$shot\"" EXIT
  # The outer rectangle is centred on the desktop: (370, 250), 284 x 268.
  window() {
    import -window root "$shot"
    /usr/bin/convert "$shot" -crop 284x268+370+250 +repage "$1"
  }
  # Pixels of one colour in a picture, as "x y" lines.
  pixels() { /usr/bin/convert "$1" txt:- | awk -F"[,: ]+" -v c="$2" "toupper(\$0) ~ c { print \$1, \$2 }"; }

  wine "$exe" >/dev/null 2>&1 &
  # The window is up once the link shows its normal blue.
  for _ in $(seq 120); do
    window "$out"
    [ -n "$(pixels "$out" "#0000FF")" ] && break
    sleep 0.5
  done
  box=$(pixels "$out" "#0000FF" | awk "NR == 1 { l = r = \$1; t = b = \$2 }
    { if (\$1 < l) l = \$1; if (\$1 > r) r = \$1; if (\$2 < t) t = \$2; if (\$2 > b) b = \$2 }
    END { if (NR) print int((l + r) / 2), int((t + b) / 2) }")
  [ -n "$box" ] || { echo "the link never showed up" >&2; exit 1; }
  read -r x y <<<"$box"
  # Into the link from beside it, as a user would move.
  xdotool mousemove $((370 + x - 80)) $((250 + y))
  sleep 0.5
  xdotool mousemove $((370 + x)) $((250 + y))
  sleep 2
  window "$out"
  # The hover colour (10, 36, 106) and no normal blue left.
  if [ -z "$(pixels "$out" "#0A246A")" ] || [ -n "$(pixels "$out" "#0000FF")" ]; then
    echo "the link does not show the hover colour" >&2
    exit 1
  fi
  wineserver -k
' _ "$exe" "$out"
echo "screenshot saved to $out"
