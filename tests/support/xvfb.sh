# Shell helpers for end-to-end tests on a virtual X screen. Source it:
#   . tests/support/xvfb.sh
#   xvfb_available || xvfb_skip "why"      # exits 77, which CTest counts as skipped
#   xvfb_start 640x480                     # exports DISPLAY, stops Xvfb on exit
#   screen_pixel 10 20                     # prints RRGGBB of the root window's pixel
#   wait_for_window "title" 5              # prints the window id once it is mapped
# Needs Xvfb; screen_pixel needs ImageMagick's import; the window helpers
# need xdotool.

XVFB_SKIP_CODE=77
XVFB_PID=""

# Compares a reading with what was expected; a mismatch fails the test at its
# end (exit $fail), so every check still runs and reports.
fail=0
check() {  # description, expected, actual
  if [[ "$2" == "$3" ]]; then echo "ok: $1 ($3)"; else echo "FAIL: $1: expected $2, got $3"; fail=1; fi
}

# Tools the helpers use; all must be present for an end-to-end test.
xvfb_available() {
  local tool
  for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null 2>&1 || { XVFB_MISSING=$tool; return 1; }
  done
  return 0
}

xvfb_skip() {
  echo "SKIPPED: $*" >&2
  exit "$XVFB_SKIP_CODE"
}

# Starts Xvfb on a display number it picks itself (so parallel tests never
# collide), with one screen of the given size (default 640x480, depth 24),
# waits until it accepts connections and exports DISPLAY.
xvfb_start() {
  local size=${1:-640x480}
  local fifo
  fifo=$(mktemp -u "${TMPDIR:-/tmp}/xvfb-display.XXXXXX")
  mkfifo "$fifo"
  # -displayfd writes the chosen display number once the server is ready.
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$fifo" \
    >/dev/null 2>&1 &
  XVFB_PID=$!
  trap xvfb_stop EXIT
  local number=""
  if ! read -r -t 20 number <"$fifo" || [[ -z "$number" ]]; then
    rm -f "$fifo"
    echo "Xvfb did not start" >&2
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=":$number"
  unset XAUTHORITY
  # The virtual screen is an X11 session even when the tests were started
  # from a Wayland desktop, whose variables would send picks to the portal.
  unset WAYLAND_DISPLAY XDG_SESSION_TYPE
  # Qt's X11 start-up has libxkbcommon-x11 strndup() atom names that are
  # not NUL-terminated, which is allowed; AddressSanitizer's strict string
  # checks flag it anyway, so they are off for the X clients started here.
  if [[ -n "${ASAN_OPTIONS:-}" ]]; then
    export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
  fi
}

xvfb_stop() {
  if [[ -n "$XVFB_PID" ]]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}

# Prints the colour of the screen pixel at (x, y) as RRGGBB (upper case).
screen_pixel() {
  local x=$1 y=$2 r g b
  # With -depth 8 the first line's tuple "(R,G,B)" is in 0..255; the
  # colour name or #hex after it varies with ImageMagick's build.
  read -r r g b < <(import -window root -crop "1x1+${x}+${y}" -depth 8 txt:- 2>/dev/null |
    sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p') || return 1
  printf '%02X%02X%02X\n' "$r" "$g" "$b"
}

# Waits up to `timeout` seconds (default 5) until the pixel at (x, y) is
# RRGGBB; prints the last colour read and fails when it never got there.
wait_for_pixel() {
  local x=$1 y=$2 want=$3 timeout=${4:-5}
  local deadline=$((SECONDS + timeout)) got=""
  while :; do
    got=$(screen_pixel "$x" "$y")
    [[ "$got" == "$want" ]] && { echo "$got"; return 0; }
    ((SECONDS >= deadline)) && { echo "$got"; return 1; }
    sleep 0.1
  done
}

# Prints the id of the first mapped window whose name is exactly `name`.
find_window() {
  xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

# Like find_window, waiting up to `timeout` seconds (default 5).
wait_for_window() {
  local name=$1 timeout=${2:-5}
  local deadline=$((SECONDS + timeout)) id=""
  while :; do
    id=$(find_window "$name")
    [[ -n "$id" ]] && { echo "$id"; return 0; }
    ((SECONDS >= deadline)) && return 1
    sleep 0.1
  done
}
