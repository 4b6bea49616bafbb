#!/bin/sh
# Builds the fuzz targets with clang, AddressSanitizer and UBSan in a build
# directory of its own, and runs each on a copy of its corpus (the fuzzer
# adds what it finds to the copy, never to the committed corpus):
#   fuzz_execute_text     command text         tests/fuzz/corpus
#   fuzz_element_records  element files        tests/fuzz/element_corpus
#   fuzz_dialog_fields    typed dialog fields  tests/fuzz/dialog_corpus
#   fuzz_sao_star_file    SAO star file zones  tests/fuzz/sao_corpus
#   fuzz_gsc_region_file  GSC region files     tests/fuzz/gsc_corpus
#   fuzz_stl_script       script files (STL)   tests/fuzz/script_corpus
#   fuzz_history_reader   command history      tests/fuzz/history_corpus
#   scripts/run-fuzz.sh [BUILD_DIR [SECONDS PER TARGET]]
# Fails when the build fails or a fuzzer finds a crash, a leak or undefined
# behaviour; the input that did it is left in BUILD_DIR.
# The build and each run print one line every ten seconds, so a long quiet
# step is seen to be alive; their whole output goes to BUILD_DIR/*.log.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-fuzz}
seconds=${2:-60}
targets="fuzz_execute_text:corpus fuzz_element_records:element_corpus fuzz_dialog_fields:dialog_corpus
         fuzz_sao_star_file:sao_corpus fuzz_gsc_region_file:gsc_corpus
         fuzz_stl_script:script_corpus fuzz_history_reader:history_corpus"
mkdir -p "$build"

# The newest line of a log that says how far it got: libFuzzer's last status
# line ("#N ... cov: ..."; the target's own messages come between them), or
# for a build its last line.
progress_of() {
    line=$(grep -a '^#[0-9]' "$1" | tail -n 1)
    [ -n "$line" ] || line=$(tail -n 1 "$1")
    printf '%s\n' "$line" | cut -c1-100
}

# Runs a command with its output in a log, printing LABEL, the seconds so far
# and how far it got every ten seconds; on failure the log's end.
with_progress() {
    label=$1
    log=$2
    shift 2
    "$@" >"$log" 2>&1 &
    pid=$!
    elapsed=0
    while kill -0 "$pid" 2>/dev/null; do
        sleep 1
        elapsed=$((elapsed + 1))
        if [ $((elapsed % 10)) -eq 0 ] && kill -0 "$pid" 2>/dev/null; then
            echo "$label: ${elapsed} s: $(progress_of "$log")"
        fi
    done
    status=0
    wait "$pid" || status=$?
    if [ "$status" -ne 0 ]; then
        tail -n 60 "$log"
        echo "$label failed (status $status); the whole output is in $log"
    fi
    return "$status"
}

with_progress "fuzz build" "$build/build.log" sh -c '
    root=$1 build=$2
    shift 2
    cmake -S "$root" -B "$build" -DUVOLA_FUZZ=ON \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
    for entry in "$@"; do
        cmake --build "$build" -j "$(nproc)" --target "${entry%%:*}" || exit 1
    done' sh "$root" "$build" $targets

for entry in $targets; do
    target=${entry%%:*}
    corpus=$(mktemp -d "${TMPDIR:-/tmp}/uvola-fuzz.XXXXXX")
    cp "$root"/tests/fuzz/"${entry#*:}"/* "$corpus"/
    # The private home and C locale of the tests, so that no handler can
    # reach the real ~/.uvola.
    status=0
    with_progress "$target for $seconds s" "$build/$target.log" \
        "$root/tests/harness/uvola-test-env" -- \
        "$build/tests/fuzz/$target" -max_total_time="$seconds" \
        -artifact_prefix="$build/$target-" -print_final_stats=1 "$corpus" || status=$?
    rm -rf "$corpus"
    [ "$status" -eq 0 ] || exit "$status"
    grep -E "^(Done|stat::number_of_executed_units|stat::peak_rss_mb)" "$build/$target.log" || true
done
