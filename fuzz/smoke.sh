#!/bin/sh
# smoke.sh BINARY SECONDS FUZZ_DIR TARGET WORK_DIR
# Runs every checked-in input of the target once (its corpus and the inputs
# of earlier findings), then fuzzes it for SECONDS from the corpus. New
# inputs and any crash file go to WORK_DIR, never into the source tree.
set -eu
binary=$1 seconds=$2 fuzz=$3 target=$4 work=$5
rm -rf "$work"
mkdir -p "$work/corpus" "$work/findings"
seeds=""
for dir in "$fuzz/corpus/$target" "$fuzz/regressions/$target"; do
  if [ -d "$dir" ]; then seeds="$seeds $dir"; fi
done
inputs=$(find $seeds -type f | sort)
if [ -n "$inputs" ]; then
  echo "replaying $(echo "$inputs" | wc -l) inputs"
  # shellcheck disable=SC2086
  "$binary" -artifact_prefix="$work/findings/" $inputs > "$work/replay.log" 2>&1 || {
    cat "$work/replay.log"; echo "replay failed"; exit 1; }
fi
# shellcheck disable=SC2086
"$binary" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
  -dict="$fuzz/format.dict" -artifact_prefix="$work/findings/" \
  "$work/corpus" $seeds > "$work/fuzz.log" 2>&1 || {
  cat "$work/fuzz.log"; echo "finding kept in $work/findings/"; ls -l "$work/findings/"; exit 1; }
grep -E "stat::number_of_executed_units|Done [0-9]+ runs" "$work/fuzz.log" || true
