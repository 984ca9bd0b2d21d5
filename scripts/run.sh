#!/usr/bin/env bash
# Builds the program (build/) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target marnova

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found: Marnova needs a desktop; without one, run it under a virtual screen: xvfb-run -a -s '-screen 0 1280x800x24' build/marnova" >&2
  exit 1
fi
exec build/marnova "$@"
