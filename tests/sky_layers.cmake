# Constellation, Milky Way and nebula layers drawn on Xvfb and read back.
uvola_gui_test(sky_constellation_test SOURCES sky_constellation_test.cpp LIBS uvola_sky Uvola::Motif)
