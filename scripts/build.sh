#!/usr/bin/env bash
# Configures and builds into a folder: build.sh <build folder> [extra CMake options...]
# KORVANE_TARGETS="<target>..." builds only those targets (and what they need) instead of everything;
# KORVANE_JOBS sets the parallel jobs (default: one a core).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"; shift
launcher=()
# Test programs read a precompiled header: ccache caches their files only when told that its defines and time macros
# do not differ between builds.
export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros}"
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$top" -B "$build" -G Ninja "${launcher[@]}" "$@"
targets=()
[ -n "${KORVANE_TARGETS:-}" ] && read -r -a targets <<<"--target $KORVANE_TARGETS"
cmake --build "$build" --parallel "${KORVANE_JOBS:-$(nproc)}" "${targets[@]}"
