#!/usr/bin/env bash
# Without a display server the program says so in one line on standard error
# and exits with 1; platforms that need no display still start.
# Usage: no_display_test.sh /path/to/marnova
set -uo pipefail
program=$1
fail=0
err=$(mktemp)
trap 'rm -f "$err"' EXIT

# QT_QPA_PLATFORM value ("-" = unset), extra argument, expected status
# (124: still running when the timeout stops it, so it did start).
while read -r platform argument want; do
  args=()
  [[ "$argument" != - ]] && args=(-platform "$argument")
  envs=(-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
  [[ "$platform" != - ]] && envs+=("QT_QPA_PLATFORM=$platform")
  env "${envs[@]}" timeout 3 "$program" "${args[@]}" 2>"$err" >/dev/null
  got=$?
  case="QT_QPA_PLATFORM=$platform -platform $argument"
  if [[ $got != "$want" ]]; then
    echo "FAIL: $case: status $got, expected $want"; cat "$err"; fail=1; continue
  fi
  if [[ $want == 1 ]]; then
    lines=$(wc -l <"$err")
    if [[ $lines != 1 ]] || ! grep -q "desktop grafico.*xvfb-run -a marnova" "$err"; then
      echo "FAIL: $case: expected one line naming the desktop and xvfb-run, got:"; cat "$err"; fail=1
      continue
    fi
  fi
  echo "ok: $case -> $got"
done <<'TABLE'
-               -          1
xcb             -          1
wayland;xcb     -          1
-               offscreen  124
offscreen       -          124
offscreen       xcb        1
TABLE
exit $fail
