#!/usr/bin/env bash
# Runs ctest in a build folder and keeps what it prints there (Testing/ctest-output.log, after a first line naming
# the run's arguments): ctest's own log writes "Test Failed." alike for a test that failed, crashed or ran out of
# time, while its printed lines name how each ended. After a failed run prints the failure digest. Exits with
# ctest's status.
#   run_ctest.sh <build folder> [ctest arguments...]
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"
shift
mkdir -p "$build/Testing"
output="$build/Testing/ctest-output.log"
echo "# ctest $*" >"$output"
status=0
(cd "$build" && ctest "$@") 2>&1 | tee -a "$output" || status=$?
[ "$status" -eq 0 ] || "$top/scripts/failure_digest.sh" "$build"
exit "$status"
