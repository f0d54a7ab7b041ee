#!/usr/bin/env bash
# Installs what is needed, builds the program for release and makes its
# Debian package; prints the package's path.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
build="$root/build-package"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTV_BUILD_TESTS=OFF
cmake --build "$build" -j2 --target tessaro-vavuvirivado tessaro-vavuvirivado-docs
(cd "$build" && cpack -G DEB -B "$build/packages" > /dev/null)
ls "$build"/packages/tessaro-vavuvirivado_*.deb
