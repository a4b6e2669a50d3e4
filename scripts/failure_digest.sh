#!/usr/bin/env bash
# Prints, after a failed ctest run, why each failed test failed: its failure lines and the few lines after each,
# taken from ctest's own log. CI keeps only the end of what a run prints, and the full outputs of failed tests
# come long before it.
#   failure_digest.sh <build folder>
set -euo pipefail
log="$1/Testing/Temporary/LastTest.log"
[ -f "$log" ] || { echo "no test log in $1"; exit 0; }
echo "== Why the failed tests failed =="
# What the machine is, since a failure seen on one machine only is judged by how it differs from another.
echo "machine: $(nproc) cores, $(sed -n 's/^model name[^:]*: //p' /proc/cpuinfo | head -1)," \
  "$(awk '/MemAvailable/ {printf "%d MB free of ", $2 / 1024} /MemTotal/ {t = $2} END {printf "%d MB", t / 1024}' /proc/meminfo)," \
  "$(df -Pm "$1" | awk 'NR == 2 {print $4 " MB free on disk"}'), drawing devices: $(ls /dev/dri 2>/dev/null | tr '\n' ' ' || true)"
awk '
  # Each test'"'"'s section: its name, its output, and whether it failed.
  /^[0-9]+\/[0-9]+ Test: / { name = substr($0, index($0, "Test: ") + 6); n = 0; next }
  /^Output:$/ { collecting = 1; next }
  /^<end of output>$|^Test time = / { collecting = 0; next }
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
    }
    n = 0
  }
' "$log"
