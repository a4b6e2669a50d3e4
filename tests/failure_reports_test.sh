#!/usr/bin/env bash
# Checks what a stopped test run reports, on throwaway programs in a temporary folder. The X11 loop
# (platform_x11_loop.sh, one lane of it run directly, without a display) for a failed test, a failed parameterised
# test, a crash, a hang and a kill from outside; and the failure digest of a ctest run with a failed and a timed-out
# test (scripts/run_ctest.sh, scripts/failure_digest.sh), which must tell the same each time it is printed, also
# after another ctest in the folder. A failure seen once in many runs of CI is known by these reports alone.
#   failure_reports_test.sh
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

# same <what> <file>: the file holds exactly the text given on standard input, or the difference is shown.
same() {
  if ! diff -u - "$work/$2" >"$work/difference"; then
    echo "FAIL: $1 (- expected, + reported):"
    cat "$work/difference"
    failures=$((failures + 1))
  fi
}

# stop <program> <ending>: a test program that prints the GoogleTest output given on standard input and then runs
# the shell command <ending>, run once by the loop; what the loop printed is left in <program>.report. The loop's
# standard error is shown only with a wrong status: bash notes there each run whose timeout died of a signal.
stop() {
  cat >"$work/$1.out"
  printf '#!/usr/bin/env bash\ncat %q\n%s\n' "$work/$1.out" "$2" >"$work/$1"
  chmod +x "$work/$1"
  local status=0
  KORVANE_X11_LANE=1 KORVANE_X11_TIME_LIMIT=2 "$top/tests/platform_x11_loop.sh" 1 "$work/$1" \
    >"$work/$1.report" 2>"$work/$1.errors" || status=$?
  if [ "$status" -ne 1 ]; then
    echo "FAIL: the loop ended with status $status after $1 stopped:"
    cat "$work/$1.errors"
    failures=$((failures + 1))
  fi
  # timeout quotes the program's name as its version and locale do.
  sed -i 's/^\(timeout: sending signal TERM to command \).*/\1(the program)/' "$work/$1.report"
}

stop fails 'exit 1' <<'EOF'
[==========] Running 2 tests from 1 test suite.
[ RUN      ] Window.Opens
[       OK ] Window.Opens (3 ms)
[ RUN      ] Window.TakesFocus
tests/platform/WindowTest.cpp:40: Failure
Value of: window.HasFocus()
  Actual: false
Expected: true
[  FAILED  ] Window.TakesFocus (5 ms)
[==========] 2 tests from 1 test suite ran. (8 ms total)
[  PASSED  ] 1 test.
[  FAILED  ] 1 test, listed below:
[  FAILED  ] Window.TakesFocus
EOF
same "a failed test, with its output" fails.report <<'EOF'
FAIL: lane 1, run 1 of 1: fails failed with status 1
[ RUN      ] Window.TakesFocus
tests/platform/WindowTest.cpp:40: Failure
Value of: window.HasFocus()
  Actual: false
Expected: true
[  FAILED  ] Window.TakesFocus (5 ms)
EOF

stop fails_parameterised 'exit 1' <<'EOF'
[==========] Running 2 tests from 1 test suite.
[ RUN      ] Sizes/Fit.KeepsShape/0
[       OK ] Sizes/Fit.KeepsShape/0 (0 ms)
[ RUN      ] Sizes/Fit.KeepsShape/1
tests/platform/FitTest.cpp:12: Failure
Expected equality of these values:
  Fit(GetParam())
    Which is: 3
  2
[  FAILED  ] Sizes/Fit.KeepsShape/1, where GetParam() = 3 (0 ms)
[==========] 2 tests from 1 test suite ran. (0 ms total)
[  PASSED  ] 1 test.
[  FAILED  ] 1 test, listed below:
[  FAILED  ] Sizes/Fit.KeepsShape/1, where GetParam() = 3
EOF
same "a failed parameterised test, with its output" fails_parameterised.report <<'EOF'
FAIL: lane 1, run 1 of 1: fails_parameterised failed with status 1
[ RUN      ] Sizes/Fit.KeepsShape/1
tests/platform/FitTest.cpp:12: Failure
Expected equality of these values:
  Fit(GetParam())
    Which is: 3
  2
[  FAILED  ] Sizes/Fit.KeepsShape/1, where GetParam() = 3 (0 ms)
EOF

# The status of a run that aborts (128 + SIGABRT), without the signal itself, after which timeout would say whether
# the program left a core dump: that differs between machines.
stop crashes 'exit 134' <<'EOF'
[==========] Running 3 tests from 1 test suite.
[ RUN      ] Device.Opens
tests/platform/SdlDeviceTest.cpp:21: Failure
Value of: device.Open()
  Actual: false
