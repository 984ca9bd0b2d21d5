#!/usr/bin/env bash
# The Debian package as a user gets it: packed by CPack from this build, it
# holds the expected files, passes desktop-file-validate, appstreamcli and
# lintian (no errors), and the program unpacked from it opens its window.
# Usage: package_test.sh <build dir> <version> <scratch dir>
set -uo pipefail
here=$(cd "$(dirname "$0")/../support" && pwd)
. "$here/xvfb.sh"
build=$1 version=$2 scratch=$3

for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli lintian readelf; do
  command -v "$tool" >/dev/null 2>&1 || xvfb_skip "$tool is not installed (scripts/deps.sh installs it)"
done
xvfb_available || xvfb_skip "$XVFB_MISSING is not installed (scripts/deps.sh installs it)"

fail=0
check() {  # description, command...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; fail=1; fi
}

rm -rf "$scratch" && mkdir -p "$scratch"
(cd "$build" && cpack -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1) ||
  { cat "$scratch/cpack.log"; echo "FAIL: cpack"; exit 1; }
deb=$(ls "$scratch"/marnova_"$version"_*.deb 2>/dev/null) ||
  { ls "$scratch"; echo "FAIL: no marnova_${version}_<arch>.deb"; exit 1; }
echo "package: $(basename "$deb")"

expected="./usr/bin/marnova
./usr/share/applications/marnova.desktop
./usr/share/doc/marnova/changelog.gz
./usr/share/doc/marnova/copyright
$(for s in 128 16 256 32 48 64; do echo "./usr/share/icons/hicolor/${s}x$s/apps/marnova.png"; done)
./usr/share/man/man1/marnova.1.gz
./usr/share/metainfo/example.quorvel.marnova.metainfo.xml"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)
check "file list" test "$files" == "$expected"
[[ "$files" == "$expected" ]] || diff <(echo "$expected") <(echo "$files")
depends=$(dpkg-deb -f "$deb" Depends)
check "dependencies found by dpkg-shlibdeps" grep -q libqt6widgets6 <<<"$depends"
check "libcurl 7.85 or later, loaded at run time, is a dependency" grep -qF "libcurl4 (>= 7.85)" <<<"$depends"
check "Qt's Italian texts are a dependency" grep -q qt6-translations-l10n <<<"$depends"
check "the Wayland platform is recommended" test "$(dpkg-deb -f "$deb" Recommends)" == qt6-wayland

root=$scratch/root
dpkg-deb -x "$deb" "$root"
program=$root/usr/bin/marnova
check "program stripped" test -z "$(readelf -S "$program" | grep -F .symtab)"
# The program reads its version back from this section of its own file.
check "version block kept" grep -qF .versioninfo <(readelf -S "$program")

echo "--- desktop-file-validate"
check "desktop-file-validate" desktop-file-validate "$root/usr/share/applications/marnova.desktop"
echo "--- appstreamcli validate --no-net"
check "appstreamcli" appstreamcli validate --no-net \
  "$root/usr/share/metainfo/example.quorvel.marnova.metainfo.xml"
echo "--- lintian"
lintian "$deb" >"$scratch/lintian.txt" 2>/dev/null
cat "$scratch/lintian.txt"
check "lintian reports no errors" test -z "$(grep '^E:' "$scratch/lintian.txt")"

xvfb_start 1280x800 || exit 1
QT_QPA_PLATFORM=xcb "$program" 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null || true; xvfb_stop' EXIT
if wait_for_window "MARNOVA  by Quorvel" 20 >/dev/null; then
  echo "ok: unpacked program shows its window"
else
  echo "FAIL: the unpacked program's window never appeared"; fail=1
fi
exit $fail
