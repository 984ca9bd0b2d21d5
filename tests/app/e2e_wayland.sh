#!/usr/bin/env bash
# The real program natively on Wayland, under a headless weston: Qt's Wayland
# platform is the one loaded, the window maps and stays up at scale 1 and 2,
# and weston-screenshooter can capture it. Skipped (77) where weston cannot
# start.
# Usage: e2e_wayland.sh /path/to/marnova
set -uo pipefail
program=$1
fail=0
check() {  # description, expected, actual
  if [[ "$2" == "$3" ]]; then echo "ok: $1 ($3)"; else echo "FAIL: $1: expected $2, got $3"; fail=1; fi
}
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
exit $fail
