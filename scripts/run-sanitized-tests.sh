#!/bin/sh
# Builds the named test programs with AddressSanitizer and UBSan in a build
# directory of their own and runs them through the test environment; any
# sanitizer report fails the run.
#   scripts/run-sanitized-tests.sh BUILD_DIR TEST...
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=$1
shift

cmake -S "$root" -B "$build" -DUVOLA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target "$@" >/dev/null

export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
status=0
for test in "$@"; do
    # Every program gets a display: some of them draw.
    "$root/tests/harness/uvola-test-env" --xvfb -- "$build/tests/$test" --gtest_brief=1 || status=1
done
exit $status
