# Pixels worked out from the TrueColor masks against the server's at 24 and
# 16 bits, and the ramp's writable cells on an 8-bit PseudoColor server.
uvola_gui_test(sky_true_color_test DEPTH8 SOURCES sky_true_color_test.cpp
               LIBS uvola_sky uvola_x_request_log Uvola::Motif)
add_test(NAME sky_true_color_depth16_test
         COMMAND "${UVOLA_TEST_ENV}" --depth16 -- $<TARGET_FILE:sky_true_color_test>)
set_tests_properties(sky_true_color_depth16_test PROPERTIES TIMEOUT 300 LABELS gui)

# Charts saved with GSAVE with the redraw's short cuts and without, compared
# byte for byte; the requests they send; no exposure events left behind.
# On a TrueColor and on an 8-bit PseudoColor server.
uvola_gui_test(sky_redraw_shortcuts_test DEPTH8 SOURCES sky_redraw_shortcuts_test.cpp
               LIBS uvola_command uvola_x_request_log Uvola::Motif)

# Labels that skip the cutting into runs against the font set's own drawing.
uvola_gui_test(sky_label_fast_path_test SOURCES sky_label_fast_path_test.cpp LIBS uvola_sky Uvola::Motif)

# Font sets named alike made once and shared.
uvola_gui_test(sky_font_set_sharing_test SOURCES sky_font_set_sharing_test.cpp LIBS uvola_sky Uvola::Motif)
