#!/usr/bin/env bash
# Installs what is missing, builds, and starts the logger (with its window, or headless when
# there is no display). Arguments go to the logger, e.g. /m for a minimised start.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
scripts/build.sh build -DBUILD_TESTING=OFF
exec build/bin/kelvologger "$@"
