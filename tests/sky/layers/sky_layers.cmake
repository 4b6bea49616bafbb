# Constellation, Milky Way and nebula layers drawn on Xvfb and read back; on
# an 8-bit PseudoColor server the nebula symbols are stippled instead of
# copied.
uvola_gui_test(sky_constellation_test SOURCES sky_constellation_test.cpp LIBS uvola_sky Uvola::Motif)
uvola_gui_test(sky_nebula_test DEPTH8 SOURCES sky_nebula_test.cpp LIBS uvola_sky Uvola::Motif)
uvola_gui_test(sky_constellation_chart_test SOURCES sky_constellation_chart_test.cpp LIBS uvola_sky Uvola::Motif)
# User objects, sky marks and picture marks; the marks are stippled on the
# 8-bit server and copied with GXor on the other.
uvola_gui_test(sky_user_object_layer_test SOURCES sky_user_object_layer_test.cpp LIBS uvola_sky Uvola::Motif)
add_test(NAME sky_user_object_layer_depth8_test
         COMMAND "${UVOLA_TEST_ENV}" --xvfb --depth8 -- $<TARGET_FILE:sky_user_object_layer_test>)
set_tests_properties(sky_user_object_layer_depth8_test PROPERTIES TIMEOUT 300 LABELS gui)
