# Picking on scenes set up as a redraw sets them up, without a display.
uvola_test(sky_picking_test SOURCES sky_picking_test.cpp LIBS uvola_sky)
