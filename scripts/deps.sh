#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Touches the network only when something is missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n  # Qt's own texts in Italian
  libcurl4-openssl-dev libcpp-httplib-dev openssl  # openssl: the HTTPS tests' certificates
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 fontconfig libfontconfig-dev
  xvfb xauth xdotool x11-utils imagemagick openbox libxcb1-dev python3 xclip
  dbus libx11-dev
  weston qt6-wayland  # the program natively on Wayland, end to end
  dbus-daemon at-spi2-core python3-pyatspi
  clang-14 libfuzzer-14-dev dpkg-dev file binutils desktop-file-utils appstream lintian  # other compiler, fuzzing, package checks
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then sudo=(); else sudo=(sudo); fi
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
