# The mode, magnitude and display-option commands against the real Scene,
# without a display.
uvola_test(command_mode_test SOURCES command_mode_test.cpp LIBS uvola_command)
uvola_test(command_display_test SOURCES command_display_test.cpp LIBS uvola_command)
