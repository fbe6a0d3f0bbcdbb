#!/usr/bin/env bash
# Builds the registry class, its Windows backend and its tests with MinGW-w64 and runs the
# tests under Wine, against Windows' own registry functions in a Wine prefix of the build's
# own. Installs what is missing first and prints how long the whole check took.
# Usage: scripts/windows-check.sh [build-dir]   (default build-mingw)
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${1:-build-mingw}"
start=$(date +%s)
trap 'echo "Windows check took $(( $(date +%s) - start )) s"' EXIT

scripts/setup.sh ci
scripts/build.sh "$dir" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DKELVO_REGISTRY_CHECK=ON -DKELVO_WINDOW=OFF

# A prefix of our own, never the user's; without Mono and Gecko, which the tests do not need
# and whose installers would only slow the first start.
export WINEPREFIX="$PWD/$dir/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
status=0
ctest --test-dir "$dir" --output-on-failure || status=$?
/usr/lib/wine/wineserver -k 2>/dev/null || true
exit "$status"
