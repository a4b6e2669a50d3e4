#!/usr/bin/env bash
# Installs what is missing, builds the game and its data, and starts the game in a window. The program sits
# at the top of the build folder beside data/pack0.pak, which makes that folder its installation folder.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
build="${KORVANE_BUILD:-$top/build}"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$top" -B "$build" -G Ninja "${launcher[@]}"
cmake --build "$build" --parallel "${KORVANE_JOBS:-$(nproc)}" --target korvane game_data
exec "$build/korvane" "$@"
