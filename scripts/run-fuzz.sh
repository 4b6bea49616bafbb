#!/bin/sh
# Builds the command-language fuzz target with clang, AddressSanitizer and
# UBSan in a build directory of its own, and runs it on a copy of the corpus
# (the fuzzer adds what it finds to the copy, never to the committed corpus).
#   scripts/run-fuzz.sh [BUILD_DIR [SECONDS]]
# Fails when the build fails or the fuzzer finds a crash, a leak or
# undefined behaviour; the input that did it is left in BUILD_DIR.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-fuzz}
seconds=${2:-60}

cmake -S "$root" -B "$build" -DUVOLA_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_execute_text >/dev/null

corpus=$(mktemp -d "${TMPDIR:-/tmp}/uvola-fuzz.XXXXXX")
trap 'rm -rf "$corpus"' EXIT
cp "$root"/tests/fuzz/corpus/* "$corpus"/

# The private home and C locale of the tests, so that no handler can reach
# the real ~/.uvola.
"$root/tests/harness/uvola-test-env" -- \
    "$build/tests/fuzz/fuzz_execute_text" -max_total_time="$seconds" \
    -artifact_prefix="$build/" -print_final_stats=1 "$corpus"
