#!/usr/bin/env bash
# Processor cost of picking: the real program under Xvfb, its text-colour
# panel picking while the pointer moves over the window at 60 Hz for 10 s.
# Reports the program's and the X server's processor time per second of
# picking (target for the program: <= 20 ms/s).
# Usage: bench/picker_cpu.sh [build-folder] [program, default the build's marnova]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
program=${2:-$build/marnova}
. "$root/tests/support/xvfb.sh"

xvfb_available || { echo "needs $XVFB_MISSING (scripts/deps.sh installs it)"; exit 1; }
[[ $# -ge 2 ]] || cmake --build "$build" -j "$(nproc)" --target marnova >/dev/null
xvfb_start 1280x800
export QT_QPA_PLATFORM=xcb

"$program" 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null || true; xvfb_stop' EXIT
id=$(wait_for_window "MARNOVA  by Quorvel" 20) || { echo "the window never appeared"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$id")"  # X, Y
sleep 2  # past the update check

# Processor time of a process so far, in clock ticks (user + system).
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)

# 600 moves, one every 1/60 s, round an ellipse over the window's colours.
moves=()
for ((i = 0; i < 600; ++i)); do
  read -r mx my < <(awk -v i="$i" -v x="$X" -v y="$Y" 'BEGIN {
    a = i * 0.05; printf "%d %d\n", x + 309 + 280 * cos(a), y + 174 + 150 * sin(a) }')
  moves+=(mousemove "$mx" "$my" sleep 0.0150)  # plus xdotool's own time
done

xdotool mousemove $((X + 208 + 68)) $((Y + 94 + 51)) click 1  # the pick button
sleep 0.5
p0=$(ticks "$pid") x0=$(ticks "$XVFB_PID") t0=$(date +%s%N)
xdotool "${moves[@]}"
p1=$(ticks "$pid") x1=$(ticks "$XVFB_PID") t1=$(date +%s%N)
xdotool click 3  # ends the pick
sleep 0.3
sample=$(screen_pixel $((X + 208 + 33)) $((Y + 94 + 52)))  # the panel's colour square
[[ "$sample" != FFFFFF ]] || { echo "the pick never took a sample"; exit 1; }
awk -v p=$((p1 - p0)) -v x=$((x1 - x0)) -v hz="$hz" -v n=600 -v ns=$((t1 - t0)) 'BEGIN {
  s = ns / 1e9
  printf "picking %.1f s, %.0f moves/s: program %.1f ms/s (target <= 20), X server %.1f ms/s\n", s, n / s, p * 1000 / hz / s, x * 1000 / hz / s
}'
