# The command dialog and its history file.
uvola_gui_test(command_dialog_test SOURCES command_dialog_test.cpp LIBS uvola_dialogs)
# The date, time-step and site dialogs: their plain halves and the site
# file without X, and each dialog driven in-process on a private X server.
# The date dialog's rows follow the date style it is first shown with, so
# each style runs in a process of its own.
uvola_gui_test(time_step_dialog_test SOURCES time_step_dialog_test.cpp LIBS uvola_dialogs)
foreach(style 0 1 2)
  uvola_gui_test(date_dialog_style${style}_test SOURCES date_dialog_test.cpp LIBS uvola_dialogs)
  target_compile_definitions(date_dialog_style${style}_test PRIVATE DATE_STYLE=${style})
endforeach()
uvola_gui_test(site_dialogs_test SOURCES site_dialogs_test.cpp LIBS uvola_dialogs)
uvola_test(time_site_fields_test SOURCES time_site_fields_test.cpp LIBS uvola_dialogs)

# The projection, star, nebula, planet and toggle dialogs: their plain halves
# against the real interpreter, without X.
uvola_test(display_dialogs_fields_test SOURCES display_dialogs_fields_test.cpp LIBS uvola_dialogs)

# The same dialogs with real widgets under Xvfb, over a real Scene and canvas.
uvola_gui_test(display_dialogs_gui_test SOURCES display_dialogs_gui_test.cpp LIBS uvola_dialogs)
target_compile_definitions(display_dialogs_gui_test PRIVATE UVOLA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")

# The script and image file dialogs, with files written and read back.
uvola_gui_test(file_dialogs_gui_test SOURCES file_dialogs_gui_test.cpp LIBS uvola_dialogs)

# The file and environment dialogs' plain halves, without X.
uvola_test(settings_dialogs_fields_test SOURCES settings_dialogs_fields_test.cpp LIBS uvola_dialogs)

# The environment dialog: AppEnv, the options file and the tip owners.
uvola_gui_test(environment_dialog_gui_test SOURCES environment_dialog_gui_test.cpp LIBS uvola_dialogs)

# The user-object dialog, with files loaded, added and deleted.
uvola_gui_test(user_object_dialog_gui_test SOURCES user_object_dialog_gui_test.cpp LIBS uvola_dialogs)
