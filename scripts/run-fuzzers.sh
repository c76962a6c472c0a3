#!/usr/bin/env bash
# Runs every libFuzzer target for a bounded time, each from a scratch corpus
# under the build folder seeded with the committed corpus (new inputs go to
# the scratch corpus only, so the working tree stays clean), with its
# dictionary. A finding stops the run and is saved under the build folder.
# Usage: scripts/run-fuzzers.sh FUZZ_BUILD_DIR SECONDS_PER_TARGET
set -euo pipefail

build=${1:?usage: run-fuzzers.sh FUZZ_BUILD_DIR SECONDS_PER_TARGET}
seconds=${2:?usage: run-fuzzers.sh FUZZ_BUILD_DIR SECONDS_PER_TARGET}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
targets=(load_all search)

# One input may take a while (the load fuzzer describes every item number of
# a data set), but never this long: more is a hang.
input_timeout=${FUZZ_INPUT_TIMEOUT:-30}

total=0
for target in "${targets[@]}"; do
  program="$build/fuzz/fuzz_$target"
  [[ -x $program ]] || { echo "run-fuzzers: $program is not built" >&2; exit 1; }
  corpus="$build/fuzz-corpus/$target"
  artifacts="$build/fuzz-artifacts"
  mkdir -p "$corpus" "$artifacts"
  log="$build/fuzz-$target.log"

  echo "run-fuzzers: $target for ${seconds}s"
  status=0
  "$program" -max_total_time="$seconds" -timeout="$input_timeout" -print_final_stats=1 \
    -dict="$source_dir/fuzz/dict/$target.dict" -artifact_prefix="$artifacts/$target-" \
    "$corpus" "$source_dir/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [[ $status -ne 0 ]]; then
    echo "run-fuzzers: $target FOUND A FAULT (exit $status); see $log and $artifacts:" >&2
    grep -E -A25 '^(==[0-9]+== ?ERROR|.*runtime error|[a-z_]+_fuzzer: )' "$log" | head -60 >&2 || tail -40 "$log" >&2
    exit 1
  fi
  echo "run-fuzzers: $target: ${runs:-?} executions, no finding, corpus $(ls "$corpus" | wc -l) inputs"
  total=$((total + ${runs:-0}))
done
echo "run-fuzzers: $total executions in total, no finding"
