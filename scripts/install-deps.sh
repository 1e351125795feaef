#!/usr/bin/env bash
# Installs the Debian packages Korvane needs to build, run and test.
# Only packages that are missing are installed; sudo is used when not root.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  # game libraries
  libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libgl-dev libfreetype-dev zlib1g-dev
  # unit tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # end-to-end tests: a virtual screen, input and screenshots, X11 to close the window
  xvfb xauth xdotool imagemagick libx11-dev
  # hardening: fuzzing and leak checks
  clang libclang-rt-14-dev valgrind
  # the font generator's source font and subsetter
  fonts-dejavu-core fonttools fonts-open-sans
  # the Debian package and its checks: dpkg-shlibdeps (which needs file),
  # the menu entry's validator
  dpkg-dev file desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
