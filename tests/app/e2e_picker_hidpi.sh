#!/usr/bin/env bash
# The picker of the real program on a desktop scaled by 2: four one-pixel
# windows of four colours form a 2 x 2 square of device pixels, inside one
# logical pixel of the program; with the cursor on each in turn, the panel
# takes that very colour.
# Usage: e2e_picker_hidpi.sh /path/to/marnova /path/to/colourwindow
set -euo pipefail
here=$(cd "$(dirname "$0")/../support" && pwd)
. "$here/xvfb.sh"
program=$1 colourwindow=$2

xvfb_available || xvfb_skip "$XVFB_MISSING is not installed (scripts/deps.sh installs it)"
# The window sits at (650, 355), so (1300, 710) in device pixels.
xvfb_start 2600x1500

# Device pixel (x, y) and its colour; the colour windows run unscaled, so
# their pixels are device pixels.
pixels=("101 101 C81E1E" "102 101 1EC81E" "101 102 1E1EC8" "102 102 DCDC28")
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; xvfb_stop' EXIT
for p in "${pixels[@]}"; do
  read -r x y hex <<<"$p"
  QT_QPA_PLATFORM=xcb "$colourwindow" $((16#${hex:0:2})) $((16#${hex:2:2})) $((16#${hex:4:2})) \
    "$x" "$y" 1 1 2>/dev/null &
  pids+=($!)
done
QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 "$program" 2>/dev/null &
pids+=($!)

fail=0
for p in "${pixels[@]}"; do
  read -r x y hex <<<"$p"
  wait_for_pixel "$x" "$y" "$hex" 20 >/dev/null || { echo "FAIL: pixel $x,$y never showed $hex"; exit 1; }
done
id=$(wait_for_window "MARNOVA  by Quorvel" 20) || { echo "FAIL: the main window never appeared"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$id")"  # X, Y of the client area, device pixels
sample_x=$((X + 2 * (208 + 33))) sample_y=$((Y + 2 * (94 + 52)))  # text panel's sample square
wait_for_pixel "$sample_x" "$sample_y" FFFFFF 10 >/dev/null
xdotool mousemove $((X + 2 * (208 + 54 + 14))) $((Y + 2 * (94 + 36 + 15))) click 1
for p in "${pixels[@]}"; do
  read -r x y hex <<<"$p"
  xdotool mousemove "$x" "$y"
  got=$(wait_for_pixel "$sample_x" "$sample_y" "$hex" 3) && echo "ok: device pixel $x,$y ($got)" ||
    { echo "FAIL: device pixel $x,$y: expected $hex, got $got"; fail=1; }
done
xdotool click 3
exit $fail
