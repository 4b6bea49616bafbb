uvola_gui_test(sky_label_text_test SOURCES sky_label_text_test.cpp LIBS uvola_sky X11::X11)
