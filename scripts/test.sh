#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
build="${KORVANE_BUILD:-$top/build}"
"$top/scripts/build.sh" "$build" "$@"
"$top/scripts/run_ctest.sh" "$build" --output-on-failure --parallel "$(nproc)" --timeout 300
