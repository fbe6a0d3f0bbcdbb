#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. With --sanitize, builds into
# build-asan with AddressSanitizer and UndefinedBehaviorSanitizer and runs the tests there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  scripts/build.sh "$dir" -DKELVO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1
else
  dir=build
  # scripts/run.sh builds the same folder without the tests: turn them back on.
  scripts/build.sh "$dir" -DBUILD_TESTING=ON
fi
ctest --test-dir "$dir" --output-on-failure -j2 --timeout 300
