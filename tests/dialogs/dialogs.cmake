# The dialog kit: its plain halves without X, and a sample dialog built from
# it and driven in-process on a private X server.
uvola_test(dialogs_kit_test SOURCES dialogs_kit_test.cpp LIBS uvola_dialogs)
uvola_gui_test(dialogs_gui_test SOURCES dialogs_gui_test.cpp LIBS uvola_dialogs)
# The command dialog and its history file.
uvola_gui_test(command_dialog_test SOURCES command_dialog_test.cpp LIBS uvola_dialogs)
