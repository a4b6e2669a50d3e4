#!/usr/bin/env bash
# Prints, after a failed ctest run, why each failed test failed: its failure lines and the few lines after each,
# taken from ctest's own log, then how each ended as ctest named it in what it printed (Failed, Timeout, SEGFAULT,
# Subprocess aborted...) with its time against its limit, since the log writes "Test Failed." for every one of
# them. CI keeps only the end of what a run prints, and the full outputs of failed tests come long before it.
#   failure_digest.sh <build folder>
# It reads only what scripts/run_ctest.sh keeps of the run in the build's Testing folder, and never runs ctest,
# whose every run (a listing too) empties the log it would read: the same run is explained however often.
set -euo pipefail
build="$1"
log="$build/Testing/ctest-run.log"
output="$build/Testing/ctest-output.log"
tests="$build/Testing/ctest-tests.json"
echo "== Why the failed tests failed =="
# What the machine is, since a failure seen on one machine only is judged by how it differs from another.
echo "machine: $(nproc) cores, $(sed -n 's/^model name[^:]*: //p' /proc/cpuinfo | head -1)," \
  "$(awk '/MemAvailable/ {printf "%d MB free of ", $2 / 1024} /MemTotal/ {t = $2} END {printf "%d MB", t / 1024}' /proc/meminfo)," \
  "$(df -Pm "$build" | awk 'NR == 2 {print $4 " MB free on disk"}'), drawing devices: $(ls /dev/dri 2>/dev/null | tr '\n' ' ' || true)"
if [ -f "$log" ]; then
  awk '
    # Each test'"'"'s section: its name, its output, and whether it failed.
    /^[0-9]+\/[0-9]+ Test: / { name = substr($0, index($0, "Test: ") + 6); n = 0; next }
    /^Output:$/ { collecting = 1; next }
    /^<end of output>$|^Test time = / { collecting = 0; next }
    # ctest draws a rule of dashes under "Output:".
    collecting && n == 0 && /^-+$/ { next }
    collecting { lines[++n] = $0; next }
    /^Test Failed\.$|^Test Passed\.$/ {
      if ($0 == "Test Failed.") {
        print "-- " name
        shown = 0; after = 0
        for (i = 1; i <= n && shown < 40; ++i) {
          if (lines[i] ~ /Failure$|^FAIL|[Ff]atal|Assertion|ERROR|runtime error|Sanitizer|terminate called|Segmentation/)
            after = 6
          if (after > 0) { print "   " lines[i]; ++shown; --after }
        }
        if (shown == 0)
          for (i = (n > 15 ? n - 15 : 1); i <= n; ++i) print "   " lines[i]
        ++failed
      }
      n = 0
    }
    END { if (!failed) print "ctest'"'"'s log " FILENAME " holds no failed test" }
  ' "$log"
else
  echo "no kept ctest log in $build (Testing/ctest-run.log): run ctest through scripts/run_ctest.sh"
fi

echo "== How the failed tests ended =="
[ -f "$output" ] || { echo "no kept ctest output in $build (Testing/ctest-output.log): run ctest through scripts/run_ctest.sh"; exit 0; }
# Each test's own limit, where it has one, from ctest's list of the tests kept before the run (JSON, a key a line).
limits() {
  [ -f "$tests" ] || return 0
  awk '
    /^  "tests" : / { tests = 1 }
    !tests { next }
    /^ *"(backtrace|command)" : / { properties = 0 }
    /^ *"properties" : / { properties = 1 }
    /^ *"name" : "/ {
      value = $0; sub(/^ *"name" : "/, "", value); sub(/",?$/, "", value)
      if (properties) property = value; else { name = value; property = "" }
    }
    /^ *"value" : / && property == "TIMEOUT" { value = $0; sub(/^ *"value" : /, "", value); sub(/,$/, "", value); sub(/\.0*$/, "", value); print name "\t" value }
  ' "$tests"
}
awk -F '\t' -v default_limit="$(sed -n '1s/.*--timeout[ =]\([0-9.]*\).*/\1/p' "$output")" '
  FILENAME == ARGV[1] { limit[$1] = $2; next }
  { last[FNR % 5] = $0; lines = FNR }
  # A test'"'"'s status line: "3/7 Test #3: name ....***Exception: SegFault  0.03 sec".
  /^ *[0-9]+\/[0-9]+ Test +#[0-9]+: / {
    line = $0; sub(/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: /, "", line)
    name = line; sub(/ \.+.*$/, "", name)
    if (match(line, /[0-9.]+ sec$/)) seconds[name] = substr(line, RSTART, RLENGTH - 4) " s"
    next
  }
  /^The following tests FAILED:$/ { summary = 1; next }
  # "	  5 - hangs (Timeout)"
  summary && /^\t/ {
    line = $0; sub(/^\t *[0-9]+ - /, "", line)
    ending = line; sub(/^.* \(/, "", ending); sub(/\)$/, "", ending)
    name = line; sub(/ \([^(]*\)$/, "", name)
    of = (name in limit) ? limit[name] : default_limit
    printf "   %s: %s after %s, %s\n", name, ending, (name in seconds) ? seconds[name] : "a time not printed",
      of != "" ? "its limit " of " s" : "no limit"
    ++failed
    next
  }
  { summary = 0 }
  END {
    if (!failed) {
      print "the kept ctest output " FILENAME " names no failed test; its last lines:"
      for (i = (lines > 5 ? lines - 4 : 1); i <= lines; ++i) print "   " last[i % 5]
    }
  }
' <(limits) "$output"
