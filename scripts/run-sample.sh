#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it on a copy of
# the sample installation in build/sample-run (made from sample/ the first
# time; remove it to start afresh), so that reports, listings, backups and
# edits never land in the source tree.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release -DTV_BUILD_TESTS=OFF
cmake --build "$root/build" -j2 --target tessaro-vavuvirivado
program="$root/build/src/tessaro-vavuvirivado"
# The customer details are kept beside the program file; start with the
# sample customer the first time.
[ -f "$root/build/src/personal.ini" ] || cp "$root/sample/personal.ini" "$root/build/src/personal.ini"
run="$root/build/sample-run"
[ -d "$run" ] || cp -r "$root/sample" "$run"
cd "$run"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the program on a virtual X display (xvfb-run)." >&2
  exec xvfb-run -a "$program"
fi
exec "$program"
