#!/usr/bin/env bash
# The real program natively on Wayland. Under a headless weston: Qt's Wayland
# platform is the one loaded, the window maps and stays up at scale 1 and 2,
# and weston-screenshooter can capture it. Under weston's x11 backend inside
# Xvfb, driven with xdotool, at scale 1 and 2: the client area is the X11
# rendering's, maximize requests leave the window as it was, a pick goes
# through the (stand-in) portal, closing mid-pick closes the request, and
# without a portal both pick buttons are drawn disabled before any press.
# Skipped (77) where weston cannot start.
# Usage: e2e_wayland.sh marnova standinportal private_bus.conf
set -uo pipefail
program=$1 portal=$2 busconf=$3
. "$(dirname "$0")/../support/xvfb.sh"  # check, fail and the Xvfb helpers
command -v weston >/dev/null && command -v weston-screenshooter >/dev/null ||
  { echo "SKIPPED: weston is missing (scripts/deps.sh installs it)" >&2; exit 77; }

runtime=$(mktemp -d)
chmod 700 "$runtime"
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
  rm -rf "$runtime"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$runtime
# Nothing of the caller's session may leak in: no X server, no session bus
# (so no portal), no Qt platform chosen from outside.
unset DISPLAY DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM XDG_SESSION_TYPE
# Qt's Wayland plugin leaves its protocol objects (libwayland-client's, and
# those of plugins unloaded by then) to the end of the process; leaks of our
# own code are checked by every other test.
[[ -n "${ASAN_OPTIONS:-}" ]] && export ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0"

for scale in 1 2; do
  socket=marnova-test-$scale
  weston --backend=headless-backend.so --use-pixman --socket="$socket" --width=1280 \
    --height=800 --scale="$scale" --debug --idle-time=0 >"$runtime/weston-$scale.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [[ -S "$runtime/$socket" ]] && break; sleep 0.1; done
  [[ -S "$runtime/$socket" ]] || { echo "SKIPPED: weston did not start" >&2; exit 77; }
  export WAYLAND_DISPLAY=$socket
  "$program" 2>"$runtime/marnova-$scale.log" &
  marnova=$!
  pids+=("$marnova")
  sleep 3
  check "scale $scale: still running" yes "$(kill -0 "$marnova" 2>/dev/null && echo yes || echo no)"
  check "scale $scale: Qt's Wayland platform loaded" yes \
    "$(grep -q libqwayland "/proc/$marnova/maps" 2>/dev/null && echo yes || echo no)"
  shot=$(cd "$runtime" && timeout 10 weston-screenshooter >/dev/null 2>&1; ls "$runtime"/wayland-screenshot-*.png 2>/dev/null | head -1)
  check "scale $scale: screenshot taken" yes "$([[ -s "$shot" ]] && echo yes || echo no)"
  [[ -n "$shot" ]] && rm -f "$shot"
  kill "$marnova" 2>/dev/null
  if grep -q "Protocol error\|fatal error" "$runtime/marnova-$scale.log"; then
    echo "FAIL: scale $scale: Wayland error"; cat "$runtime/marnova-$scale.log"; fail=1
  fi
done

# Weston's x11 backend: its output is just larger than the window with its
# title bar (624 x 381 logical) and weston's panel (32), so weston can place
# it only at the top-left corner, its client area at 3,62 (logical). The
# pointer moves relatively there: to 0,0 first, then to the place.
xvfb_available && command -v dbus-daemon >/dev/null || {
  echo "Xvfb, its tools or dbus-daemon missing: input checks left out"; exit $fail; }
xvfb_start 1280x1024 || exit $fail
trap 'cleanup; xvfb_stop' EXIT
running() { kill -0 "$1" 2>/dev/null && echo yes || echo no; }
# Waits up to 10 s for the process to end; prints its status or "running".
ended() {
  local deadline=$((SECONDS + 10))
  while kill -0 "$1" 2>/dev/null && ((SECONDS < deadline)); do sleep 0.1; done
  kill -0 "$1" 2>/dev/null && { echo running; return; }
  local status=0
  wait "$1" || status=$?
  echo "$status"
}

