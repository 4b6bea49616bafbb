uvola_test(command_test SOURCES command_test.cpp LIBS uvola_command)
uvola_gui_test(command_gui_test SOURCES command_gui_test.cpp LIBS uvola_command)
