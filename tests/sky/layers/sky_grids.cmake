# Coordinate grids, their numbers, the ground and the compass letters: the
# geometry and texts without a display, the drawn layers on Xvfb.
uvola_test(sky_grids_test SOURCES sky_grids_test.cpp LIBS uvola_sky)
uvola_gui_test(sky_grids_draw_test SOURCES sky_grids_draw_test.cpp LIBS uvola_sky Uvola::Motif ${ERFA_LIBRARY})