for s in 1 2; do
  at() { xdotool mousemove 0 0 mousemove $(($1 * s)) $(($2 * s)); }
  # The client area (618 x 348 logical) from a picture of it, with the memo's
  # text masked out: its caret blinks.
  masked() {
    convert - -fill black -draw "rectangle $((20 * s)),$((125 * s)) $((195 * s)),$((222 * s))" \
      -depth 8 rgb:- | md5sum
  }
  client() { import -window root -crop "$((618 * s))x$((348 * s))+$((3 * s))+$((62 * s))" \
    +repage png:- 2>/dev/null; }
  pick_button() { import -window root -crop "$((29 * s))x$((29 * s))+$((265 * s))+$((193 * s))" \
    +repage png:- 2>/dev/null; }
  # The pointer then rests on weston's panel, off the client area.
  activate() { at 300 400; xdotool click 1; at 400 10; sleep 0.5; }

  # The X11 rendering to compare with, at the same scale.
  env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$s "$program" 2>/dev/null &
  x11=$!
  pids+=("$x11")
  if id=$(wait_for_window "MARNOVA  by Quorvel" 20); then
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + 300 * s)) $((Y + 300 * s)) click 1 mousemove 1270 1010
    sleep 1
    reference=$(import -window "$id" png:- 2>/dev/null | masked)
  else
    reference="no X11 window"
  fi
  kill "$x11" 2>/dev/null

  socket=marnova-test-x11-$s
  weston --backend=x11-backend.so --use-pixman --socket="$socket" --width=625 --height=414 \
    --scale="$s" --idle-time=0 >"$runtime/weston-x11-$s.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [[ -S "$runtime/$socket" ]] && break; sleep 0.1; done
  [[ -S "$runtime/$socket" ]] || { echo "weston's x11 backend did not start: input checks left out"; break; }
  { read -r address && read -r bus; } < <(dbus-daemon --config-file="$busconf" --fork \
    --print-address=1 --print-pid=1)
  pids+=("$bus")
  DBUS_SESSION_BUS_ADDRESS=$address "$portal" colour:0.2,0.4,0.6 never >"$runtime/portal-$s.log" &
  pids+=($!)
  for _ in $(seq 50); do grep -q '^ready$' "$runtime/portal-$s.log" && break; sleep 0.1; done
  DBUS_SESSION_BUS_ADDRESS=$address WAYLAND_DISPLAY=$socket env -u DISPLAY "$program" \
    2>"$runtime/marnova-x11-$s.log" &
  marnova=$!
  pids+=("$marnova")
  sleep 3
  check "x11 backend, scale $s: Qt's Wayland platform loaded" yes \
    "$(grep -q libqwayland "/proc/$marnova/maps" 2>/dev/null && echo yes || echo no)"
  # Active first (a press on the bare form), as it is after each request.
  activate
  before=$(client | masked)
  check "scale $s: client area as on X11" "$reference" "$before"
  enabled=$(pick_button | md5sum)

  # what: x y clicks (the maximise button of Qt's title bar, the title itself)
  while read -r what x y clicks; do
    at "$x" "$y"
    sleep 0.3
    xdotool click --repeat "$clicks" --delay 80 1
    sleep 2
    # Active again (a restored window may come back inactive, in Qt's
    # inactive colours), the pointer off every control.
    activate
    check "scale $s, $what: still running" yes "$(running "$marnova")"
    # Back at its size and place once the compositor has restored it.
    now=$(client | masked)
    for _ in $(seq 10); do [[ "$now" == "$before" ]] && break; sleep 0.5; now=$(client | masked); done
    check "scale $s, $what: client area unchanged" "$before" "$now"
  done <<'TABLE'
maximise-button     584 47  1
title-double-click  300 47  2
TABLE

  # The text panel's pick button, then its sample square.
  at 279 207
  xdotool click 1
  check "scale $s: the portal's colour in the sample" 336699 \
    "$(wait_for_pixel $((244 * s)) $((208 * s)) 336699 5)"
  xdotool click 1
  for _ in $(seq 50); do [[ $(grep -c '^call ' "$runtime/portal-$s.log") -ge 2 ]] && break; sleep 0.1; done
  # Closed mid-pick through the title bar's close button.
  at 607 47
  xdotool click 1
  check "scale $s: closing mid-pick ends the program" 0 "$(ended "$marnova")"
  check "scale $s: the open request was closed" 1 \
    "$(grep -c '^close /org/freedesktop/portal/desktop/request/' "$runtime/portal-$s.log")"

  # No portal: both buttons disabled once the window is painted, the picture
  # greyed (no colour left in it), before anything is pressed.
  WAYLAND_DISPLAY=$socket env -u DISPLAY -u DBUS_SESSION_BUS_ADDRESS "$program" \
    2>"$runtime/marnova-noportal-$s.log" &
  marnova=$!
  pids+=("$marnova")
  sleep 3
  activate
  check "scale $s, no portal: pick button drawn otherwise" yes \
    "$([[ "$(pick_button | md5sum)" != "$enabled" ]] && echo yes || echo no)"
  check "scale $s, no portal: pick button greyed" yes "$(pick_button |
    convert - -colorspace HSL -channel G -separate +channel -format '%[fx:maxima < 0.15 ? 1 : 0]' info: |
    sed 's/1/yes/;s/0/no/')"
  kill "$marnova" 2>/dev/null
  for log in "$runtime"/marnova-*-"$s".log; do
    grep -q "Protocol error\|fatal error" "$log" && { echo "FAIL: $log: Wayland error"; cat "$log"; fail=1; }
  done
done
exit $fail