Expected: true
[  FAILED  ] Device.Opens (1 ms)
[ RUN      ] Device.ReadsPointer
test_platform: platform/SdlDevice.cpp:88: void SdlDevice::ReadPointer(): Assertion `display' failed.
EOF
same "a crash, naming the test it stopped in" crashes.report < <(
  cat <<'EOF'
FAIL: lane 1, run 1 of 1: crashes failed with status 134
[ RUN      ] Device.Opens
tests/platform/SdlDeviceTest.cpp:21: Failure
Value of: device.Open()
  Actual: false
Expected: true
[  FAILED  ] Device.Opens (1 ms)
The run stopped in Device.ReadsPointer, which never ended; the end of its output:
EOF
  cat "$work/crashes.out"
)

# A program that catches the termination signal, as SDL does, is killed: here at once, by itself, with the status
# it would have after timeout killed it 10 s later.
stop hangs "trap 'kill -KILL \$\$' TERM; sleep 30 & wait" <<'EOF'
[==========] Running 2 tests from 1 test suite.
[ RUN      ] Window.Opens
[       OK ] Window.Opens (3 ms)
[ RUN      ] Window.WaitsForFocus
EOF
same "a hang, naming the test it stopped in" hangs.report < <(
  cat <<'EOF'
FAIL: lane 1, run 1 of 1: hangs hung, past its limit of 2 s
The run stopped in Window.WaitsForFocus, which never ended; the end of its output:
EOF
  cat "$work/hangs.out"
  echo "timeout: sending signal TERM to command (the program)"
)

# Killed as the out-of-memory killer kills, well before the limit.
stop runs_out_of_memory "kill -KILL \$\$" <<'EOF'
[==========] Running 2 tests from 1 test suite.
[ RUN      ] Window.Opens
[       OK ] Window.Opens (3 ms)
[ RUN      ] Window.OpensManyContexts
EOF
same "a kill from outside, not taken for a hang" runs_out_of_memory.report < <(
  cat <<'EOF'
FAIL: lane 1, run 1 of 1: runs_out_of_memory killed by a KILL signal before its limit of 2 s
The run stopped in Window.OpensManyContexts, which never ended; the end of its output:
EOF
  cat "$work/runs_out_of_memory.out"
)

# A ctest folder of a failed test, a passed one and one past its limit.
suite="$work/suite"
mkdir "$suite"
cat >"$suite/fails.sh" <<'EOF'
#!/bin/sh
cat <<'OUTPUT'
[ RUN      ] Probe.Answers
tests/probe/ProbeTest.cpp:7: Failure
Expected equality of these values:
  Answer()
    Which is: 41
  42
[  FAILED  ] Probe.Answers (0 ms)
OUTPUT
exit 1
EOF
printf '#!/bin/sh\necho "waiting for the window"\nexec sleep 30\n' >"$suite/hangs.sh"
chmod +x "$suite/fails.sh" "$suite/hangs.sh"
cat >"$suite/CTestTestfile.cmake" <<EOF
add_test(probe.fails "$suite/fails.sh")
add_test(probe.passes "true")
add_test(probe.hangs "$suite/hangs.sh")
set_tests_properties(probe.hangs PROPERTIES TIMEOUT 2)
EOF

# digest <name>: the digest in <name>, from its heading on, without what the machine is and with the tests' times
# left out, against the run's failures.
digest() {
  sed -i -n -e '/^machine: /d' -e 's/ after [0-9.]* s,/ after (a time),/' \
    -e '/^== Why the failed tests failed ==$/,$p' "$work/$1"
  same "the digest $2" "$1" <<'EOF'
== Why the failed tests failed ==
-- probe.fails
   tests/probe/ProbeTest.cpp:7: Failure
   Expected equality of these values:
     Answer()
       Which is: 41
     42
   [  FAILED  ] Probe.Answers (0 ms)
-- probe.hangs
   waiting for the window
== How the failed tests ended ==
   probe.fails: Failed after (a time), its limit 60 s
   probe.hangs: Timeout after (a time), its limit 2 s
EOF
}
status=0
"$top/scripts/run_ctest.sh" "$suite" --output-on-failure --timeout 60 >"$work/run" 2>&1 || status=$?
if [ "$status" -ne 8 ]; then
  echo "FAIL: run_ctest.sh ended with status $status, not ctest's 8 for failed tests"
  failures=$((failures + 1))
fi
digest run "printed after the run"
"$top/scripts/failure_digest.sh" "$suite" >"$work/again"
digest again "printed again"
"$top/scripts/failure_digest.sh" "$suite" >"$work/third"
digest third "printed a third time"
(cd "$suite" && ctest -N >/dev/null)
"$top/scripts/failure_digest.sh" "$suite" >"$work/listed"
digest listed "printed after a listing of the tests"

[ "$failures" -eq 0 ] || exit 1
echo "The loop's and the digest's reports tell every failure"
