# The port as uvola serves it, without the main window.
add_executable(command_port_probe "${CMAKE_CURRENT_LIST_DIR}/port_probe.cpp")
target_link_libraries(command_port_probe PRIVATE uvola_command)
uvola_e2e_test(command_port_probe_e2e SCRIPT command_port_e2e.py PROGRAM command_port_probe)

# The same transcripts against the program itself.
uvola_e2e_test(command_port_e2e SCRIPT command_port_e2e.py PROGRAM uvola)
uvola_e2e_test(command_port_question_e2e SCRIPT command_port_question_e2e.py PROGRAM uvola)

# The examples of the README and the command reference, sent as their
# reader would send them.
uvola_e2e_test(docs_e2e SCRIPT docs_e2e.py PROGRAM uvola
               ARGS "${PROJECT_SOURCE_DIR}/README.md" "${PROJECT_SOURCE_DIR}/doc/commands.md")

# make run with no DISPLAY: the run script starts its own X server.
add_test(NAME run_script_e2e
         COMMAND "${UVOLA_TEST_ENV}" --
                 /usr/bin/python3 "${UVOLA_E2E_DIR}/run_script_e2e.py"
                 "${PROJECT_SOURCE_DIR}" "${CMAKE_BINARY_DIR}")
set_tests_properties(run_script_e2e PROPERTIES TIMEOUT 300 LABELS "gui;e2e"
                     ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)

# What the program tells a port client: replies, never boxes.
uvola_e2e_test(quiet_port_e2e SCRIPT quiet_port_e2e.py PROGRAM uvola)
# Windows beyond the screen and view centres beyond the scroll bars' range.
uvola_e2e_test(window_limits_e2e SCRIPT window_limits_e2e.py PROGRAM uvola)
