#!/usr/bin/env bash
# Start-up benchmark: the program's entry sequence against a bare Qt Widgets
# window, side by side under Xvfb, several runs each, alternating. Reports
# the median time from launch to first paint, the resident memory one second
# later, and the processor share while idle with a blinking slider focused.
# Usage: bench/startup.sh [build-folder] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-7}
. "$root/tests/support/xvfb.sh"

xvfb_available || { echo "needs $XVFB_MISSING (scripts/deps.sh installs it)"; exit 1; }
cmake --build "$build" -j "$(nproc)" --target startup_probe bare_window >/dev/null
xvfb_start 1280x800
export QT_QPA_PLATFORM=xcb

measure() {  # program [args...]: prints the probe's line
  MARNOVA_LAUNCH_NS=$(date +%s%N) timeout 30 "$@" 2>/dev/null | tail -n 1
}
field() { sed -n "s/.*$1=\([^ ]*\).*/\1/p"; }
median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

measure "$build/bench/bare_window" >/dev/null  # warm the caches once for both
measure "$build/bench/startup_probe" >/dev/null
bare_ms=() bare_kb=() prog_ms=() prog_kb=()
for ((i = 0; i < runs; ++i)); do
  line=$(measure "$build/bench/bare_window")
  bare_ms+=("$(field first-paint-ms <<<"$line")") bare_kb+=("$(field rss-kb <<<"$line")")
  line=$(measure "$build/bench/startup_probe")
  prog_ms+=("$(field first-paint-ms <<<"$line")") prog_kb+=("$(field rss-kb <<<"$line")")
done
idle=$(measure "$build/bench/startup_probe" --idle 10 | field idle-cpu-percent)

bm=$(printf '%s\n' "${bare_ms[@]}" | median) pm=$(printf '%s\n' "${prog_ms[@]}" | median)
bk=$(printf '%s\n' "${bare_kb[@]}" | median) pk=$(printf '%s\n' "${prog_kb[@]}" | median)
awk -v bm="$bm" -v pm="$pm" -v bk="$bk" -v pk="$pk" -v idle="$idle" -v runs="$runs" 'BEGIN {
  printf "runs each: %d (medians)\n", runs
  printf "first paint:  bare %.1f ms, Marnova %.1f ms, ratio %.2f (target <= 1.30)\n", bm, pm, pm / bm
  printf "resident:     bare %.1f MB, Marnova %.1f MB, difference %.1f MB (target <= 15)\n", bk / 1024, pk / 1024, (pk - bk) / 1024
  printf "idle, blinking slider focused: %s %% of one core (target < 0.5)\n", idle
}'
