# The dialog kit: its plain halves without X, and a sample dialog built from
# it and driven in-process on a private X server.
uvola_test(dialogs_kit_test SOURCES kit_test.cpp LIBS uvola_dialogs)
uvola_gui_test(dialogs_kit_gui_test SOURCES kit_gui_test.cpp LIBS uvola_dialogs)
