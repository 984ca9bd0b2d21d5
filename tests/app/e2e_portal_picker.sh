#!/usr/bin/env bash
# Picking on a Wayland session in the real program: an X11 client told
# XDG_SESSION_TYPE=wayland asks the desktop portal for the colour. A stand-in
# portal on a private session bus answers the text panel's first pick with
# RGB(0.2, 0.4, 0.6), the second with a cancel, and leaves the third open
# until the window is closed: the sample square shows 336699, keeps it after
# the cancel, and closing the window ends the program and closes the request.
# Usage: e2e_portal_picker.sh marnova standinportal closewindow private_bus.conf images
set -euo pipefail
here=$(cd "$(dirname "$0")/../support" && pwd)
. "$here/xvfb.sh"
program=$1 portal=$2 closewindow=$3 busconf=$4 images=$5

xvfb_available || xvfb_skip "$XVFB_MISSING is not installed (scripts/deps.sh installs it)"
command -v dbus-daemon >/dev/null 2>&1 ||
  xvfb_skip "dbus-daemon is not installed (scripts/deps.sh installs it)"
xvfb_start 1280x800

work=$(mktemp -d)
bus_pid="" portal_pid="" pid=""
cleanup() {
  kill $pid $portal_pid $bus_pid 2>/dev/null || true
  rm -rf "$work"
  xvfb_stop
}
trap cleanup EXIT
{ read -r address && read -r bus_pid; } < <(dbus-daemon --config-file="$busconf" --fork \
  --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS=$address

"$portal" colour:0.2,0.4,0.6 cancel never >"$work/portal.log" &
portal_pid=$!
XDG_SESSION_TYPE=wayland QT_QPA_PLATFORM=xcb "$program" 2>/dev/null &
pid=$!

picture_pixel() {  # strip, x, y
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- |
    sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' | xargs printf '%02X%02X%02X\n'
}
calls() { grep -c '^call ' "$work/portal.log" || true; }
wait_for_calls() {  # count
  local deadline=$((SECONDS + 5))
  until [[ $(calls) -ge $1 ]] || ((SECONDS >= deadline)); do sleep 0.1; done
  calls
}

id=$(wait_for_window "MARNOVA  by Quorvel" 20) || { echo "FAIL: the main window never appeared"; exit 1; }
grep -q '^ready$' "$work/portal.log" || { echo "FAIL: the stand-in portal is not on the bus"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$id")"  # X, Y of the client area
sample_x=$((X + 208 + 33)) sample_y=$((Y + 94 + 52))  # text panel's sample square
button_x=$((X + 208 + 54 + 14)) button_y=$((Y + 94 + 36))  # its pick button
idle=$(picture_pixel "$images/00_buttons.png" 14 3)
pressed=$(picture_pixel "$images/00_buttons.png" $((29 + 14)) 3)

wait_for_pixel "$sample_x" "$sample_y" FFFFFF 10 >/dev/null
xdotool mousemove "$button_x" $((button_y + 15)) click 1
check "the portal's colour in the sample" 336699 "$(wait_for_pixel "$sample_x" "$sample_y" 336699 5)"
check "our window is the portal's parent" "call x11:$(printf '%x' "$id")" "$(grep -m1 '^call ' "$work/portal.log")"
check "pick button idle again" "$idle" "$(wait_for_pixel "$button_x" $((button_y + 3)) "$idle" 3)"

xdotool click 1
check "second pick asked" 2 "$(wait_for_calls 2)"
sleep 0.3
check "a cancel keeps the colour" 336699 "$(screen_pixel "$sample_x" "$sample_y")"
check "pick button idle after the cancel" "$idle" "$(wait_for_pixel "$button_x" $((button_y + 3)) "$idle" 3)"

xdotool click 1
check "third pick asked" 3 "$(wait_for_calls 3)"
check "pick button pressed while the desktop picks" "$pressed" \
  "$(wait_for_pixel "$button_x" $((button_y + 3)) "$pressed" 3)"
"$closewindow" "$id"
deadline=$((SECONDS + 10))
while kill -0 "$pid" 2>/dev/null && ((SECONDS < deadline)); do sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
  check "the program ends when its window closes" "ended" "still running"
else
  status=0
  wait "$pid" || status=$?
  pid=""
  check "the program ends cleanly" 0 "$status"
fi
check "the open request was closed" 1 "$(grep -c '^close /org/freedesktop/portal/desktop/request/' "$work/portal.log" || true)"
exit $fail
