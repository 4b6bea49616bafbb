# Script files: the writer's statements, the reader, STL's runner, states
# saved and read back, and saves that fail, without a display.
uvola_test(command_script_test SOURCES command_script_test.cpp LIBS uvola_command)
target_compile_definitions(command_script_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")

# States saved, read back by STL and drawn again on a real canvas under Xvfb:
# the same GSAVE image byte for byte.
uvola_gui_test(command_script_gui_test SOURCES command_script_gui_test.cpp LIBS uvola_command Uvola::Motif)
target_compile_definitions(command_script_gui_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")

# STL against the statements sent as one request, scripts at start-up and
# "-q", and the error replies of bad files, through the command port.
uvola_e2e_test(script_e2e SCRIPT script_e2e.py PROGRAM uvola)

# Two instances saving one image path at once over their ports: every read
# of it is a whole image, and no save fails.
uvola_e2e_test(two_writers_e2e SCRIPT two_writers_e2e.py PROGRAM uvola)
