#!/usr/bin/env bash
# Runs tamrix-cli under Valgrind memcheck: every description of the sample
# data, and a load that fails half-way. Any memory error or any definite or
# indirect leak fails the check.
# Usage: scripts/valgrind-check.sh TAMRIX_CLI DATA_PARENT_DIR
set -euo pipefail

cli=${1:?usage: valgrind-check.sh TAMRIX_CLI DATA_PARENT_DIR}
data_parent=${2:?usage: valgrind-check.sh TAMRIX_CLI DATA_PARENT_DIR}
valgrind_error=99

command -v valgrind >/dev/null || { echo "valgrind-check: valgrind is not installed" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# run NAME EXPECTED_EXIT ARGS...: the program's own exit code must be the
# expected one; Valgrind's error exit code says that it found something.
run() {
  local name=$1 expected=$2
  shift 2
  local status=0
  valgrind --quiet --tool=memcheck --leak-check=full \
    --errors-for-leak-kinds=definite,indirect --error-exitcode=$valgrind_error \
    --log-file="$scratch/$name.log" "$cli" "$@" >"$scratch/$name.out" 2>&1 || status=$?
  if [[ $status -eq $valgrind_error ]]; then
    echo "valgrind-check: $name: memory errors or leaks:" >&2
    cat "$scratch/$name.log" >&2
    exit 1
  fi
  if [[ $status -ne $expected ]]; then
    echo "valgrind-check: $name: tamrix-cli exited with $status, expected $expected" >&2
    tail -5 "$scratch/$name.out" >&2
    exit 1
  fi
  echo "valgrind-check: $name: no memory error, no leak ($(wc -l <"$scratch/$name.out") lines of output)"
}

run sample-data-all 0 -C "$data_parent" --all

# A load that fails in the random item file, after the skills, standard
# items and types have been built.
mkdir -p "$scratch/broken/Data"
cp "$data_parent"/Data/*.txt "$scratch/broken/Data/"
printf -- '-start-\n#1450\n"name"\n0\n' >"$scratch/broken/Data/rnditem.txt"
run failed-load 1 -C "$scratch/broken" 2385
