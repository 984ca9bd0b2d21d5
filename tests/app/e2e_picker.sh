#!/usr/bin/env bash
# The screen colour picker in the real program: a window of RGB(12, 34, 56)
# on the screen, the text-colour panel's pick button clicked, the cursor moved
# over the colour; the panel and the evaluation follow, and a right press
# ends the pick with the colour kept and the button idle again.
# Usage: e2e_picker.sh /path/to/marnova /path/to/colourwindow /path/to/assets/images
set -euo pipefail
here=$(cd "$(dirname "$0")/../support" && pwd)
. "$here/xvfb.sh"
program=$1 colourwindow=$2 images=$3

xvfb_available || xvfb_skip "$XVFB_MISSING is not installed (scripts/deps.sh installs it)"
xvfb_start 1280x800

QT_QPA_PLATFORM=xcb "$colourwindow" 12 34 56 100 100 40 30 2>/dev/null &
colour_pid=$!
QT_QPA_PLATFORM=xcb "$program" 2>/dev/null &
pid=$!
trap 'kill $pid $colour_pid 2>/dev/null || true; xvfb_stop' EXIT

picture_pixel() {  # strip, x, y
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- |
    sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' | xargs printf '%02X%02X%02X\n'
}

wait_for_window "colourwindow 0C2238" 20 >/dev/null || { echo "FAIL: no colour window"; exit 1; }
# Mapped is not painted: a busy machine shows the window's pixels later.
wait_for_pixel 120 115 0C2238 20 >/dev/null || { echo "FAIL: the colour window was never painted"; exit 1; }
id=$(wait_for_window "MARNOVA  by Quorvel" 20) || { echo "FAIL: the main window never appeared"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$id")"  # X, Y of the client area
sample_x=$((X + 208 + 33)) sample_y=$((Y + 94 + 52))  # text panel's sample square
button_x=$((X + 208 + 54)) button_y=$((Y + 94 + 36))  # its pick button
red=$(picture_pixel "$images/07_semaphore.png" $((2 * 61 + 10)) 11)
idle=$(picture_pixel "$images/00_buttons.png" 14 3)
pressed=$(picture_pixel "$images/00_buttons.png" $((29 + 14)) 3)

wait_for_pixel "$sample_x" "$sample_y" FFFFFF 10 >/dev/null
xdotool mousemove $((button_x + 14)) $((button_y + 15)) click 1
check "pick button pressed" "$pressed" "$(wait_for_pixel $((button_x + 14)) $((button_y + 3)) "$pressed" 10)"
xdotool mousemove 120 115
check "panel follows the cursor" "0C2238" "$(wait_for_pixel "$sample_x" "$sample_y" 0C2238 10)"
check "evaluation follows" "$red" "$(wait_for_pixel $((X + 290)) $((Y + 50)) "$red" 10)"
xdotool click 3
check "pick button idle again" "$idle" "$(wait_for_pixel $((button_x + 14)) $((button_y + 3)) "$idle" 10)"
xdotool mousemove 300 300
sleep 0.3
check "colour kept after the pick" "0C2238" "$(screen_pixel "$sample_x" "$sample_y")"
exit $fail
