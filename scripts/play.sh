#!/usr/bin/env bash
# Installs what is missing, builds, writes the smoke scene's data and starts the program in a window.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
build="${KORVANE_BUILD:-$top/build}"
"$top/scripts/build.sh" "$build" -DKORVANE_TESTS=ON
"$build/tests/smoke/engine_smoke_data" "$build/smoke-install"
exec "$build/tests/smoke/engine_smoke" --data "$build/smoke-install" --log-dir "$build/smoke-logs" "$@"
