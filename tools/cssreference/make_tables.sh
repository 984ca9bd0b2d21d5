#!/bin/sh
# Writes the reference tables the colour tests read (tests/colour/reference)
# from colorjs.io and apca-w3 0.1.9, installed into a temporary folder that
# is removed afterwards. Needs node and npm; the tests themselves do not.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-"$here/../../tests/colour/reference"}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here/make_tables.mjs" "$work/"
(cd "$work" && npm init -y >/dev/null &&
  npm install --no-audit --no-fund --silent colorjs.io@0.7.1 apca-w3@0.1.9)
mkdir -p "$out"
node "$work/make_tables.mjs" "$out"
