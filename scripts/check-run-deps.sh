#!/usr/bin/env bash
# Usage: check-run-deps.sh BUILD_DIR
# Checks that `make run` asks only for what building and opening the dialog
# need: it installs the `run` packages alone, and the `run` preset builds
# tamrix and tamrix-cli in BUILD_DIR with every package that only the tests
# use (GoogleTest, Google Benchmark, Python) treated as absent.
set -euo pipefail
build=$1
source "$(dirname "$0")/../tests/shell_test.sh"

plan=$(make -n run)
grep -q 'install-deps.sh run' <<<"$plan" || fail "make run does not install the run packages"
grep -q 'install-deps.sh test' <<<"$plan" && fail "make run installs the test packages"
run_list=$(bash scripts/install-deps.sh run --list)
for tool in wine clang valgrind g++-mingw-w64-x86-64 libgtest-dev xvfb lintian; do
  grep -qx "$tool" <<<"$run_list" && fail "the run packages include $tool"
done

cmake --preset run -B "$build" -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
  -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON -DCMAKE_DISABLE_FIND_PACKAGE_Python3=ON >/dev/null
cmake --build "$build" -j "${JOBS:-2}" >/dev/null
for program in app/fltk/tamrix app/cli/tamrix-cli; do
  [[ -x $build/$program ]] || fail "the run preset did not build $program"
done
finish "make run's needs"
