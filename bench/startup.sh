#!/usr/bin/env bash
# Start-up benchmark: the program against a bare Qt Widgets window of the same
# size, watched from outside as a user waits for it (bench/startup_watch):
# launch to the window being mapped, launch to its content being complete,
# and the resident memory one second after mapping (and half a second after
# it, before the update check loads libcurl). Runs alternate between
# the two, after one warm-up each, under Xvfb without and with a window
# manager (openbox); medians and ratios. Then the processor share while idle
# with a blinking slider focused (the in-process probe).
# Usage: bench/startup.sh [build-folder] [runs] [program, default the build's marnova]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
runs=${2:-7}
program=${3:-$build/marnova}
. "$root/tests/support/xvfb.sh"

xvfb_available || { echo "needs $XVFB_MISSING (scripts/deps.sh installs it)"; exit 1; }
command -v openbox >/dev/null || { echo "needs openbox (scripts/deps.sh installs it)"; exit 1; }
cmake --build "$build" -j "$(nproc)" --target marnova startup_watch bare_window startup_probe \
  >/dev/null
export QT_QPA_PLATFORM=xcb
unset MARNOVA_LAUNCH_NS

field() { sed -n "s/.*$1=\([^ ]*\).*/\1/p"; }
median() { sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
watch() { timeout 60 "$build/bench/startup_watch" "$@" 2>/dev/null | tail -n 1; }

# One screen, optionally managed; prints one table row per program.
session() {  # label, "wm" or ""
  local label=$1 wm=$2 wm_pid=""
  xvfb_start 1280x800
  if [[ -n "$wm" ]]; then
    openbox >/dev/null 2>&1 &
    wm_pid=$!
    for ((i = 0; i < 100; ++i)); do  # until it announces itself
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
      sleep 0.05
    done
  fi
  watch "$build/bench/bare_window" >/dev/null
  watch "$program" >/dev/null
  local bm=() bc=() bk=() bu=() be=() pm=() pc=() pk=() pu=() pe=() line
  for ((i = 0; i < runs; ++i)); do
    line=$(watch "$build/bench/bare_window")
    bm+=("$(field mapped-ms <<<"$line")") bc+=("$(field complete-ms <<<"$line")")
    bk+=("$(field rss-kb <<<"$line")") bu+=("$(field cpu-ms <<<"$line")")
    be+=("$(field early-rss-kb <<<"$line")")
    line=$(watch "$program")
    pm+=("$(field mapped-ms <<<"$line")") pc+=("$(field complete-ms <<<"$line")")
    pk+=("$(field rss-kb <<<"$line")") pu+=("$(field cpu-ms <<<"$line")")
    pe+=("$(field early-rss-kb <<<"$line")")
  done
  [[ -n "$wm_pid" ]] && { kill "$wm_pid" 2>/dev/null || true; wait "$wm_pid" 2>/dev/null || true; }
  xvfb_stop
  local m1 c1 k1 u1 e1 m2 c2 k2 u2 e2
  m1=$(printf '%s\n' "${bm[@]}" | median) c1=$(printf '%s\n' "${bc[@]}" | median)
  k1=$(printf '%s\n' "${bk[@]}" | median) m2=$(printf '%s\n' "${pm[@]}" | median)
  c2=$(printf '%s\n' "${pc[@]}" | median) k2=$(printf '%s\n' "${pk[@]}" | median)
  u1=$(printf '%s\n' "${bu[@]}" | median) u2=$(printf '%s\n' "${pu[@]}" | median)
  e1=$(printf '%s\n' "${be[@]}" | median) e2=$(printf '%s\n' "${pe[@]}" | median)
  awk -v l="$label" -v m1="$m1" -v c1="$c1" -v k1="$k1" -v m2="$m2" -v c2="$c2" -v k2="$k2" -v u1="$u1" -v u2="$u2" -v e1="$e1" -v e2="$e2" 'BEGIN {
    printf "%-16s %-8s %9.1f %9.1f %9.1f %9.1f %9.1f\n", l, "bare", m1, c1, k1 / 1024, u1, e1 / 1024
    printf "%-16s %-8s %9.1f %9.1f %9.1f %9.1f %9.1f\n", l, "Marnova", m2, c2, k2 / 1024, u2, e2 / 1024
    printf "%-16s %-8s %8.2fx %8.2fx %+8.1f %8.2fx %+8.1f   (targets <= 1.25x, <= 1.35x, <= +8 MiB)\n", l, "ratio", m2 / m1, c2 / c1, (k2 - k1) / 1024, u2 / u1, (e2 - e1) / 1024
  }'
}

echo "runs each: $runs, alternating, medians"
printf "%-16s %-8s %9s %9s %9s %9s %9s\n" screen program mapped-ms complete resident-MiB cpu-ms res@0.5s
session "Xvfb" ""
session "Xvfb + openbox" wm

xvfb_start 1280x800
idle=$(MARNOVA_LAUNCH_NS=$(date +%s%N) timeout 30 "$build/bench/startup_probe" --idle 10 2>/dev/null |
  tail -n 1 | field idle-cpu-percent)
xvfb_stop
echo "idle, blinking slider focused: $idle % of one core (target < 0.5)"
