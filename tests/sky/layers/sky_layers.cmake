# Constellation, Milky Way and nebula layers drawn on Xvfb and read back.
uvola_gui_test(sky_constellation_test SOURCES sky_constellation_test.cpp LIBS uvola_sky Uvola::Motif)
uvola_gui_test(sky_nebula_test SOURCES sky_nebula_test.cpp LIBS uvola_sky Uvola::Motif)
# On an 8-bit PseudoColor server the visual has writable cells and the
# symbols are stippled instead of copied.
add_test(NAME sky_nebula_depth8_test
         COMMAND "${UVOLA_TEST_ENV}" --xvfb --depth8 -- $<TARGET_FILE:sky_nebula_test>)
set_tests_properties(sky_nebula_depth8_test PROPERTIES TIMEOUT 300 LABELS gui)
uvola_gui_test(sky_constellation_chart_test SOURCES sky_constellation_chart_test.cpp LIBS uvola_sky Uvola::Motif)
