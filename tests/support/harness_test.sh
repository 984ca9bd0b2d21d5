#!/usr/bin/env bash
# The end-to-end harness works: a virtual screen starts, a colour window
# appears where it was asked to, and its pixel reads back exactly.
# Usage: harness_test.sh /path/to/colourwindow
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb.sh"
colourwindow=$1

xvfb_available || xvfb_skip "$XVFB_MISSING is not installed (scripts/deps.sh installs it)"
xvfb_start 320x240

QT_QPA_PLATFORM=xcb "$colourwindow" 12 34 56 100 80 40 30 &
window_pid=$!
trap 'kill $window_pid 2>/dev/null || true; xvfb_stop' EXIT

id=$(wait_for_window "colourwindow 0C2238" 10) || { echo "the colour window never appeared"; exit 1; }
echo "window $id on $DISPLAY"
fail=0
expect() {  # x y RRGGBB
  local got
  if got=$(wait_for_pixel "$1" "$2" "$3" 5); then
    echo "pixel ($1, $2) = $got"
  else
    echo "pixel ($1, $2): expected $3, got ${got:-nothing}"
    fail=1
  fi
}
expect 100 80 0C2238    # top-left corner of the window
expect 120 95 0C2238    # inside
expect 139 109 0C2238   # bottom-right corner
expect 99 80 000000     # just left of it: the bare root window
expect 140 109 000000   # just right of it

# The cursor can be put on the colour, as the picker's test will.
xdotool mousemove 120 95
read -r cx cy < <(xdotool getmouselocation | sed 's/x:\([0-9]*\) y:\([0-9]*\).*/\1 \2/')
[[ "$cx $cy" == "120 95" ]] || { echo "cursor at $cx $cy, not 120 95"; fail=1; }
exit $fail
