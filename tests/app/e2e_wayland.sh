#!/usr/bin/env bash
# The real program natively on Wayland, under a headless weston: Qt's Wayland
# platform is the one loaded, the window maps and stays up at scale 1 and 2,
# and weston-screenshooter can capture it. Skipped (77) where weston cannot
# start.
# Usage: e2e_wayland.sh /path/to/marnova
set -uo pipefail
program=$1
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

# Input through weston's x11 backend inside Xvfb, driven with xdotool. The
# output is just larger than the window with its title bar (624 x 381) and
# weston's panel (32), so weston can place it only at the top-left corner.
# The pointer moves relatively there: to 0,0 first, then to the place.
if xvfb_available && xvfb_start 1024x768; then
  trap 'cleanup; xvfb_stop' EXIT
  socket=marnova-test-x11
  weston --backend=x11-backend.so --use-pixman --socket="$socket" --width=625 --height=414 \
    --idle-time=0 >"$runtime/weston-x11.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 50); do [[ -S "$runtime/$socket" ]] && break; sleep 0.1; done
  if [[ -S "$runtime/$socket" ]]; then
    WAYLAND_DISPLAY=$socket env -u DISPLAY "$program" 2>"$runtime/marnova-x11.log" &
    marnova=$!
    pids+=("$marnova")
    sleep 3
    # The panels of the client area (the memo's caret blinks).
    window() { import -window root -crop 400x300+220+100 -depth 8 rgb:- 2>/dev/null | md5sum; }
    # Active first (a press on the bare form), as it is after each request.
    xdotool mousemove 0 0 mousemove 300 400 click 1 mousemove 0 0 mousemove 620 410
    sleep 1
    before=$(window)
    # what: x y clicks (the maximise button of Qt's title bar, the title itself)
    while read -r what x y clicks; do
      xdotool mousemove 0 0 mousemove "$x" "$y"
      sleep 0.3
      xdotool click --repeat "$clicks" --delay 80 1
      sleep 2
      # Active again (a restored window may come back inactive, in Qt's
      # inactive colours), the pointer off every control.
      xdotool mousemove 0 0 mousemove 300 400 click 1 mousemove 0 0 mousemove 620 410
      sleep 0.5
      check "$what: still running" yes "$(kill -0 "$marnova" 2>/dev/null && echo yes || echo no)"
      # Back at its size and place once the compositor has restored it.
      now=$(window)
      for _ in $(seq 10); do [[ "$now" == "$before" ]] && break; sleep 0.5; now=$(window); done
      check "$what: client area unchanged" "$before" "$now"
    done <<'TABLE'
maximise-button     584 47  1
title-double-click  300 47  2
TABLE
    kill "$marnova" 2>/dev/null
  else
    echo "weston's x11 backend did not start: input checks left out"
  fi
fi
exit $fail
