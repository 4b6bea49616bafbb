# The mode, magnitude and display-option commands against the real Scene,
# without a display.
uvola_test(command_mode_test SOURCES command_mode_test.cpp LIBS uvola_command)
target_compile_definitions(command_mode_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
uvola_test(command_display_test SOURCES command_display_test.cpp LIBS uvola_command)
# LOAD and UNLOAD of user-object files and click data, and INIT releasing them.
uvola_test(command_data_files_test SOURCES command_data_files_test.cpp LIBS uvola_command)

# The commands and every fixed command text of the program sent to it
# through its command port, with the session harness of tests/e2e.
uvola_e2e_test(display_e2e SCRIPT display_e2e.py PROGRAM uvola)

# Every command text of the program through the interpreter on a real canvas.
uvola_gui_test(command_texts_test SOURCES command_texts_test.cpp LIBS uvola_command Uvola::Motif)
target_compile_definitions(command_texts_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
