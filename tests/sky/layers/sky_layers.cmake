# Constellation, Milky Way and nebula layers drawn on Xvfb and read back; on
# an 8-bit PseudoColor server the nebula symbols are stippled instead of
# copied.
uvola_gui_test(sky_constellation_test SOURCES sky_constellation_test.cpp LIBS uvola_sky Uvola::Motif)
uvola_gui_test(sky_nebula_test DEPTH8 SOURCES sky_nebula_test.cpp LIBS uvola_sky Uvola::Motif)
uvola_gui_test(sky_constellation_chart_test SOURCES sky_constellation_chart_test.cpp LIBS uvola_sky Uvola::Motif)
