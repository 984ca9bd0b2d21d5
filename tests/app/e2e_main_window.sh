#!/usr/bin/env bash
# The program as a user meets it: its window on a real X screen, its size
# fixed, and a colour typed into the background panel's field changing the
# traffic lights and the panel's sample square on screen; a CSS colour
# pasted from the clipboard and the swap of the two colours.
# Usage: e2e_main_window.sh /path/to/marnova /path/to/07_semaphore.png
set -euo pipefail
here=$(cd "$(dirname "$0")/../support" && pwd)
. "$here/xvfb.sh"
program=$1 lights=$2

xvfb_available || xvfb_skip "$XVFB_MISSING is not installed (scripts/deps.sh installs it)"
xvfb_start 1280x800

QT_QPA_PLATFORM=xcb "$program" 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null || true; xvfb_stop' EXIT


id=$(wait_for_window "MARNOVA  by Quorvel" 20) || { echo "FAIL: the main window never appeared"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$id")"  # X, Y, WIDTH, HEIGHT
check "window size" "618x348" "${WIDTH}x${HEIGHT}"
check "window place" "650,355" "$X,$Y"
hints=$(xprop -id "$id" WM_NORMAL_HINTS)
check "smallest size" "618 by 348" "$(sed -n 's/.*minimum size: \([0-9]* by [0-9]*\).*/\1/p' <<<"$hints")"
check "largest size" "618 by 348" "$(sed -n 's/.*maximum size: \([0-9]* by [0-9]*\).*/\1/p' <<<"$hints")"
[[ $(xprop -id "$id" _NET_WM_STATE) == *_NET_WM_STATE_ABOVE* ]] && echo "ok: stays on top" ||
  { echo "FAIL: not asked to stay on top"; fail=1; }

# Lamp centres of the traffic-light pictures: green (passes), red (fails).
lamp() {  # picture, x inside it
  convert "$lights" -crop "1x1+$((61 * $1 + $2))+11" -depth 8 txt:- |
    sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' | xargs printf '%02X%02X%02X\n'
}
green=$(lamp 0 50) red=$(lamp 2 10)
light_at() { screen_pixel $((X + 280 + $1)) $((Y + $2 + 11)); }  # lamp x, light top

# White text on black after start: both lights green.
check "brightness light at start" "$green" "$(wait_for_pixel $((X + 330)) $((Y + 50)) "$green" 5)"
check "colour light at start" "$green" "$(light_at 50 60)"

# Yellow background under white text fails both figures.
xdotool mousemove $((X + 408 + 136)) $((Y + 94 + 53)) click 1
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 50 FFFF00
check "brightness light after typing" "$red" "$(wait_for_pixel $((X + 290)) $((Y + 50)) "$red" 5)"
check "colour light after typing" "$red" "$(light_at 10 60)"
check "background sample square" "FFFF00" "$(screen_pixel $((X + 408 + 33)) $((Y + 94 + 52)))"
check "text sample square" "FFFFFF" "$(screen_pixel $((X + 208 + 33)) $((Y + 94 + 52)))"

# A colour copied from a style sheet, pasted into the text panel's field.
if command -v xclip >/dev/null; then
  printf 'color: rebeccapurple;' | xclip -selection clipboard
  xdotool mousemove $((X + 208 + 136)) $((Y + 94 + 53)) click 1
  sleep 0.3
  xdotool key ctrl+v
  check "text sample square after a CSS paste" "663399" \
    "$(wait_for_pixel $((X + 208 + 33)) $((Y + 94 + 52)) 663399 5)"
  # Ctrl+Shift+S exchanges the two colours.
  xdotool key ctrl+shift+s
  check "background sample square after the swap" "663399" \
    "$(wait_for_pixel $((X + 408 + 33)) $((Y + 94 + 52)) 663399 5)"
  check "text sample square after the swap" "FFFF00" "$(screen_pixel $((X + 208 + 33)) $((Y + 94 + 52)))"
else
  echo "FAIL: xclip is not installed (scripts/deps.sh installs it)"
  fail=1
fi
exit $fail
