#!/usr/bin/env bash
# Configures and builds into build/ (or the folder given) with warnings as errors; prints the
# compiler's output only when something fails.
# Usage: scripts/build.sh [build-dir] [extra cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build}"
shift || true
mkdir -p "$dir"
if ! { cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVO_WERROR=ON "$@" &&
       cmake --build "$dir" -j"$(nproc)"; } >"$dir/build.log" 2>&1; then
  cat "$dir/build.log"
  echo "Build failed (log: $dir/build.log)" >&2
  exit 1
fi
