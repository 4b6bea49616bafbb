# The whole-sky maps' backgrounds and masks drawn on Xvfb.
uvola_gui_test(sky_masks_test SOURCES sky_masks_test.cpp LIBS uvola_sky X11::X11)
