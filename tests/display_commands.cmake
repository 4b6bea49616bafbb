# The mode, magnitude and display-option commands against the real Scene,
# without a display.
uvola_test(command_mode_test SOURCES command_mode_test.cpp LIBS uvola_command)
uvola_test(command_display_test SOURCES command_display_test.cpp LIBS uvola_command)

# Picking on scenes set up as a redraw sets them up, without a display.
uvola_test(sky_picking_test SOURCES sky_picking_test.cpp LIBS uvola_sky)

# The commands and every fixed command text of the program sent to it
# through its command port, with the session harness of tests/e2e.
add_test(NAME display_e2e
         COMMAND "${UVOLA_TEST_ENV}" --xvfb --
                 /usr/bin/python3 "${CMAKE_CURRENT_SOURCE_DIR}/e2e/display_e2e.py"
                 $<TARGET_FILE:uvola>)
set_tests_properties(display_e2e PROPERTIES TIMEOUT 300 LABELS "gui;e2e"
                     ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)

# Every command text of the program through the interpreter on a real canvas.
uvola_gui_test(command_texts_test SOURCES command_texts_test.cpp LIBS uvola_command Uvola::Motif)
target_compile_definitions(command_texts_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
