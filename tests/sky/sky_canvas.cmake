# The canvas and redraw road, the palette and the sky ramps, the font sets.
uvola_gui_test(sky_canvas_test SOURCES sky_canvas_test.cpp LIBS uvola_sky Uvola::Motif)
uvola_gui_test(sky_colors_test SOURCES sky_colors_test.cpp LIBS uvola_sky Uvola::Motif)
# The same program on an 8-bit PseudoColor server, where the ramp cells
# are writable.
add_test(NAME sky_colors_depth8_test
         COMMAND "${UVOLA_TEST_ENV}" --xvfb --depth8 -- $<TARGET_FILE:sky_colors_test>)
set_tests_properties(sky_colors_depth8_test PROPERTIES TIMEOUT 300 LABELS gui)
uvola_gui_test(sky_fonts_test SOURCES sky_fonts_test.cpp LIBS uvola_sky Uvola::Motif)
