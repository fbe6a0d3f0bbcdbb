#!/usr/bin/env bash
# Builds the fuzz targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, and runs
# each for the given seconds (30) from its committed corpus. New inputs go to a scratch folder;
# pass --keep to add them to the committed corpus instead.
# Usage: scripts/fuzz.sh [seconds] [--keep]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
keep=${2:-}
scripts/setup.sh ci
CC=clang CXX=clang++ scripts/build.sh build-fuzz -DKELVO_FUZZ=ON -DKELVO_WINDOW=OFF \
  -DBUILD_TESTING=OFF -DKELVO_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for target in build-fuzz/bin/fuzz_*; do
  name=${target##*/fuzz_}
  corpus=fuzz/corpus/$name
  mkdir -p "$corpus"
  if [ "$keep" = --keep ]; then out=$corpus; else out=$(mktemp -d); fi
  echo "== $name: ${seconds} s"
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
    "$out" "$corpus" 2>&1 | grep -E '^stat::number_of_executed_units|^stat::peak_rss|ERROR|SUMMARY|Test unit written' || true
  test "${PIPESTATUS[0]}" -eq 0
  [ "$keep" = --keep ] || rm -rf "$out"
done
