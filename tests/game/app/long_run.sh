#!/usr/bin/env bash
# The long run: the whole game left 30 simulated minutes in levels and menus (levels played, restarted through
# the in-game menu and by losing, the main menu and its windows visited) in an AddressSanitizer build. Fails on a
# sanitizer report, growth of memory or engine objects, an error line in the log or music gone quiet.
#   long_run.sh [build folder (default build-asan)] [simulated minutes (default 30)] [renderer (default twins)]
# The renderer is "twins" (the engine's recording twins, quick) or "gl" (drawn for real by OpenGL on SDL's
# offscreen driver, each frame taking its real drawing time: the 30 minutes take about 20), where the drawing
# layer's surfaces and GL objects may not grow either and a last picture of a level must show it.
# The build folder is configured with the sanitizers when it does not exist yet; the test program is built in it.
set -euo pipefail
top="$(cd "$(dirname "$0")/../../.." && pwd)"
build="${1:-$top/build-asan}"
minutes="${2:-30}"
case "${3:-twins}" in
  twins) tests="LongRunTest.*" ;;
  gl) tests="LongRunOffscreenGLTest.*" ;;
  *) echo "long_run.sh: the renderer is \"twins\" or \"gl\", not \"$3\"" >&2; exit 2 ;;
esac
if [ ! -f "$build/CMakeCache.txt" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  cmake -S "$top" -B "$build" -G Ninja "${launcher[@]}" -DKORVANE_SANITIZE=address,undefined -DCMAKE_BUILD_TYPE=Debug
fi
cmake --build "$build" --parallel "${KORVANE_JOBS:-$(nproc)}" --target test_game_app_long_run
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8 LP_NUM_THREADS=0
# Without the runtime's __tls_get_addr interceptor, whose records of dynamic TLS can crash the leak scan at exit
# (see .ci/run).
export LSAN_OPTIONS="suppressions=$top/tests/lsan.supp"
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:intercept_tls_get_addr=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export KORVANE_LONG_RUN_MINUTES="$minutes"
cd "$build/tests/game/app/long_run"
exec ./test_game_app_long_run --gtest_filter="$tests"
