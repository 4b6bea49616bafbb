#!/bin/sh
# Builds the fuzz targets with clang, AddressSanitizer and UBSan in a build
# directory of its own, and runs each on a copy of its corpus (the fuzzer
# adds what it finds to the copy, never to the committed corpus):
#   fuzz_execute_text     command text         tests/fuzz/corpus
#   fuzz_element_records  element files        tests/fuzz/element_corpus
#   fuzz_dialog_fields    typed dialog fields  tests/fuzz/dialog_corpus
#   scripts/run-fuzz.sh [BUILD_DIR [SECONDS PER TARGET]]
# Fails when the build fails or a fuzzer finds a crash, a leak or undefined
# behaviour; the input that did it is left in BUILD_DIR.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-fuzz}
seconds=${2:-60}
targets="fuzz_execute_text:corpus fuzz_element_records:element_corpus fuzz_dialog_fields:dialog_corpus"

cmake -S "$root" -B "$build" -DUVOLA_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
for entry in $targets; do
    cmake --build "$build" -j "$(nproc)" --target "${entry%%:*}" >/dev/null
done

for entry in $targets; do
    target=${entry%%:*}
    corpus=$(mktemp -d "${TMPDIR:-/tmp}/uvola-fuzz.XXXXXX")
    cp "$root"/tests/fuzz/"${entry#*:}"/* "$corpus"/
    # The private home and C locale of the tests, so that no handler can
    # reach the real ~/.uvola.
    status=0
    "$root/tests/harness/uvola-test-env" -- \
        "$build/tests/fuzz/$target" -max_total_time="$seconds" \
        -artifact_prefix="$build/$target-" -print_final_stats=1 "$corpus" || status=$?
    rm -rf "$corpus"
    [ "$status" -eq 0 ] || exit "$status"
done
