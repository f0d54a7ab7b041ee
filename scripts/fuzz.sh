#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan and UBSan) in build-fuzz
# and fuzzes each target named (all when none) for SECONDS (default 60):
#
#   bash scripts/fuzz.sh [--runs N] [--jobs N] [SECONDS] [TARGET...]
#
# --runs N fuzzes each target for N executions instead of a time; --jobs N
# fuzzes N targets at once (default 1), each under nice on a core of its own.
#
# A target starts from its checked-in corpus (fuzz/corpus/TARGET) and the
# inputs of earlier findings (fuzz/regressions/TARGET); what it finds new is
# kept outside git: inputs in build-fuzz/corpus/TARGET, crash files in
# $TV_FUZZ_FINDINGS/TARGET (default build-fuzz/findings/TARGET). It prints
# the executions of each target and their rate, and exits 1 when a target
# found something.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds=60
runs=""
jobs=1
while [ $# -gt 0 ]; do
  case $1 in
    --runs) runs=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    *) break ;;
  esac
done
if [ $# -gt 0 ] && [[ $1 =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi
if ! [[ $jobs =~ ^[1-9][0-9]*$ ]] || { [ -n "$runs" ] && ! [[ $runs =~ ^[1-9][0-9]*$ ]]; }; then
  echo "usage: bash scripts/fuzz.sh [--runs N] [--jobs N] [SECONDS] [TARGET...]" >&2
  exit 2
fi
build="$root/build-fuzz"
findings="${TV_FUZZ_FINDINGS:-$build/findings}"
cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ > /dev/null
cmake --build "$build" -j2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  read -r -a targets <<< "$(sed -n 's/^set(TV_FUZZ_TARGETS \(.*\))$/\1/p' "$root/fuzz/FuzzTargets.cmake")"
fi
for target in "${targets[@]}"; do
  if [ ! -x "$build/fuzz_$target" ]; then
    echo "unknown target: $target" >&2
    exit 2
  fi
done
export ASAN_OPTIONS="${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
if [ -n "$runs" ]; then
  limit=(-runs="$runs")
  span="$runs executions"
else
  limit=(-max_total_time="$seconds")
  span="$seconds s"
fi

# Fuzzes one target; its one-line result goes to build-fuzz/fuzz-TARGET.result.
fuzz_one() {
  local target=$1
  mkdir -p "$build/corpus/$target" "$findings/$target"
  local seeds=("$root/fuzz/corpus/$target")
  [ -d "$root/fuzz/regressions/$target" ] && seeds+=("$root/fuzz/regressions/$target")
  local log="$build/fuzz-$target.log" result
  echo "fuzzing $target for $span (log: $log)"
  if nice "$build/fuzz_$target" "${limit[@]}" -print_final_stats=1 -timeout=10 \
      -dict="$root/fuzz/format.dict" -artifact_prefix="$findings/$target/" \
      "$build/corpus/$target" "${seeds[@]}" > "$log" 2>&1; then
    result=ok
  else
    result="FINDING in $findings/$target/"
    grep -aE "property violated|ERROR: |runtime error|SUMMARY" "$log" | head -5 || true
  fi
  local executions rate
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  echo "$target: ${executions:-?} executions, ${rate:-?} exec/s, $result" | tee "$build/fuzz-$target.result"
}

running=0
for target in "${targets[@]}"; do
  rm -f "$build/fuzz-$target.result"
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
  fuzz_one "$target" &
  running=$((running + 1))
done
wait

status=0
echo "--"
for target in "${targets[@]}"; do
  cat "$build/fuzz-$target.result"
  grep -q ", ok$" "$build/fuzz-$target.result" || status=1
done
exit $status
