# Every libFuzzer target of tests/fuzz for about 30 s each, at most five
# minutes in all, built with clang and the sanitizers in a build directory of
# its own (scripts/run-fuzz.sh lists the targets, their corpora and
# dictionaries).
add_test(NAME fuzz_targets
         COMMAND "${PROJECT_SOURCE_DIR}/scripts/run-fuzz.sh" "${CMAKE_BINARY_DIR}/fuzz-build")
set_tests_properties(fuzz_targets PROPERTIES TIMEOUT 1200 LABELS fuzz)
