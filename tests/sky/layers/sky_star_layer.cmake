# The bright-star layer drawn on Xvfb and read back.
uvola_gui_test(sky_catalog_star_layer_test SOURCES sky_catalog_star_layer_test.cpp LIBS uvola_sky Uvola::Motif)
