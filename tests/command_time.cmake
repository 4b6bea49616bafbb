# The time and place commands against the real Scene, without a display.
# ERFA (Julian days) and libnova (the Sun's altitude) are oracles here only.
uvola_test(command_time_test
           SOURCES command_time_test.cpp
           LIBS uvola_command ${ERFA_LIBRARY} ${NOVA_LIBRARY})

# DATE, LOCATE, STIME and DRIVE sent to the running program through its
# command port, with the session harness of tests/e2e.
add_test(NAME command_time_e2e
         COMMAND "${UVOLA_TEST_ENV}" --xvfb --
                 /usr/bin/python3 "${CMAKE_CURRENT_SOURCE_DIR}/e2e/test_time_commands.py"
                 $<TARGET_FILE:uvola>)
set_tests_properties(command_time_e2e PROPERTIES TIMEOUT 300 LABELS "gui;e2e"
                     ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)
