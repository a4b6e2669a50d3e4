#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program in a window.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
build="${KORVANE_BUILD:-$top/build}"
"$top/scripts/build.sh" "$build" -DKORVANE_TESTS=ON
exec "$build/tests/smoke/engine_smoke" "$@"
