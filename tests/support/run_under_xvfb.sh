#!/usr/bin/env bash
# Runs a command on a fresh virtual X screen with Qt's xcb platform:
#   run_under_xvfb.sh [--size WxH] command [args...]
# Exits 77 (skipped) when Xvfb is missing, otherwise with the command's status.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb.sh"
size=640x480
if [[ "${1:-}" == "--size" ]]; then
  size=$2
  shift 2
fi
command -v Xvfb >/dev/null 2>&1 || xvfb_skip "Xvfb is not installed (scripts/deps.sh installs it)"
xvfb_start "$size" || exit 1
QT_QPA_PLATFORM=xcb "$@"
