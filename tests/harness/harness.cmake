uvola_gui_test(harness_test SOURCES harness_test.cpp LIBS X11::X11)
