uvola_test(command_test SOURCES command_test.cpp LIBS uvola_command)
