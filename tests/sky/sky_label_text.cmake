uvola_gui_test(sky_label_text_test SOURCES sky_label_text_test.cpp LIBS uvola_sky X11::X11)
# The degree sign of the grid labels and the status line in the C, C.UTF-8
# and a Latin-1 locale.
uvola_gui_test(sky_label_locales_test SOURCES sky_label_locales_test.cpp LIBS uvola_sky Uvola::Motif)
