# The time and place commands against the real Scene, without a display.
# ERFA (Julian days) and libnova (the Sun's altitude) are oracles here only.
uvola_test(command_time_test
           SOURCES command_time_test.cpp
           LIBS uvola_command ${ERFA_LIBRARY} ${NOVA_LIBRARY})

# DATE, LOCATE, STIME and DRIVE sent to the running program through its
# command port, with the session harness of tests/e2e.
uvola_e2e_test(command_time_e2e SCRIPT test_time_commands.py PROGRAM uvola)
