#!/usr/bin/env bash
# The three windows' titles as a window manager gets them (_NET_WM_NAME and
# WM_NAME): exactly their captions, with no application name appended. The
# update window is brought up by a notice served through an HTTP proxy.
# Usage: e2e_window_titles.sh /path/to/marnova /path/to/notice_proxy.py
set -euo pipefail
here=$(cd "$(dirname "$0")/../support" && pwd)
. "$here/xvfb.sh"
program=$1 proxy=$2

xvfb_available || xvfb_skip "$XVFB_MISSING is not installed (scripts/deps.sh installs it)"
for tool in openbox python3 xwininfo; do
  command -v "$tool" >/dev/null 2>&1 || xvfb_skip "$tool is not installed (scripts/deps.sh installs it)"
done
xvfb_start 1280x800
openbox >/dev/null 2>&1 &
wm=$!
coproc NOTICE { exec python3 "$proxy" "1 44 http://dl.marnova.example/setup.exe"; }
server=$NOTICE_PID
read -r port <&"${NOTICE[0]}"
unset no_proxy NO_PROXY
http_proxy=http://127.0.0.1:$port QT_QPA_PLATFORM=xcb "$program" 2>/dev/null &
pid=$!
trap 'kill $pid $server $wm 2>/dev/null || true; xvfb_stop' EXIT

fail=0
titles() {  # window id, caption
  local got want
  got=$(xprop -id "$1" _NET_WM_NAME WM_NAME)
  want=$(printf '_NET_WM_NAME(UTF8_STRING) = "%s"\nWM_NAME(STRING) = "%s"' "$2" "$2")
  if [[ "$got" == "$want" ]]; then echo "ok: $got"; else echo "FAIL: expected $want, got $got"; fail=1; fi
}
close() {  # window id: the window manager's close key
  xdotool windowactivate --sync "$1" key --clearmodifiers alt+F4
}

main=$(wait_for_window "MARNOVA  by Quorvel" 20) || { echo "FAIL: no main window"; exit 1; }
titles "$main" "MARNOVA  by Quorvel"
update=$(wait_for_window "AGGIORNAMENTO DISPONIBILE!" 20) || { echo "FAIL: no update window"; exit 1; }
titles "$update" "AGGIORNAMENTO DISPONIBILE!"
close "$update"

# The sponsor picture (10, 233, 193 x 90 in the client area) opens the
# information window.
read -r x y < <(xwininfo -id "$main" | sed -n 's/.*Absolute upper-left [XY]: *//p' | xargs)
for _ in 1 2 3 4 5; do
  xdotool mousemove $((x + 100)) $((y + 270)) click 1
  info=$(wait_for_window "Quorvel by Sorvani" 2) && break
done
[[ -n "${info:-}" ]] || { echo "FAIL: no information window"; exit 1; }
titles "$info" "Quorvel by Sorvani"
close "$info"
exit $fail
