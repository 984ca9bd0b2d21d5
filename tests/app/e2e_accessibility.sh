#!/usr/bin/env bash
# The real program as a screen reader reads it: on a virtual X screen, with
# a private D-Bus session and the accessibility bus of at-spi2-core, the
# tree is read over AT-SPI by e2e_accessibility.py. Skipped (77) where a
# tool is missing; scripts/deps.sh installs them all.
# Usage: e2e_accessibility.sh /path/to/marnova
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../support/xvfb.sh"
program=$1
launcher=/usr/libexec/at-spi-bus-launcher

xvfb_available || xvfb_skip "$XVFB_MISSING is not installed (scripts/deps.sh installs it)"
command -v dbus-run-session >/dev/null || xvfb_skip "dbus-run-session is missing (package dbus)"
[[ -x $launcher ]] || xvfb_skip "$launcher is missing (package at-spi2-core)"
# Debian's own interpreter, which has python3-pyatspi, ahead of any other.
python=""
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import pyatspi' 2>/dev/null; then python=$candidate; break; fi
done
[[ -n $python ]] || xvfb_skip "pyatspi is missing (package python3-pyatspi)"

if [[ $1 != --inside ]]; then
  # A private session bus for everything below, gone when the test ends.
  exec dbus-run-session -- bash "$0" --inside "$program"
fi
program=$2

xvfb_start 1280x800
"$launcher" --launch-immediately >/dev/null 2>&1 &
launcher_pid=$!
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$program" >/dev/null 2>&1 &
pid=$!
trap 'kill $pid $launcher_pid 2>/dev/null || true; xvfb_stop' EXIT

id=$(wait_for_window "MARNOVA  by Quorvel" 20) || { echo "FAIL: the main window never appeared"; exit 1; }
# No window manager: give the window the keyboard the way one would.
xdotool windowfocus --sync "$id"
"$python" "$here/e2e_accessibility.py"
