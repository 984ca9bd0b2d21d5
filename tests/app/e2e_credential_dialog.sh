#!/usr/bin/env bash
# A server that asks for credentials during the update check: the prompt
# opens above the always-on-top main window with the keyboard, so what the
# user types goes into it and reaches the server.
# Usage: e2e_credential_dialog.sh /path/to/marnova /path/to/notice_proxy.py [screenshot.png]
set -euo pipefail
here=$(cd "$(dirname "$0")/../support" && pwd)
. "$here/xvfb.sh"
program=$1 proxy=$2 shot=${3:-}

xvfb_available || xvfb_skip "$XVFB_MISSING is not installed (scripts/deps.sh installs it)"
for tool in openbox python3 xprop; do
  command -v "$tool" >/dev/null 2>&1 || xvfb_skip "$tool is not installed (scripts/deps.sh installs it)"
done
xvfb_start 1280x800
openbox >/dev/null 2>&1 &
wm=$!
log=$(mktemp)
coproc NOTICE { exec python3 "$proxy" "1 05 http://dl.marnova.example/setup.exe" "$log"; }
server=$NOTICE_PID
read -r port <&"${NOTICE[0]}"
unset no_proxy NO_PROXY
http_proxy=http://127.0.0.1:$port QT_QPA_PLATFORM=xcb "$program" 2>/dev/null &
pid=$!
trap 'kill $pid $server $wm 2>/dev/null || true; rm -f "$log"; xvfb_stop' EXIT

main=$(wait_for_window "MARNOVA  by Quorvel" 20) || { echo "FAIL: no main window"; exit 1; }
dialog=$(wait_for_window "Autenticazione" 20) || { echo "FAIL: no credential prompt"; exit 1; }
sleep 0.5  # let the window manager settle the stacking and the focus
check "prompt has the keyboard" "$dialog" "$(xdotool getactivewindow)"
check "prompt belongs to the main window" "window id # $(printf '0x%x' "$main")" \
  "$(xprop -id "$dialog" WM_TRANSIENT_FOR | sed 's/.*: //')"
# Bottom to top: the prompt above the main window.
stack=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
above=no
seen_main=no
for w in $stack; do
  (( w == main )) && seen_main=yes
  (( w == dialog )) && [[ $seen_main == yes ]] && above=yes
done
check "prompt stacked above the main window" yes "$above"
[[ -n "$shot" ]] && import -window root "$shot"
xdotool type --delay 20 "abc"
xdotool key Tab
xdotool type --delay 20 "pw"
xdotool key Return
for _ in $(seq 50); do [[ -s "$log" ]] && break; sleep 0.1; done
check "typed credentials reached the server" "Basic $(printf 'abc:pw' | base64)" "$(head -n 1 "$log")"
exit $fail
