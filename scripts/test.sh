#!/usr/bin/env bash
# Installs what is needed, builds the program and the tests with
# AddressSanitizer and UndefinedBehaviorSanitizer, builds the fuzz targets
# with clang, and runs every test, a short smoke run of each fuzz target
# among them.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
fuzz_build="$root/build-fuzz"
cmake -S "$root/fuzz" -B "$fuzz_build" -DCMAKE_CXX_COMPILER=clang++
cmake --build "$fuzz_build" -j2
build="$root/build-tests"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DTV_SANITIZE=ON -DTV_FUZZ_BUILD="$fuzz_build"
cmake --build "$build" -j2
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure --timeout 300 -j2 < /dev/null
