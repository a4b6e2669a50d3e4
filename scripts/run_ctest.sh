#!/usr/bin/env bash
# Runs ctest in a build folder and keeps what it prints there (Testing/ctest-output.log, after a first line naming
# the run's arguments): ctest's own log writes "Test Failed." alike for a test that failed, crashed or ran out of
# time, while its printed lines name how each ended. It also keeps, beside it, ctest's own log of the run
# (Testing/ctest-run.log), which any later ctest in the folder, even one that only lists the tests, empties, and
# the list of the tests with their limits (Testing/ctest-tests.json). After a failed run prints the failure
# digest, which reads only these kept files, as often as it is asked. Exits with ctest's status.
#   run_ctest.sh <build folder> [ctest arguments...]
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="$1"
shift
mkdir -p "$build/Testing"
output="$build/Testing/ctest-output.log"
rm -f "$build/Testing/ctest-run.log"
(cd "$build" && ctest -N --show-only=json-v1) >"$build/Testing/ctest-tests.json" 2>/dev/null || true
echo "# ctest $*" >"$output"
status=0
(cd "$build" && ctest "$@") 2>&1 | tee -a "$output" || status=$?
cp "$build/Testing/Temporary/LastTest.log" "$build/Testing/ctest-run.log" 2>/dev/null || true
[ "$status" -eq 0 ] || "$top/scripts/failure_digest.sh" "$build"
exit "$status"
