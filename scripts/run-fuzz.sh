#!/bin/sh
# Builds the libFuzzer targets of tests/fuzz with clang, AddressSanitizer and
# UBSan in a build directory of their own, and runs each on a copy of its
# corpus (the fuzzer adds what it finds to the copy, never to the committed
# corpus). The interpreter's target gets a dictionary of every command word
# and keyword, printed by print_command_tables from the program's own tables.
#   scripts/run-fuzz.sh [BUILD_DIR [SECONDS_PER_TARGET [TOTAL_SECONDS]]]
# Each target runs SECONDS_PER_TARGET (30), less when the targets together
# would run longer than TOTAL_SECONDS (300). Fails when the build fails or a
# fuzzer finds a crash, a leak, a hang or undefined behaviour; the input that
# did it is left in BUILD_DIR, named after its target.
# The build and each run print one line every ten seconds, so a long quiet
# step is seen to be alive; their whole output goes to BUILD_DIR/*.log.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-fuzz}
per_target=${2:-30}
total=${3:-300}

# target               corpus (in tests/fuzz)   dictionary
targets="
fuzz_execute_text      corpus                   commands
fuzz_options_file      options_corpus           -
fuzz_site_list         site_list_corpus         -
fuzz_name_file         name_file_corpus         -
fuzz_element_records   element_corpus           -
fuzz_dialog_fields     dialog_corpus            -
fuzz_sao_star_file     sao_corpus               -
fuzz_gsc_region_file   gsc_corpus               -
fuzz_stl_script        script_corpus            commands
fuzz_history_reader    history_corpus           -
fuzz_site_dialog_file  site_dialog_corpus       -
fuzz_jpeg_loader       jpeg_corpus              -
fuzz_user_files        user_files_corpus        -
"

count=$(echo "$targets" | grep -c .)
seconds=$per_target
[ $((seconds * count)) -le "$total" ] || seconds=$((total / count))
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

# shellcheck disable=SC2046
with_progress "fuzz build" "$build/build.log" sh -c '
    root=$1 build=$2
    shift 2
    cmake -S "$root" -B "$build" -DUVOLA_FUZZ=ON \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
    cmake --build "$build" -j "$(nproc)" --target print_command_tables "$@"' \
    sh "$root" "$build" $(echo "$targets" | awk 'NF { print $1 }')

work=$(mktemp -d "${TMPDIR:-/tmp}/uvola-fuzz.XXXXXX")
# The file readers' targets write every input to a file (and the options
# writer syncs it): in memory when the machine has a tmpfs for it.
files=$(mktemp -d /dev/shm/uvola-fuzz.XXXXXX 2>/dev/null || mktemp -d "$work/files.XXXXXX")
trap 'rm -rf "$work" "$files"' EXIT
"$build/tools/print_command_tables" --dictionary >"$work/commands.dict"

echo "$targets" | while read -r target corpus dictionary; do
    [ -n "$target" ] || continue
    mkdir -p "$work/$target"
    cp "$root/tests/fuzz/$corpus"/* "$work/$target/"
    dict=""
    [ "$dictionary" = "-" ] || dict="-dict=$work/$dictionary.dict"
    # The private home and C locale of the tests, so that no reader or
    # handler can reach the real ~/.uvola; TMPDIR for the targets' files.
    # shellcheck disable=SC2086
    with_progress "$target for $seconds s" "$build/$target.log" \
        env TMPDIR="$files" "$root/tests/harness/uvola-test-env" -- \
        "$build/tests/fuzz/$target" -max_total_time="$seconds" \
        -artifact_prefix="$build/$target-" -print_final_stats=1 $dict "$work/$target" || exit 1
    # The last status line gives the runs, the edges covered (cov) and the
    # features (ft) reached.
    echo "$target: $(grep -a -E '^#[0-9]+' "$build/$target.log" | tail -n 1)"
done
