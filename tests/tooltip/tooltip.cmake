# The tip shell on its own, on a private X server.
uvola_gui_test(tip_shell_test SOURCES tip_shell_test.cpp LIBS uvola_tooltip uvola_core)
