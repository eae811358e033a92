#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Sonivard need.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-multimedia-dev libgl-dev
  libgtest-dev libgmock-dev googletest
  lame sox python3 python3-mutagen
  libcdio-dev libcdio-paranoia-dev
  xvfb xauth x11-utils imagemagick xdg-utils
  clang libclang-rt-14-dev
  shared-mime-info desktop-file-utils
  tidy
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
