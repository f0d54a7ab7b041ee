#!/usr/bin/env bash
# Installs everything the program and its tests need on Debian 12 (as root).
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
packages=(
  build-essential cmake pkg-config
  clang libclang-rt-14-dev
  qt6-base-dev qt6-qpa-plugins libqt6network6
  libx11-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth
  chromium
  fonts-dejavu-core
  python3
  dpkg-dev lintian
  locales
  e2fsprogs
)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
    || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
# A locale with a decimal comma, for the test that numbers in data files are
# read with a point whatever the user's locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
