#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan and UBSan) in build-fuzz
# and fuzzes each target named (all when none) for SECONDS (default 60):
#
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]
#
# A target starts from its checked-in corpus (fuzz/corpus/TARGET) and the
# inputs of earlier findings (fuzz/regressions/TARGET); what it finds new is
# kept outside git: inputs in build-fuzz/corpus/TARGET, crash files in
# $TV_FUZZ_FINDINGS/TARGET (default build-fuzz/findings/TARGET). It prints
# the executions of each target and exits 1 when a target found something.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds=60
if [ $# -gt 0 ] && [[ $1 =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi
build="$root/build-fuzz"
findings="${TV_FUZZ_FINDINGS:-$build/findings}"
cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ > /dev/null
cmake --build "$build" -j2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  read -r -a targets <<< "$(sed -n 's/^set(TV_FUZZ_TARGETS \(.*\))$/\1/p' "$root/fuzz/FuzzTargets.cmake")"
fi
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
status=0
for target in "${targets[@]}"; do
  binary="$build/fuzz_$target"
  if [ ! -x "$binary" ]; then
    echo "unknown target: $target" >&2
    exit 2
  fi
  mkdir -p "$build/corpus/$target" "$findings/$target"
  seeds=("$root/fuzz/corpus/$target")
  [ -d "$root/fuzz/regressions/$target" ] && seeds+=("$root/fuzz/regressions/$target")
  log="$build/fuzz-$target.log"
  echo "fuzzing $target for $seconds s (log: $log)"
  if "$binary" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
      -dict="$root/fuzz/format.dict" -artifact_prefix="$findings/$target/" \
      "$build/corpus/$target" "${seeds[@]}" > "$log" 2>&1; then
    result=ok
  else
    result="FINDING in $findings/$target/"
    status=1
    grep -E "property violated|ERROR: |runtime error|SUMMARY" "$log" | head -5 || true
  fi
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  echo "$target: ${executions:-?} executions, $result"
done
exit $status
