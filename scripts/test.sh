#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
build="${KORVANE_BUILD:-$top/build}"
"$top/scripts/build.sh" "$build" "$@"
cd "$build"
status=0
ctest --output-on-failure --parallel "$(nproc)" --timeout 300 || status=$?
[ "$status" -eq 0 ] || "$top/scripts/failure_digest.sh" "$build"
exit "$status"
