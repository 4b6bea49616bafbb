# The canvas and redraw road, the palette and the sky ramps (also on an
# 8-bit PseudoColor server, where the ramp cells are writable), the font
# sets.
uvola_gui_test(sky_canvas_test SOURCES sky_canvas_test.cpp LIBS uvola_sky Uvola::Motif)
uvola_gui_test(sky_colors_test DEPTH8 SOURCES sky_colors_test.cpp LIBS uvola_sky Uvola::Motif)
uvola_gui_test(sky_fonts_test SOURCES sky_fonts_test.cpp LIBS uvola_sky Uvola::Motif)
# One state, one picture: a second DRIVE draws the chart byte for byte as
# the first, with every layer shown; on a TrueColor server and on an 8-bit
# PseudoColor one, where the bitmap symbols are stippled instead.
uvola_e2e_test(one_picture_e2e SCRIPT one_picture_e2e.py PROGRAM uvola ARGS "${PROJECT_SOURCE_DIR}/data")
add_test(NAME one_picture_depth8_e2e
         COMMAND "${UVOLA_TEST_ENV}" --depth8 --
                 /usr/bin/python3 "${UVOLA_E2E_DIR}/one_picture_e2e.py" $<TARGET_FILE:uvola> "${PROJECT_SOURCE_DIR}/data")
set_tests_properties(one_picture_depth8_e2e PROPERTIES TIMEOUT 300 LABELS "gui;e2e"
                     ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)
