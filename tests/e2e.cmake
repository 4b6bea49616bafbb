# End-to-end tests: a Python script of tests/e2e drives a running program
# through its command port, in a private home and under a private X server.
#
# uvola_e2e_test(NAME SCRIPT script.py PROGRAM target): runs
# "python3 tests/e2e/script.py <path of target>".
function(uvola_e2e_test name)
  cmake_parse_arguments(ARG "" "SCRIPT;PROGRAM" "" ${ARGN})
  add_test(NAME ${name}
           COMMAND "${UVOLA_TEST_ENV}" --xvfb --
                   /usr/bin/python3 "${CMAKE_CURRENT_SOURCE_DIR}/e2e/${ARG_SCRIPT}"
                   $<TARGET_FILE:${ARG_PROGRAM}>)
  set_tests_properties(${name} PROPERTIES TIMEOUT 300 LABELS "gui;e2e"
                       ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)
endfunction()

# The port as uvola serves it, without the main window.
add_executable(command_port_probe e2e/port_probe.cpp)
target_link_libraries(command_port_probe PRIVATE uvola_command)
uvola_e2e_test(command_port_probe_e2e SCRIPT command_port_e2e.py PROGRAM command_port_probe)

# The same transcripts against the program itself.
uvola_e2e_test(command_port_e2e SCRIPT command_port_e2e.py PROGRAM uvola)
uvola_e2e_test(command_port_question_e2e SCRIPT command_port_question_e2e.py PROGRAM uvola)
