# Targets, object positions, screen points and the view commands. ERFA is
# an oracle for precession here only.
uvola_test(sky_targets_test SOURCES sky_targets_test.cpp sky_targets_view_test.cpp
           LIBS uvola_sky ${ERFA_LIBRARY})

# The view commands through the interpreter, without a display.
uvola_test(command_view_test SOURCES command_view_test.cpp LIBS uvola_command)

# BLINK, LOOK and TRACK on a real canvas under Xvfb.
uvola_gui_test(command_view_gui_test SOURCES command_view_gui_test.cpp
               LIBS uvola_command Uvola::Motif)

# MODE, LOOK, VIEW, ZOOM, TRACK, BLINK and refused view commands sent to the
# running program through its command port, the chart read from GSAVE images.
add_test(NAME view_e2e
         COMMAND "${UVOLA_TEST_ENV}" --xvfb --
                 /usr/bin/python3 "${CMAKE_CURRENT_SOURCE_DIR}/e2e/view_e2e.py"
                 $<TARGET_FILE:uvola>)
set_tests_properties(view_e2e PROPERTIES TIMEOUT 300 LABELS "gui;e2e"
                     ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)
