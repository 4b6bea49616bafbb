uvola_test(command_test SOURCES command_test.cpp LIBS uvola_command)
uvola_gui_test(command_gui_test SOURCES command_gui_test.cpp LIBS uvola_command)

# The interpreter under libFuzzer for a minute, built with clang and the
# sanitizers in a build directory of its own.
add_test(NAME command_fuzz
         COMMAND "${PROJECT_SOURCE_DIR}/scripts/run-fuzz.sh" "${CMAKE_BINARY_DIR}/fuzz-build" 30)
set_tests_properties(command_fuzz PROPERTIES TIMEOUT 900 LABELS fuzz)
