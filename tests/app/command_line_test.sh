#!/usr/bin/env bash
# The command line without a display: --help and --version answer and exit
# 0, a wrong option says so in one line and exits 2, and a DISPLAY that
# names no X server gives one line naming it and exit 1 (not Qt's abort).
# Usage: command_line_test.sh /path/to/marnova
set -uo pipefail
program=$1
fail=0
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

# DISPLAY ("-" = unset), arguments, expected status, stream, what it must say
while IFS='|' read -r display arguments want stream pattern; do
  envs=(-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
  [[ "$display" != - ]] && envs+=("DISPLAY=$display")
  # shellcheck disable=SC2086
  env "${envs[@]}" timeout 10 "$program" $arguments >"$out" 2>"$err"
  got=$?
  file=$out; [[ $stream == err ]] && file=$err
  if [[ $got != "$want" ]] || ! grep -q -- "$pattern" "$file"; then
    echo "FAIL: DISPLAY=$display $arguments: status $got (expected $want), output:"
    cat "$out" "$err"; fail=1; continue
  fi
  if [[ $want != 0 && $(wc -l <"$err") != 1 ]]; then
    echo "FAIL: DISPLAY=$display $arguments: expected one line, got:"; cat "$err"; fail=1; continue
  fi
  echo "ok: DISPLAY=$display $arguments -> $got"
done <<'TABLE'
-|--version|0|out|^marnova 1\.2\.0\.43$
-|--help|0|out|^Uso: marnova
:97|-platform xcb --help|0|out|man marnova
-|--frobnicate|2|err|opzione sconosciuta: --frobnicate
:97||1|err|display X11 ":97"
:97|-platform xcb|1|err|display X11 ":97"
TABLE
exit $fail
